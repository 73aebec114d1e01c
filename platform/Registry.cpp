#include "platform/Registry.h"

#include "platform/Error.h"

namespace {
std::string WithoutLeadingBackslash(const std::string& path) {
    return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}
}  // namespace

bool RegistryKey::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    std::string relative = WithoutLeadingBackslash(path);
    HKEY key = nullptr;
    LONG rc;
    if (canCreate)
        rc = RegCreateKeyExA(root_, relative.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr);
    else
        rc = RegOpenKeyExA(root_, relative.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS && !canCreate)
        rc = RegOpenKeyExA(root_, relative.c_str(), 0, KEY_READ, &key);
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
           RegQueryValueExA(current_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string RegistryKey::ReadString(const std::string& name) const {
    if (!current_) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(FormatMessageText("Invalid data type for '%s'", name));
    std::string data(size + 1, '\0');
    DWORD got = size + 1;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &got) != ERROR_SUCCESS)
        return {};
    data.resize(strnlen(data.c_str(), got));
    return data;
}

void RegistryKey::WriteString(const std::string& name, const std::string& value) const {
    if (!current_ ||
        RegSetValueExA(current_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw AppError(FormatMessageText("Failed to set data for '%s'", name));
}

bool RegistryKey::DeleteValue(const std::string& name) const {
    return current_ && RegDeleteValueA(current_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegistryKey::GetKeyNames() const {
    std::vector<std::string> names;
    if (!current_) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof(name);
        LONG rc = RegEnumKeyExA(current_, i, name, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name, len);
        else break;
    }
    return names;
}

std::vector<std::string> RegistryKey::GetValueNames() const {
    std::vector<std::string> names;
    if (!current_) return names;
    std::vector<char> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD len = static_cast<DWORD>(name.size());
        LONG rc = RegEnumValueA(current_, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name.data(), len);
        else break;
    }
    return names;
}

bool DeleteKeyTree(HKEY parent, const std::string& subkey) {
    HKEY key;
    if (RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        DWORD count = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        char name[256];
        for (DWORD i = count; i-- > 0;) {
            DWORD len = sizeof(name);
            if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
                DeleteKeyTree(key, std::string(name, len));
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyA(parent, subkey.c_str()) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteKey(const std::string& path) {
    bool fromRoot = !current_ || (!path.empty() && path[0] == '\\');
    std::string relative = WithoutLeadingBackslash(path);
    if (relative.empty()) return false;
    return DeleteKeyTree(fromRoot ? root_ : current_, relative);
}

bool RegistryKey::KeyExists(const std::string& path) const {
    HKEY key;
    if (RegOpenKeyExA(root_, WithoutLeadingBackslash(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
