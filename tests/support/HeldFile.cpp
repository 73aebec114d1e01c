#include "tests/support/HeldFile.h"

#include "platform/WideText.h"

HeldFile::HeldFile(const std::string& path, DWORD share)
    : handle_(CreateFileW(WidePath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}

void HeldFile::Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
