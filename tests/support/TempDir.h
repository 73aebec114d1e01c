#pragma once
// A fresh folder under the system temp folder, removed with its content when it dies.
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Full path with a trailing backslash.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Writes text to a file (binary, as given), creating or replacing it.
void WriteTextFile(const std::string& path, const std::string& text);
// Reads a whole file; empty when it doesn't exist.
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);
// Removes a folder tree (attributes cleared first).
void RemoveTree(const std::string& path);
