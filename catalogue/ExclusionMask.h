#pragma once
// Exclusion masks of the file search: a mask with an optional folder part (which must match the
// end of a file's folder) and a name part with "*" (up to a full stop) and "?" (never a full stop).
// Plain C++, no system calls.
#include <cstddef>
#include <string>

// One exclusion mask, split and upper-cased once, matched against many paths.
class ExclusionMask {
public:
    explicit ExclusionMask(const std::string& text);
    // folder: the file's folder up to and including its last "\"; name: the rest.
    bool Matches(const char* folder, size_t folderLength, const char* name) const;

private:
    std::string folder_;  // drive letter and colon removed
    std::string name_;
    char drive_ = 0;  // drive letter the folder must start with, or 0
    bool hasFolder_ = false;
};

// Exclusion match of a full path against one mask, letter case ignored.
bool MatchesExclusion(const std::string& path, const std::string& mask);

// "*" and "*.*": every name, with or without an extension.
bool IsWholeFolderMask(const char* mask);
