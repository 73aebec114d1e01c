// Expansion of entries into the files and registry rows they name now.
#include <cstring>
#include <unordered_set>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/FileAge.h"
#include "catalogue/FileSearch.h"
#include "catalogue/Macros.h"
#include "catalogue/ProfileMacros.h"
#include "catalogue/ProtectedPlaces.h"
#include "catalogue/RootKeys.h"
#include "catalogue/SettingsLists.h"
#include "catalogue/WashItem.h"
#include "catalogue/Winapp2Paths.h"
#include "platform/CheckListModel.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {
const char* const DeleteKeyMarker = "<|>DeleteKey";
const char* const DeleteValueMarker = "<|>DeleteValue<|>";

// The exclusion masks of the settings file, read afresh at every call.
std::vector<std::string> ExclusionMasks() { return ReadNumberedList(SettingsFilePath(), ExclusionList); }

// The folder a registry string value holds; empty when the key or the value is missing.
std::string FolderFromRegistry(const std::string& keyName, const std::string& valueName) {
    RegistryPath where = SplitRegistryPath(ExpandMacros(Trim(keyName)));
    if (!where.root) return {};
    RegistryKey key(where.root);
    if (!key.OpenKey(where.keyPath)) return {};
    return key.ReadString(valueName);
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

// A path with its macros expanded: once per browser profile when it names a profile macro.
std::vector<std::string> ExpandPath(const std::string& text) {
    std::vector<std::string> paths = ExpandProfileMacros(text);
    for (auto& path : paths) path = ExpandMacros(path);
    return paths;
}

std::string NoFinalBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::vector<EntryExclusion> ParseExclusions(const std::string& list) {
    std::vector<EntryExclusion> result;
    if (list.empty()) return result;
    for (const auto& text : Split(list, "<|>")) {
        size_t kind = text.find('|');
        size_t mask = text.rfind('|');
        if (kind == std::string::npos) continue;
        EntryExclusion exclusion;
        exclusion.subfolders = SameText(text.substr(0, kind), "PATH");
        if (!exclusion.subfolders && !SameText(text.substr(0, kind), "FILE")) continue;
        std::string masks = mask > kind ? text.substr(mask + 1) : std::string();
        for (auto& m : Split(masks, ";"))
            if (!Trim(m).empty()) exclusion.masks.push_back(Trim(m));
        if (exclusion.masks.empty()) exclusion.masks.push_back("*");
        const std::string folderText = text.substr(kind + 1, mask > kind ? mask - kind - 1 : std::string::npos);
        for (const auto& folder : ExpandPath(folderText)) {
            exclusion.folder = NoFinalBackslash(folder);
            if (!exclusion.folder.empty()) result.push_back(exclusion);
        }
    }
    return result;
}

bool IsPlainFolder(const std::string& path) {
    DWORD attributes = NativeFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The subfolders below folder, deepest first, each with a final "\"; links are not entered.
void AppendSubfoldersDeepestFirst(const std::string& folder, std::vector<std::string>& rows) {
    WIN32_FIND_DATAW data;
    HANDLE find = NativeFindFirstFile(folder + "\\*", data);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> names;
    do {
        if (data.cFileName[0] == L'.') continue;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            names.push_back(Narrow(data.cFileName, wcslen(data.cFileName)));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    for (const auto& name : names) {
        AppendSubfoldersDeepestFirst(folder + "\\" + name, rows);
        rows.push_back(folder + "\\" + name + "\\" + RemoveFolderMarker);
    }
}

// A key is kept when it is an excluded key, lies below one, or holds one below it; a value
// row also when its key and name are excluded ("key|value").
bool RegistryRowExcluded(const std::string& row, const std::string& excludeList) {
    std::string key, value;
    bool isValue = false;
    size_t marker = row.find(DeleteValueMarker);
    if (marker != std::string::npos) {
        key = row.substr(0, marker);
        value = row.substr(marker + strlen(DeleteValueMarker));
        isValue = true;
    } else {
        key = row.substr(0, row.size() - strlen(DeleteKeyMarker));
    }
    key = NoFinalBackslash(key);
    auto below = [](const std::string& inner, const std::string& outer) {
        return inner.size() > outer.size() && inner[outer.size()] == '\\' &&
               SameText(inner.substr(0, outer.size()), outer);
    };
    for (const auto& text : Split(excludeList, "<|>")) {
        size_t bar = text.find('|');
        std::string excludedKey = NoFinalBackslash(ExpandMacros(Trim(text.substr(0, bar))));
        if (excludedKey.empty()) continue;
        if (bar != std::string::npos) {
            std::string excludedValue = text.substr(bar + 1);
            if (isValue) {
                if (SameText(key, excludedKey) && SameText(value, excludedValue)) return true;
            } else if (SameText(key, excludedKey) || below(excludedKey, key)) {
                return true;
            }
            continue;
        }
        if (SameText(key, excludedKey) || below(key, excludedKey) || (!isValue && below(excludedKey, key)))
            return true;
    }
    return false;
}

// The search specifications of an entry (folder, "\", mask or masks): one, or one per browser
// profile; an empty one when it has none.
std::vector<std::string> EntrySearchSpecs(const FolderEntry& entry) {
    switch (entry.Category) {
        case CategoryFolderMask:
            return ExpandPath(entry.FolderMask);
        case CategorySingleFile:
            return ExpandPath(entry.FilePath);
        default: {
            std::string folder = FolderFromRegistry(entry.PathKeyName, entry.PathValueName);
            return {folder.empty() ? std::string() : folder + (folder.back() == '\\' ? "" : "\\") + "*.*"};
        }
    }
}

// What an entry searches: its file specifications and the folders they lie in (no final "\").
struct SearchTargets {
    std::vector<std::string> Specs;
    std::vector<std::string> Folders;
};

// The targets of a specification; none without a folder. Wildcard folders and several masks
// belong to folder/mask entries only.
SearchTargets EntrySearchTargets(const FolderEntry& entry, const std::string& spec) {
    SearchTargets targets;
    const std::string folderPart = ExtractFilePath(spec);
    if (folderPart.empty()) return targets;
    targets.Specs = {spec};
    targets.Folders = {NoFinalBackslash(folderPart)};
    if (entry.Category != CategoryFolderMask) return targets;
    // A wildcard folder never stands for a drive root or a system or profile folder swept
    // with its subfolders, whichever file the entry comes from.
    if (HasWildcard(folderPart))
        targets.Folders = UnsafeFolderReason(NoFinalBackslash(folderPart), entry.IncludeSubfolders).empty()
                              ? MatchWildcardPath(NoFinalBackslash(folderPart), true)
                              : std::vector<std::string>{};
    std::vector<std::string> masks;
    for (const auto& mask : Split(spec.substr(folderPart.size()), ";"))
        if (!Trim(mask).empty()) masks.push_back(Trim(mask));
    if (masks.size() > 1 || targets.Folders.size() != 1 || HasWildcard(folderPart)) {
        targets.Specs.clear();
        for (const auto& folder : targets.Folders)
            for (const auto& mask : masks) targets.Specs.push_back(folder + "\\" + mask);
    }
    return targets;
}

// Where a row may stand: the user's own items may name a protected place (held rows), the
// others may not (refused rows); roots are the folders searched that resolve to another place.
void SetGuarding(const FolderEntry& entry, EntryListing& listing) {
    listing.OwnItems = SameText(entry.ItemFile, UserItemsPath());
    for (const auto& folder : listing.Folders) {
        std::string resolved = ResolvedFolder(folder);
        if (!resolved.empty()) listing.Roots.push_back({NoFinalBackslash(folder), resolved});
    }
}

// Appends every file the specifications select, but those the entry's exclusions or the
// settings' exclusion masks keep, each once; spaces gets each file's space on disk. Files the
// age limit leaves (by their last-write time in the listing) are only counted in newerLeft. A
// file in a protected place is guarded; onListed gets every other file but a journal at once.
void SearchFiles(const FolderEntry& entry, const EntryListing& listing, std::vector<std::string>& files,
                 std::vector<uint64_t>& spaces, size_t& newerLeft,
                 const std::function<void(const std::string&)>& onListed) {
    const std::vector<std::string>& specs = listing.Specs;
    const std::vector<EntryExclusion>& exclusions = listing.Exclusions;
    const AgeLimit ageLimit(entry.OlderThanHours);
    std::unordered_set<std::string> seen;
    // The cluster of each folder searched: the search enters no link, so it stays on one volume.
    std::vector<std::pair<std::string, uint64_t>> clusters;
    for (const auto& target : specs) {
        std::string folder = ExtractFilePath(target);
        clusters.emplace_back(folder, ClusterSizeOf(folder));
    }
    auto clusterOf = [&](const std::string& path) -> uint64_t {
        if (clusters.size() == 1) return clusters.front().second;
        for (const auto& [folder, cluster] : clusters)
            if (_strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0) return cluster;
        return clusters.front().second;
    };
    FileSearch search;
    search.IncludeFiles = specs;
    search.ExcludeFiles = ExclusionMasks();
    search.Subfolders = entry.IncludeSubfolders;
    std::string path;
    search.OnFound = [&](FileSearch& sender, const std::string& folder, const WIN32_FIND_DATAA& found) {
        path.assign(folder);
        if (path.empty() || path.back() != '\\') path += '\\';
        path += sender.FoundName();
        // The listing has just said what the entry is, by its real name.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        for (const auto& exclusion : exclusions)
            if (exclusion.Keeps(path)) return;
        // Masks that overlap report a file more than once.
        if (specs.size() > 1 && !seen.insert(UpperCase(path)).second) return;
        if (ageLimit.LeavesOut(found.ftLastWriteTime)) {
            ++newerLeft;
            return;
        }
        files.push_back(path);
        GuardProtectedRow(files.back(), found.dwFileAttributes, listing.OwnItems, listing.Roots);
        const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        spaces.push_back(SpaceOnDisk(size, clusterOf(path)));
        // A journal waits for the whole list: it goes only with its database.
        if (onListed && GuardOf(files.back()) == RowGuard::None && DatabaseOfJournal(path).empty()) onListed(path);
    };
    search.Execute();
}

// The folder rows that follow the files: each folder's subfolders, deepest first (when the
// entry takes subfolders), then the folder itself; never a drive root or a link.
void AppendFolderRows(const std::vector<std::string>& folders, bool subfolders, std::vector<std::string>& rows) {
    for (const auto& folder : folders) {
        if (!IsPlainFolder(folder) || ExtractFilePath(folder + "\\").size() <= 3) continue;
        if (subfolders) AppendSubfoldersDeepestFirst(folder, rows);
        rows.push_back(folder + "\\" + RemoveFolderMarker);
    }
}

}  // namespace

bool EntryExclusion::Keeps(const std::string& path) const {
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return false;
    std::string parent = path.substr(0, slash);
    bool inFolder = SameText(parent, folder) ||
                    (subfolders && parent.size() > folder.size() && parent[folder.size()] == '\\' &&
                     SameText(parent.substr(0, folder.size()), folder));
    if (!inFolder) return false;
    std::string name = path.substr(slash + 1);
    for (const auto& mask : masks)
        if (WildcardMatch(name, mask)) return true;
    return false;
}

bool EndsWithFolderMarker(const std::string& row) {
    size_t end = row.size();
    switch (GuardOf(row)) {
        case RowGuard::Refused: end -= RefusedRowMarker.size(); break;
        case RowGuard::Held: end -= HeldRowMarker.size(); break;
        default: break;
    }
    const size_t n = strlen(RemoveFolderMarker);
    return end > n && row.compare(end - n, n, RemoveFolderMarker) == 0;
}

std::string FileRowText(const std::string& guarded) {
    const std::string row = Unguarded(guarded);
    if (!EndsWithFolderMarker(row)) return row;
    std::string folder = NoFinalBackslash(row.substr(0, row.size() - strlen(RemoveFolderMarker)));
    return FormatText(IDS_FolderRemovedWhenEmpty, folder);
}

void FolderEntry::ListFiles(std::vector<std::string>& list) const {
    std::vector<uint64_t> spaces;
    ListFiles(list, spaces);
}

void FolderEntry::ListFiles(std::vector<std::string>& list, std::vector<uint64_t>& spaces, size_t* newerLeft) const {
    ListFiles(PlanListing(), list, spaces, newerLeft, {});
}

EntryListing FolderEntry::PlanListing() const {
    EntryListing listing;
    for (const auto& spec : EntrySearchSpecs(*this)) {
        SearchTargets more = EntrySearchTargets(*this, spec);
        listing.Specs.insert(listing.Specs.end(), more.Specs.begin(), more.Specs.end());
        listing.Folders.insert(listing.Folders.end(), more.Folders.begin(), more.Folders.end());
    }
    if (listing.Specs.empty()) return listing;
    SetGuarding(*this, listing);
    listing.Exclusions = ParseExclusions(ExcludeList);
    return listing;
}

void FolderEntry::ListFiles(const EntryListing& plan, std::vector<std::string>& list, std::vector<uint64_t>& spaces,
                            size_t* newerLeft, const std::function<void(const std::string& path)>& onListed) const {
    spaces.clear();
    std::vector<std::string> files;
    size_t newer = 0;
    // No folder or no mask: nothing (a search without specifications would take the current folder).
    if (!plan.Specs.empty()) {
        SearchFiles(*this, plan, files, spaces, newer, onListed);
        const size_t firstFolder = files.size();
        if (RemoveSelf && Category == CategoryFolderMask) AppendFolderRows(plan.Folders, IncludeSubfolders, files);
        for (size_t i = firstFolder; i < files.size(); ++i)
            GuardProtectedRow(files[i], INVALID_FILE_ATTRIBUTES, plan.OwnItems, plan.Roots);
        GuardDatabaseJournals(files, plan.OwnItems);
    }
    spaces.resize(files.size());
    list.swap(files);
    if (newerLeft) *newerLeft = newer;
}

std::string RegistryEntry::NoRowsReason() const {
    const std::string name = ExpandMacros(Trim(KeyName));
    RegistryPath where = SplitRegistryPath(name);
    if (name.empty()) return Text(IDS_EntryNamesNoKey);
    if (!where.root) return FormatText(IDS_EntryRootUnknown, where.rootName);
    if (!where.NamesKeyBelowRoot()) return FormatText(IDS_EntryWholeRootKey, where.rootName);
    return {};
}

void RegistryEntry::ListRegistry(std::vector<std::string>& list) {
    if (!KeyName.empty() && KeyName.back() != '\\') KeyName += '\\';
    RegistryPath where = SplitRegistryPath(ExpandMacros(Trim(KeyName)));
    // No rows for an unknown root, a root key itself, nor a name without a key path (an empty
    // one included).
    if (!where.NamesKeyBelowRoot()) return;
    RegistryKey key(where.root);
    if (!key.OpenKey(where.keyPath)) return;
    const std::string expanded = ExpandMacros(KeyName);
    const size_t first = list.size();
    switch (CleanType) {
        case CleanAllValues:
            for (const auto& name : key.GetValueNames()) list.push_back(expanded + DeleteValueMarker + name);
            break;
        case CleanSingleValue:
            if (key.ValueExists(ValueName))
                list.push_back(expanded + DeleteValueMarker + ValueName);
            break;
        default:
            for (const auto& name : key.GetKeyNames()) list.push_back(expanded + name + DeleteKeyMarker);
            list.push_back(expanded + DeleteKeyMarker);
            break;
    }
    if (!ExcludeList.empty()) {
        std::vector<std::string> kept(list.begin(), list.begin() + first);
        for (size_t i = first; i < list.size(); ++i)
            if (!RegistryRowExcluded(list[i], ExcludeList)) kept.push_back(list[i]);
        list.swap(kept);
    }
    // Rows in a protected place: refused, or held for the user's own items.
    const bool ownItems = SameText(ItemFile, UserItemsPath());
    const bool keyRows = CleanType != CleanAllValues && CleanType != CleanSingleValue;
    for (size_t i = first; i < list.size(); ++i) {
        std::string& row = list[i];
        const bool guarded =
            keyRows ? IsProtectedRegistryPlace(row.substr(0, row.size() - strlen(DeleteKeyMarker)), "", true)
                    : IsProtectedRegistryPlace(expanded, row.substr(expanded.size() + strlen(DeleteValueMarker)),
                                               false);
        if (guarded) row += ownItems ? HeldRowMarker : RefusedRowMarker;
    }
}
