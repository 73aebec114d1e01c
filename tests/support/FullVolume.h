#pragma once
// A folder on a file system with no free space while this lives: under Wine as root, a tiny
// tmpfs mounted on a new folder and filled by the host; unmounted when it dies. Full() says
// whether that worked on this host.
#include <string>

class FullVolume {
public:
    // Makes and fills folder (a Windows path of a folder that does not exist yet).
    explicit FullVolume(const std::string& folder);
    ~FullVolume();
    FullVolume(const FullVolume&) = delete;
    FullVolume& operator=(const FullVolume&) = delete;
    bool Full() const { return full_; }

private:
    bool RunHost(const std::string& script);
    std::string folder_, host_;
    bool mounted_ = false, full_ = false;
};
