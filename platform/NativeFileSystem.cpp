#include "platform/NativeFileSystem.h"

#include "platform/WideText.h"

DWORD NativeFileAttributes(const std::string& path) {
    const std::wstring wide = WidePath(path);
    NativeFileSystem native;
    return GetFileAttributesW(wide.c_str());
}

HANDLE NativeFindFirstFile(const std::string& pattern, WIN32_FIND_DATAW& data) {
    const std::wstring wide = WidePath(pattern);
    NativeFileSystem native;
    return FindFirstFileW(wide.c_str(), &data);
}
