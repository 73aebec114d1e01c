#pragma once
// Builds a whole INI file in memory the way a series of WritePrivateProfileStringA calls on a
// new file would leave it: sections in the order first written, keys replaced in place (names
// compared without regard to letter case), names and values trimmed, lines ended by CR LF.
// Plain C++, no system calls.
#include <string>
#include <unordered_map>
#include <vector>

class ProfileWriter {
public:
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    std::string Text() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
        std::unordered_map<std::string, size_t> index;
    };
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_;
};
