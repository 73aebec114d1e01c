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

std::wstring OpenedObjectName(HANDLE file) {
    // NtQueryObject with ObjectNameInformation, which fills an OBJECT_NAME_INFORMATION.
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    struct NameInformation {
        USHORT Length;
        USHORT MaximumLength;
        wchar_t* Buffer;
    };
    static const auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    if (!query) return {};
    alignas(NameInformation) char buffer[sizeof(NameInformation) + 2 * (MAX_PATH + 64) * sizeof(wchar_t)];
    ULONG needed = 0;
    if (query(file, 1, buffer, sizeof(buffer), &needed) != 0) return {};
    const auto* name = reinterpret_cast<const NameInformation*>(buffer);
    return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
}
