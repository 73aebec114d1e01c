#include "catalogue/RootKeys.h"

#include "platform/Text.h"

namespace {
struct RootName {
    const char* name;
    const char* shortName;  // nullptr: none
    HKEY key;
};

const RootName RootNames[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", nullptr, HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", nullptr, HKEY_DYN_DATA},
};
}  // namespace

HKEY RootKeyFromName(const std::string& name) {
    for (const auto& root : RootNames)
        if (SameText(name, root.name) || (root.shortName && SameText(name, root.shortName))) return root.key;
    return nullptr;
}

std::string RootKeyFullName(HKEY root) {
    for (const auto& known : RootNames)
        if (known.key == root) return known.name;
    return {};
}

RegistryPath SplitRegistryPath(const std::string& fullPath) {
    RegistryPath result;
    auto slash = fullPath.find('\\');
    result.rootName = fullPath.substr(0, slash);
    result.root = RootKeyFromName(result.rootName);
    if (slash != std::string::npos) result.keyPath = fullPath.substr(slash);
    return result;
}
