#pragma once
// A file the test holds open without delete sharing: deleting, renaming or overwriting it fails
// until the holder lets it go.
#include <windows.h>

#include <string>

#include "platform/WideText.h"

class HeldFile {
public:
    // share: what the test lets others do meanwhile (reading, by default).
    explicit HeldFile(const std::string& path, DWORD share = FILE_SHARE_READ)
        : handle_(CreateFileW(WidePath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};
