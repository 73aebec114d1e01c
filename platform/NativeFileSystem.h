#pragma once
// While alive, a 32-bit process on 64-bit Windows sees the file system as it is: System32 is the
// 64-bit system folder, as the user and a 64-bit process see it, not SysWOW64. Elsewhere it
// does nothing. Hold it around file calls only: code the thread loads meanwhile would be taken
// from the 64-bit system folder and fail.
#include <windows.h>

#include <string>

class NativeFileSystem {
public:
    NativeFileSystem() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
    ~NativeFileSystem() {
        if (off_) Wow64RevertWow64FsRedirection(previous_);
    }
    NativeFileSystem(const NativeFileSystem&) = delete;
    NativeFileSystem& operator=(const NativeFileSystem&) = delete;

private:
    PVOID previous_ = nullptr;
    bool off_;
};

// GetFileAttributesW and FindFirstFileW of a UTF-8 path (long ones with the "\\?\" prefix),
// seeing the file system as it is.
DWORD NativeFileAttributes(const std::string& path);
HANDLE NativeFindFirstFile(const std::string& pattern, WIN32_FIND_DATAW& data);
// The name of the file an open handle refers to, as the system resolved it when it opened it
// ("\Device\HarddiskVolume2\dir\file" on Windows, "\??\C:\dir\file" under Wine); empty when
// unknown. One call to the system, no volume lookup.
std::wstring OpenedObjectName(HANDLE file);
