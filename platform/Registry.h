#pragma once
// Registry accessor: one root key and at most one open key, closed when it dies.
#include <windows.h>

#include <string>
#include <vector>

// Which registry a key path names on 64-bit Windows. Native is the registry as regedit shows
// it, the same for the 64-bit and the 32-bit program: HKLM\SOFTWARE\X is the 64-bit key and
// HKLM\SOFTWARE\WOW6432Node\X the 32-bit one. Wow32 is what a 32-bit program's own
// redirected view shows at the same path. On 32-bit Windows both are the one registry.
enum class RegistryView : REGSAM { Native = KEY_WOW64_64KEY, Wow32 = KEY_WOW64_32KEY };

class RegistryKey {
public:
    explicit RegistryKey(HKEY root = HKEY_CURRENT_USER, RegistryView view = RegistryView::Native)
        : root_(root), view_(static_cast<REGSAM>(view)) {}
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
    REGSAM view_;
    HKEY current_ = nullptr;
};

// Deletes every subkey of key (last index first), then the key itself, in the native view.
bool DeleteKeyTree(HKEY parent, const std::string& subkey);
