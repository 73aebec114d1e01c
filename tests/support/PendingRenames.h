#pragma once
// Keeps the prefix's PendingFileRenameOperations as it was: a test that marks files for deletion
// at restart puts the value back when it ends, so that no later restart of the prefix runs them.
#include <windows.h>

#include <string>

class PendingRenamesScope {
public:
    PendingRenamesScope() {
        HKEY key = Open();
        if (!key) return;
        DWORD size = 0;
        if (RegQueryValueExW(key, Name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            data_.resize(size);
            had_ = RegQueryValueExW(key, Name, nullptr, &type_, reinterpret_cast<BYTE*>(data_.data()), &size) ==
                   ERROR_SUCCESS;
            data_.resize(size);
        }
        RegCloseKey(key);
    }
    ~PendingRenamesScope() {
        HKEY key = Open();
        if (!key) return;
        if (had_)
            RegSetValueExW(key, Name, 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        else
            RegDeleteValueW(key, Name);
        RegCloseKey(key);
    }
    PendingRenamesScope(const PendingRenamesScope&) = delete;
    PendingRenamesScope& operator=(const PendingRenamesScope&) = delete;

private:
    static constexpr const wchar_t* Name = L"PendingFileRenameOperations";
    static HKEY Open() {
        HKEY key = nullptr;
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0,
                             KEY_QUERY_VALUE | KEY_SET_VALUE, &key) == ERROR_SUCCESS
                   ? key
                   : nullptr;
    }
    bool had_ = false;
    DWORD type_ = REG_MULTI_SZ;
    std::string data_;
};
