#pragma once
// Typed access to one INI file through the system's private-profile functions.
// Nothing is kept open: every call opens, reads or writes one key, and closes.
#include <string>
#include <vector>

class ProfileFile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    // At most 2047 characters, surrounding blanks removed; def when the key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def = "") const;
    // Decimal, or hexadecimal with "0x", "0X" or "$"; def when missing or not a number.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Any integer other than 0 is true; def when missing or not a number.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // A refused write raises "Unable to write to %s" with the file's path.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) const;
    void WriteInteger(const std::string& section, const std::string& key, int value) const;
    void WriteBool(const std::string& section, const std::string& key, bool value) const;

    // Both return false on failure instead of raising.
    bool EraseSection(const std::string& section) const;
    bool DeleteKey(const std::string& section, const std::string& key) const;

    bool SectionExists(const std::string& section) const;
    std::vector<std::string> ReadSection(const std::string& section) const;

private:
    std::string path_;
};
