#pragma once
// A folder that nobody can write while this lives, not even an administrator: under Wine the
// host folder is made immutable (chattr +i), and writable again when it dies.
#include <string>

class ReadOnlyFolder {
public:
    // Locks folder (a Windows path); Locked() says whether that worked on this host.
    explicit ReadOnlyFolder(const std::string& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool Locked() const { return locked_; }

private:
    bool SetImmutable(bool on);
    std::string folder_;
    bool locked_ = false;
};
