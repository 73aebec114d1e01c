#include "platform/Registry.h"

#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/WideText.h"

namespace {
std::string WithoutLeadingBackslash(const std::string& path) {
    return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}
}  // namespace

bool RegistryKey::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    std::wstring relative = Widen(WithoutLeadingBackslash(path));
    HKEY key = nullptr;
    LONG rc;
    if (canCreate)
        rc = RegCreateKeyExW(root_, relative.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key,
                             nullptr);
    else
        rc = RegOpenKeyExW(root_, relative.c_str(), 0, KEY_ALL_ACCESS | view_, &key);
    if (rc != ERROR_SUCCESS && !canCreate)
        rc = RegOpenKeyExW(root_, relative.c_str(), 0, KEY_READ | view_, &key);
    if (rc != ERROR_SUCCESS) return false;
    current_ = key;
    return true;
}

void RegistryKey::CloseKey() {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
}

bool RegistryKey::ValueExists(const std::string& name) const {
    return current_ &&
           RegQueryValueExW(current_, Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string RegistryKey::ReadString(const std::string& name) const {
    if (!current_) return {};
    const std::wstring wName = Widen(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(current_, wName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(FormatText(IDS_InvalidDataType, name));
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(current_, wName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &got) != ERROR_SUCCESS)
        return {};
    data.resize(wcsnlen(data.c_str(), got / sizeof(wchar_t)));
    return Narrow(data);
}

void RegistryKey::WriteString(const std::string& name, const std::string& value) const {
    const std::wstring wValue = Widen(value);
    if (!current_ ||
        RegSetValueExW(current_, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wValue.c_str()),
                       static_cast<DWORD>((wValue.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw AppError(FormatText(IDS_FailedToSetData, name));
}

bool RegistryKey::DeleteValue(const std::string& name) const {
    return current_ && RegDeleteValueW(current_, Widen(name).c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegistryKey::GetKeyNames() const {
    std::vector<std::string> names;
    if (!current_) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        LONG rc = RegEnumKeyExW(current_, i, name, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.push_back(Narrow(name, len));
        else break;
    }
    return names;
}

std::vector<std::string> RegistryKey::GetValueNames() const {
    std::vector<std::string> names;
    if (!current_) return names;
    std::vector<wchar_t> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD len = static_cast<DWORD>(name.size());
        LONG rc = RegEnumValueW(current_, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.push_back(Narrow(name.data(), len));
        else break;
    }
    return names;
}

namespace {
bool DeleteKeyTreeW(HKEY parent, const std::wstring& subkey, REGSAM view) {
    HKEY key;
    if (RegOpenKeyExW(parent, subkey.c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        DWORD count = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        wchar_t name[256];
        for (DWORD i = count; i-- > 0;) {
            DWORD len = 256;
            if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
                DeleteKeyTreeW(key, std::wstring(name, len), view);
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyExW(parent, subkey.c_str(), view, 0) == ERROR_SUCCESS;
}
}  // namespace

bool DeleteKeyTree(HKEY parent, const std::string& subkey) {
    return DeleteKeyTreeW(parent, Widen(subkey), static_cast<REGSAM>(RegistryView::Native));
}

bool RegistryKey::DeleteKey(const std::string& path) {
    bool fromRoot = !current_ || (!path.empty() && path[0] == '\\');
    std::string relative = WithoutLeadingBackslash(path);
    if (relative.empty()) return false;
    return DeleteKeyTreeW(fromRoot ? root_ : current_, Widen(relative), view_);
}

bool RegistryKey::KeyExists(const std::string& path) const {
    HKEY key;
    if (RegOpenKeyExW(root_, Widen(WithoutLeadingBackslash(path)).c_str(), 0, KEY_READ | view_, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
