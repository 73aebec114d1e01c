#pragma once
// Registry key paths as wash items write them: a root key name, "\", then the subkey path.
#include <windows.h>

#include <string>

// The predefined key named by the text (letter case ignored); HKEY_CURRENT_USER for any other text.
HKEY RootKeyFromName(const std::string& name);

struct RegistryPath {
    HKEY root = HKEY_CURRENT_USER;
    // The text from the first "\" on ("\" alone for the root key itself); empty when there is none.
    std::string keyPath;
};

// Splits a full key path at its first "\": the root by RootKeyFromName, the rest as the key path.
RegistryPath SplitRegistryPath(const std::string& fullPath);
