#pragma once
// Policy values written for one test into the real registry, under HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER, both removed when it dies. The program's own key by default.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Registry.h"

class PolicyKey {
public:
    explicit PolicyKey(std::string path = "Software\\Policies\\Varnolt") : path_(std::move(path)) { Remove(); }
    ~PolicyKey() { Remove(); }
    PolicyKey(const PolicyKey&) = delete;
    PolicyKey& operator=(const PolicyKey&) = delete;

    const std::string& Path() const { return path_; }
    void SetNumber(HKEY root, const char* name, DWORD value) const {
        RegSetKeyValueA(root, path_.c_str(), name, REG_DWORD, &value, sizeof(value));
    }
    void SetText(HKEY root, const char* name, const std::string& value) const {
        RegSetKeyValueA(root, path_.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    // A list as Group Policy writes it: values "1", "2", ... under the list's own key.
    void SetList(HKEY root, const char* list, const std::vector<std::string>& names) const {
        const std::string key = path_ + "\\" + list;
        for (size_t i = 0; i < names.size(); ++i)
            RegSetKeyValueA(root, key.c_str(), std::to_string(i + 1).c_str(), REG_SZ, names[i].c_str(),
                            static_cast<DWORD>(names[i].size() + 1));
    }

private:
    void Remove() const {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) DeleteKeyTree(root, path_);
    }
    std::string path_;
};
