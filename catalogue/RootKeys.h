#pragma once
// Registry key paths as wash items write them: a root key name, "\", then the subkey path.
#include <windows.h>

#include <string>

// The predefined key named by the text, by its full name or its standard short name (HKCU,
// HKLM, HKCR, HKU, HKCC), letter case ignored; nullptr for any other text, which never stands
// for a root key.
HKEY RootKeyFromName(const std::string& name);

// The full name of a predefined key ("HKEY_CURRENT_USER"); empty for any other key.
std::string RootKeyFullName(HKEY root);

struct RegistryPath {
    HKEY root = nullptr;  // nullptr when rootName names no root key
    std::string rootName;
    // The text from the first "\" on ("\" alone for the root key itself); empty when there is none.
    std::string keyPath;

    // A known root and a key below it: the only paths that name anything to clean.
    bool NamesKeyBelowRoot() const { return root && keyPath.find_first_not_of('\\') != std::string::npos; }
};

// Splits a full key path at its first "\": the root by RootKeyFromName, the rest as the key path.
RegistryPath SplitRegistryPath(const std::string& fullPath);
