#pragma once
// Reads or writes a run of keys of one section through one list of calls, so that reading and
// writing always use the same keys in the same order.
#include <string>

#include "platform/Profile.h"

class KeyTransfer {
public:
    // Every key name is prefix + the name given to the call.
    KeyTransfer(const std::string& path, const std::string& section, std::string prefix, bool read)
        : file_(path), section_(section), prefix_(std::move(prefix)), read_(read) {}

    void Text(const char* key, std::string& field) const;
    void Flag(const char* key, bool& field, bool def) const;
    // Keys that older files lack: written only when they differ from def, and removed when
    // they hold def, so that a file without them reads and saves as before.
    void OptionalText(const char* key, std::string& field) const;
    void OptionalFlag(const char* key, bool& field) const;
    // A count whose default is 0; a stored negative number or text that is no number reads as 0.
    void OptionalCount(const char* key, int& field) const;
    // A stored number outside 0 to 2 reads as 0; a text that is no number reads as def.
    template <class Enum>
    void Choice(const char* key, Enum& field, Enum def) const {
        int value = static_cast<int>(field);
        ChoiceValue(key, value, static_cast<int>(def));
        field = static_cast<Enum>(value);
    }

private:
    void ChoiceValue(const char* key, int& value, int def) const;

    ProfileFile file_;
    std::string section_;
    std::string prefix_;
    bool read_;
};
