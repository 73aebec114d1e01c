#pragma once
// Symbolic links for tests. Under Wine a host symbolic link shows as a reparse point, so the
// link is made by the host's ln when the system call doesn't make one.
#include <string>

// Makes linkPath a symbolic link to the folder target; false when no link could be made.
bool MakeFolderLink(const std::string& target, const std::string& linkPath);
// Removes a link made by MakeFolderLink (never what it points to); false when it stays.
bool RemoveFolderLink(const std::string& linkPath);

// Removes its link when it dies.
class FolderLink {
public:
    FolderLink(const std::string& target, const std::string& linkPath)
        : path_(linkPath), made_(MakeFolderLink(target, linkPath)) {}
    ~FolderLink() {
        if (made_) RemoveFolderLink(path_);
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool Made() const { return made_; }

private:
    std::string path_;
    bool made_;
};
