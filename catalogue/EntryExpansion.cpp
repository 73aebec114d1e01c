// Expansion of entries into the files and registry rows they name now.
#include <cstring>

#include "catalogue/FindFile.h"
#include "catalogue/RootKeys.h"
#include "catalogue/UnitMacro.h"
#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "settings/AppPaths.h"

namespace {
const char* const DeleteKeyMarker = "<|>DeleteKey";
const char* const DeleteValueMarker = "<|>DeleteValue<|>";

// The exclusion masks of the settings file, read afresh at every call.
std::vector<std::string> ExclusionMasks() {
    ProfileFile settings(SettingsFilePath());
    int count = settings.ReadInteger("Exclude Files", "Count", 0);
    std::vector<std::string> masks;
    for (int k = 0; k < count; ++k) {
        std::string mask = Trim(settings.ReadString("Exclude Files", "Record" + std::to_string(k)));
        if (!mask.empty()) masks.push_back(std::move(mask));
    }
    return masks;
}

// The folder a registry string value holds; empty when the key or the value is missing.
std::string FolderFromRegistry(const std::string& keyName, const std::string& valueName) {
    RegistryPath where = SplitRegistryPath(ExpandMacros(Trim(keyName)));
    RegistryKey key(where.root);
    if (!key.OpenKey(where.keyPath)) return {};
    return key.ReadString(valueName);
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

void tChildFolder::ListFiles(std::vector<std::string>& list) const {
    std::string spec;
    switch (bycategory) {
        case CategoryFolderMask:
            spec = ExpandMacros(deletepath);
            break;
        case CategorySingleFile:
            spec = ExpandMacros(deletefilename);
            break;
        default: {
            std::string folder = FolderFromRegistry(RegisterName, RegisterValueofName);
            if (!folder.empty()) spec = folder + (folder.back() == '\\' ? "" : "\\") + "*.*";
            break;
        }
    }
    std::vector<std::string> files;
    if (!ExtractFilePath(spec).empty()) {
        TFindFile search;
        search.IncludeFiles = {spec};
        search.ExcludeFiles = ExclusionMasks();
        search.Subfolders = IsIncludeSubfolder;
        std::string path;
        search.OnFound = [&](TFindFile&, const std::string& folder, const WIN32_FIND_DATAA& entry) {
            path.assign(folder);
            if (path.empty() || path.back() != '\\') path += '\\';
            path += entry.cFileName;
            // The listing has just said what the entry is; only a name the listing could not
            // spell in this code page (shown with "?") is looked up again.
            bool file = strchr(entry.cFileName, '?') ? IsFile(path) : !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            if (file) files.push_back(path);
        };
        search.Execute();
    }
    list.swap(files);
}

void tChildRegister::ListRegistry(std::vector<std::string>& list) {
    if (!RegisterKeyName.empty() && RegisterKeyName.back() != '\\') RegisterKeyName += '\\';
    RegistryPath where = SplitRegistryPath(ExpandMacros(Trim(RegisterKeyName)));
    // No rows for a root key itself, nor for a name without a key path (an empty one included).
    if (where.keyPath.size() <= 1) return;
    RegistryKey key(where.root);
    if (!key.OpenKey(where.keyPath)) return;
    const std::string expanded = ExpandMacros(RegisterKeyName);
    switch (CleanRegisterType) {
        case CleanAllValues:
            for (const auto& name : key.GetValueNames()) list.push_back(expanded + DeleteValueMarker + name);
            break;
        case CleanSingleValue:
            if (key.ValueExists(RegisterSingleValue))
                list.push_back(expanded + DeleteValueMarker + RegisterSingleValue);
            break;
        default:
            for (const auto& name : key.GetKeyNames()) list.push_back(expanded + name + DeleteKeyMarker);
            list.push_back(expanded + DeleteKeyMarker);
            break;
    }
}
