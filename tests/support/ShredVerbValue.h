#pragma once
// The command of "Shred with Varnolt" that an installer wrote for kind ("*" or "Directory")
// under HKEY_CURRENT_USER\Software\Classes; empty when there is none.
#include <windows.h>

#include <string>

inline std::string ShredVerbCommand(const char* kind) {
    std::string key = std::string("Software\\Classes\\") + kind + "\\shell\\VarnoltShred\\command";
    char value[2048];
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}
