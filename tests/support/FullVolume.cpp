#include "tests/support/FullVolume.h"

#include <windows.h>

#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

FullVolume::FullVolume(const std::string& folder) : folder_(folder) {
    while (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) return;
    host_ = HostPath(folder_);
    if (host_.empty() || host_.find('\'') != std::string::npos) return;
    mounted_ = RunHost("mount -t tmpfs -o size=64k tmpfs '" + host_ + "' && dd if=/dev/zero of='" + host_ +
                       "/fill' bs=4k 2>/dev/null; mountpoint -q '" + host_ + "'");
    // Full: not one more byte goes in.
    if (!mounted_) return;
    HANDLE probe = CreateFileA((folder_ + "\\probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    DWORD written = 0;
    full_ = probe != INVALID_HANDLE_VALUE && !WriteFile(probe, "x", 1, &written, nullptr) &&
            GetLastError() == ERROR_DISK_FULL;
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
}

FullVolume::~FullVolume() {
    if (mounted_) RunHost("umount '" + host_ + "'");
    RemoveDirectoryA(folder_.c_str());
}

// Runs a host shell script; true when it ended with status 0. The script leaves its status
// beside the folder: start.exe gives none back.
bool FullVolume::RunHost(const std::string& script) {
    const std::string done = folder_ + ".host-status";
    DeleteFileA(done.c_str());
    if (!StartHost("start.exe /unix /bin/sh -c \"(" + script + "); echo $? >'" + host_ + ".host-status'\""))
        return false;
    const bool ended = WaitUntil([&] { return ReadTextFile(done).find('\n') != std::string::npos; });
    const bool succeeded = ended && ReadTextFile(done) == "0\n";
    DeleteFileA(done.c_str());
    return succeeded;
}
