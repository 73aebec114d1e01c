#pragma once
// The community cleaning database winapp2.ini, read in one pass: one entry per section with
// its group, detection keys, FileKeys, RegKeys, ExcludeKeys and warning.
#include <string>
#include <unordered_map>
#include <vector>

struct Winapp2Entry {
    std::string Name;      // the section name
    std::string Category;  // "Section=" text, or the group a "LangSecRef=" number names
    std::vector<std::string> Detects;      // registry keys
    std::vector<std::string> DetectFiles;  // files or folders
    bool SpecialDetect = false;            // detected only by a key this program does not read
    // Values in the order of their key numbers (FileKey1, FileKey2, ..., FileKey10).
    std::vector<std::string> FileKeys;
    std::vector<std::string> RegKeys;
    std::vector<std::string> ExcludeKeys;
    std::string Warning;
    // The key names of FileKeys and RegKeys, in the same order ("FileKey3").
    std::vector<std::string> FileKeyNames;
    std::vector<std::string> RegKeyNames;
    // The section's lines in the file's text. A light entry holds only its name, group and
    // detection keys; Winapp2File::Complete reads the rest.
    size_t Begin = 0, End = 0;
    bool Light = false;
};

class Winapp2File {
public:
    std::vector<Winapp2Entry> Entries;
    // Lines that could not be used: no "=", a key outside a section, an unknown key, a key
    // number that is not a number, a repeated section or a section name with "<|>".
    int SkippedLines = 0;

    // Replaces the content with the file's; false (and empty) when it can't be read. Every
    // line is checked, but the entries are light: what detection needs and no more.
    bool Load(const std::string& path);
    // Parses the text of a whole file into complete entries.
    void Parse(const std::string& text);
    // The entry with all its keys, read again from its lines when it is light.
    Winapp2Entry Complete(const Winapp2Entry& entry) const;
    // The entry of that section name (exact), or nullptr.
    const Winapp2Entry* Find(const std::string& name) const;

private:
    static void Scan(const std::string& text, size_t begin, size_t end, bool light, Winapp2Entry* only,
                     Winapp2File* into);

    std::string text_;
    std::unordered_map<std::string, size_t> index_;
};

// True when the file reads as winapp2.ini: some entry has a FileKey, RegKey or detection key,
// and it is no wash item file (no "Common" section with a "Total").
bool IsWinapp2File(const std::string& path);

// The group name of a "LangSecRef" number; "Other" for one it doesn't know.
std::string Winapp2CategoryName(int langSecRef);
