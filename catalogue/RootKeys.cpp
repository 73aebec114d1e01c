#include "catalogue/RootKeys.h"

#include "platform/Text.h"

namespace {
struct RootName {
    const char* name;
    HKEY key;
};

const RootName RootNames[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA}, {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
};
}  // namespace

HKEY RootKeyFromName(const std::string& name) {
    for (const auto& root : RootNames)
        if (SameText(name, root.name)) return root.key;
    return nullptr;
}

RegistryPath SplitRegistryPath(const std::string& fullPath) {
    RegistryPath result;
    auto slash = fullPath.find('\\');
    result.rootName = fullPath.substr(0, slash);
    result.root = RootKeyFromName(result.rootName);
    if (slash != std::string::npos) result.keyPath = fullPath.substr(slash);
    return result;
}
