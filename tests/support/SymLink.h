#pragma once
// Symbolic links for tests. Under Wine a host symbolic link shows as a reparse point, so the
// link is made by the host's ln when the system call doesn't make one.
#include <string>

// The host path of a Windows path, through Wine's kernel32 export; empty outside Wine.
std::string HostPath(const std::string& path);
// The host path of a link, through its parent folder (the link itself is not followed).
std::string HostLinkPath(const std::string& link);
// Starts a host program; it gives no usable exit code, so callers wait for its effect.
bool StartHost(std::string command);

// Makes linkPath a symbolic link to the folder target; false when no link could be made.
bool MakeFolderLink(const std::string& target, const std::string& linkPath);
// Makes linkPath a junction (a mount point) to the folder target. Where the system makes none (Wine
// 8 answers ERROR_NOT_SUPPORTED), a host symbolic link stands in, as Wine shows one as a reparse
// point; false when neither could be made.
bool MakeJunction(const std::string& target, const std::string& linkPath);
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
