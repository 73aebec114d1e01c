#pragma once
// Registry accessor: one root key and at most one open key, closed when it dies.
#include <windows.h>

#include <string>
#include <vector>

class RegistryKey {
public:
    explicit RegistryKey(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    ~RegistryKey() { CloseKey(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Root() const { return root_; }
    void SetRoot(HKEY root) { CloseKey(); root_ = root; }

    // Opens an existing key (a leading backslash is ignored); false when it isn't there.
    bool OpenKey(const std::string& path, bool canCreate = false);
    void CloseKey();
    bool IsOpen() const { return current_ != nullptr; }
    HKEY Handle() const { return current_; }

    bool ValueExists(const std::string& name) const;
    // A value of another type than text raises "Invalid data type for '%s'".
    std::string ReadString(const std::string& name) const;
    // A refused write raises "Failed to set data for '%s'".
    void WriteString(const std::string& name, const std::string& value) const;
    bool DeleteValue(const std::string& name) const;
    std::vector<std::string> GetKeyNames() const;
    std::vector<std::string> GetValueNames() const;

    // Deletes a key of the root with all its subkeys, last subkey first.
    bool DeleteKey(const std::string& path);
    bool KeyExists(const std::string& path) const;

private:
    HKEY root_;
    HKEY current_ = nullptr;
};

// Deletes every subkey of key (last index first), then the key itself.
bool DeleteKeyTree(HKEY parent, const std::string& subkey);
