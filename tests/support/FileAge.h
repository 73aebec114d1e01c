#pragma once
// Gives a test file a last-write time some hours in the past.
#include <windows.h>

#include <cstdint>
#include <string>

inline bool SetFileAgeHours(const std::string& path, int hours) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t ticks = ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                     static_cast<uint64_t>(hours) * 36000000000ull;
    FILETIME then{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &then);
    CloseHandle(file);
    return set;
}
