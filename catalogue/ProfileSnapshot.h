#pragma once
// A whole INI file read once and looked up in memory, with the lookup rules of the system's
// private-profile functions: section and key names compared without regard to letter case
// (the first match wins), names and values trimmed, one pair of surrounding quotes removed from
// a value, values cut to 2047 characters. Used where a file is read key by key in bulk (the
// catalogue at start-up); plain C++, no system calls.
#include <string>
#include <unordered_map>
#include <vector>

class ProfileSnapshot {
public:
    // Parses the bytes of an INI file. False for text the snapshot does not read the way the
    // system does (a byte-order mark, NUL or unusual blank bytes): the caller then uses the system.
    bool Parse(const std::string& bytes);
    // Reads the file; a missing file parses as empty. False as for Parse, or when it can't be read.
    bool Load(const std::string& path);

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def = "") const;
    // The key names of the section, in file order, as the system lists them: keys with a value,
    // no comments; the section name is taken as given, not trimmed.
    std::vector<std::string> ReadSection(const std::string& section) const;

private:
    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        std::unordered_map<std::string, size_t> index;  // upper-case name -> first key
    };
    const Section* Find(const std::string& section) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_;  // upper-case name -> first section
};
