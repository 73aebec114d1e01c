// Detection of winapp2.ini entries and their wash items.
#include "catalogue/Winapp2Items.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/RootKeys.h"
#include "catalogue/Winapp2Paths.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find('|', start);
        parts.push_back(Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string NoFinalBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// Number of key names after the root: 0 for "HKEY_CURRENT_USER", 1 for "...\Software".
int KeyDepth(const std::string& fullName) {
    int depth = 0;
    std::string rest = NoFinalBackslash(fullName);
    for (size_t i = 0; i < rest.size(); ++i)
        if (rest[i] == '\\' && i + 1 < rest.size()) ++depth;
    return depth;
}

FolderEntry RefusedFolder(const std::string& keyName, const std::string& reason, const std::string& value) {
    FolderEntry entry;
    entry.Name = FormatText(IDS_Winapp2Refused, keyName, reason, value);
    entry.IsActive = false;
    entry.Category = CategoryFolderMask;
    return entry;
}

// The entry's file exclusions with their variables expanded, joined by "<|>"; refused counts
// those that can't be used.
std::string FileExclusions(const Winapp2Entry& entry, int& refused) {
    std::string list;
    for (const auto& text : entry.ExcludeKeys) {
        std::vector<std::string> parts = SplitBars(text);
        bool file = SameText(parts[0], "FILE");
        if (!file && !SameText(parts[0], "PATH")) continue;
        if (parts.size() < 2 || parts[1].empty()) {
            ++refused;
            continue;
        }
        std::string folder = parts[1], mask = parts.size() > 2 ? parts[2] : std::string();
        if (parts.size() == 2 && file) {
            mask = ExtractFileName(folder);
            folder = ExtractFilePath(folder);
        }
        if (mask.empty()) mask = "*";
        std::vector<std::string> folders = ExpandWinapp2Variables(folder);
        if (folders.empty()) ++refused;
        for (const auto& f : folders) {
            if (!list.empty()) list += "<|>";
            list += (file ? "FILE|" : "PATH|") + NoFinalBackslash(f) + "\\|" + mask;
        }
    }
    return list;
}

std::string RegistryExclusions(const Winapp2Entry& entry, int& refused) {
    std::string list;
    for (const auto& text : entry.ExcludeKeys) {
        std::vector<std::string> parts = SplitBars(text);
        if (!SameText(parts[0], "REG")) continue;
        std::string full;
        if (parts.size() < 2 || !Winapp2RegistryKey(parts[1], full)) {
            ++refused;
            continue;
        }
        if (!list.empty()) list += "<|>";
        list += full;
        if (parts.size() > 2) list += "|" + parts[2];
    }
    return list;
}

// Brackets would end a section name in order.ini; "<|>" splits its row keys.
std::string RowName(const std::string& category, const std::string& sectionName) {
    std::string name = category + ": " + sectionName;
    for (auto& c : name) {
        if (c == '[') c = '(';
        else if (c == ']') c = ')';
    }
    for (size_t at; (at = name.find("<|>")) != std::string::npos;) name.replace(at, 3, "</>");
    return name;
}

}  // namespace

// Every section name of the format ends in " *": a mark of the format, no part of the name.
std::string Winapp2ItemName(const Winapp2Entry& entry) {
    std::string_view name = entry.Name;
    if (name.size() > 2 && name.ends_with(" *")) name.remove_suffix(2);
    return RowName(entry.Category, std::string(name));
}

bool Winapp2Detector::Detected(const Winapp2Entry& entry) {
    if (entry.Detects.empty() && entry.DetectFiles.empty()) return !entry.SpecialDetect;
    for (const auto& key : entry.Detects) {
        std::string full;
        if (Winapp2RegistryKey(key, full) && KeyExists(NoFinalBackslash(full))) return true;
    }
    for (const auto& path : entry.DetectFiles)
        for (const auto& expanded : ExpandWinapp2Variables(path, &variables_))
            if (PathExists(NoFinalBackslash(expanded))) return true;
    return false;
}

// A key counts in either registry view: an application of either kind is there. A key whose
// parent is missing is missing: keys of one vendor are looked up once.
bool Winapp2Detector::KeyExists(const std::string& full) {
    std::string upper = UpperCase(full);
    auto known = keys_.find(upper);
    if (known != keys_.end()) return known->second;
    RegistryPath where = SplitRegistryPath(full);
    bool exists = false;
    if (where.NamesKeyBelowRoot()) {
        size_t parent = full.rfind('\\');
        bool parentExists = KeyDepth(full) < 2 || KeyExists(full.substr(0, parent));
        exists = parentExists && (RegistryKey(where.root).KeyExists(where.keyPath) ||
                                  RegistryKey(where.root, RegistryView::Wow32).KeyExists(where.keyPath));
    }
    keys_.emplace(std::move(upper), exists);
    return exists;
}

// Each folder that matters is listed once; names are then looked up in memory, since the
// system's lookup of a missing name costs as much as a listing.
const Winapp2Detector::Listing& Winapp2Detector::ListFolder(const std::string& folder) {
    std::string upper = UpperCase(folder);
    auto known = listings_.find(upper);
    if (known != listings_.end()) return known->second;
    Listing& listing = listings_[upper];
    WIN32_FIND_DATAW data;
    HANDLE find = NativeFindFirstFile(folder + (folder.back() == '\\' ? "*" : "\\*"), data);
    if (find == INVALID_HANDLE_VALUE) return listing;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
        listing.emplace(UpperCase(Narrow(data.cFileName, wcslen(data.cFileName))),
                        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return listing;
}

// 1 folder, 0 file, -1 missing. A name with other than ASCII letters is asked of the system.
int Winapp2Detector::Child(const std::string& parent, const std::string& name) {
    const Listing& listing = ListFolder(parent);
    auto it = listing.find(UpperCase(name));
    if (it != listing.end()) return it->second ? 1 : 0;
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x80) {
            DWORD attrs = NativeFileAttributes(parent + (parent.back() == '\\' ? "" : "\\") + name);
            if (attrs == INVALID_FILE_ATTRIBUTES) return -1;
            return (attrs & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
        }
    return -1;
}

bool Winapp2Detector::FolderExists(const std::string& folder) {
    if (folder.size() <= 3) {
        DWORD attrs = NativeFileAttributes(folder);
        return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::string upper = UpperCase(folder);
    auto known = folders_.find(upper);
    if (known != folders_.end()) return known->second;
    std::string parent = NoFinalBackslash(ExtractFilePath(folder));
    bool exists = parent.size() < folder.size() && FolderExists(parent) &&
                  Child(parent, ExtractFileName(folder)) == 1;
    folders_.emplace(std::move(upper), exists);
    return exists;
}

bool Winapp2Detector::PathExists(const std::string& path) {
    std::string parent = NoFinalBackslash(ExtractFilePath(path));
    std::string name = ExtractFileName(path);
    if (HasWildcard(parent)) return !MatchWildcardPath(path, false).empty();
    if (parent.empty() || parent.size() >= path.size()) return FolderExists(path);
    if (!FolderExists(parent)) return false;
    if (!HasWildcard(name)) return Child(parent, name) >= 0;
    for (const auto& entry : ListFolder(parent))
        if (WildcardMatch(entry.first, name)) return true;
    return false;
}

int Winapp2ToItem(const Winapp2Entry& entry, const std::string& path, WashItem& item) {
    int refused = 0;
    item = WashItem();
    item.Property.ItemName = Winapp2ItemName(entry);
    item.Property.ItemFile = path;
    item.Property.IsActive = false;
    const std::string fileExclusions = FileExclusions(entry, refused);
    const std::string registryExclusions = RegistryExclusions(entry, refused);

    for (size_t k = 0; k < entry.FileKeys.size(); ++k) {
        const std::string& keyName = entry.FileKeyNames[k];
        std::vector<std::string> parts = SplitBars(entry.FileKeys[k]);
        const std::string flag = parts.size() > 2 ? parts[2] : std::string();
        const bool removeSelf = SameText(flag, "REMOVESELF");
        const bool recurse = removeSelf || SameText(flag, "RECURSE");
        std::string masks = parts.size() > 1 && !parts[1].empty() ? parts[1] : "*.*";
        std::string reason;
        std::vector<std::string> folders;
        if (parts[0].empty()) reason = Text(IDS_Winapp2NoPath);
        else if (masks.find_first_of("\\/:") != std::string::npos) reason = Text(IDS_Winapp2MaskWithFolder);
        else if ((folders = ExpandWinapp2Variables(parts[0])).empty()) reason = Text(IDS_Winapp2UnknownVariable);
        if (!reason.empty()) {
            item.FolderEntries.Add(RefusedFolder(keyName, reason, entry.FileKeys[k]));
            ++refused;
            continue;
        }
        for (const auto& folder : folders) {
            std::string clean = NoFinalBackslash(folder);
            std::string unsafe = UnsafeFolderReason(clean, recurse);
            if (!unsafe.empty()) {
                item.FolderEntries.Add(RefusedFolder(keyName, unsafe, entry.FileKeys[k]));
                ++refused;
                continue;
            }
            FolderEntry child;
            child.Name = keyName + ": " + clean + "|" + masks + (flag.empty() ? "" : "|" + flag);
            child.IsActive = true;
            child.Category = CategoryFolderMask;
            child.FolderMask = (clean.back() == '\\' ? clean : clean + "\\") + masks;
            child.IncludeSubfolders = recurse;
            child.RemoveSelf = removeSelf;
            child.ExcludeList = fileExclusions;
            item.FolderEntries.Add(child);
        }
    }

    for (size_t k = 0; k < entry.RegKeys.size(); ++k) {
        const std::string& keyName = entry.RegKeyNames[k];
        std::vector<std::string> parts = SplitBars(entry.RegKeys[k]);
        RegistryEntry child;
        std::string full;
        std::string reason;
        const bool hasValue = parts.size() > 1;
        if (!Winapp2RegistryKey(parts[0], full)) reason = Text(IDS_Winapp2UnknownRoot);
        else if (!hasValue && KeyDepth(full) < 2) reason = Text(IDS_Winapp2RootOrFirstLevel);
        else if (KeyDepth(full) < 1) reason = Text(IDS_Winapp2RegistryRoot);
        if (!reason.empty()) {
            child.Name = FormatText(IDS_Winapp2Refused, keyName, reason, entry.RegKeys[k]);
            child.IsActive = false;
            ++refused;
        } else {
            child.Name = keyName + ": " + full + (hasValue ? "|" + parts[1] : "");
            child.KeyName = full;
            child.CleanType = hasValue ? CleanSingleValue : CleanWholeKey;
            child.ValueName = hasValue ? parts[1] : std::string();
            child.IsActive = true;
            child.ExcludeList = registryExclusions;
        }
        item.RegistryEntries.Add(child);
    }
    item.SetLocation(path, item.Property.ItemName);
    return refused;
}

void Winapp2Catalogue::Load(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *this = Winapp2Catalogue();
        return;
    }
    unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    unsigned long long time = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime;
    if (loaded_ && path == path_ && size == size_ && time == time_) return;
    *this = Winapp2Catalogue();
    if (!file_.Load(path)) return;
    path_ = path;
    size_ = size;
    time_ = time;
    loaded_ = true;
    counts_.Entries = static_cast<int>(file_.Entries.size());
    counts_.SkippedLines = file_.SkippedLines;
    Winapp2Detector detector;
    for (size_t i = 0; i < file_.Entries.size(); ++i)
        if (detector.Detected(file_.Entries[i])) rows_.push_back(i);
    counts_.Detected = static_cast<int>(rows_.size());
    std::stable_sort(rows_.begin(), rows_.end(), [this](size_t a, size_t b) {
        return AnsiCompareText(file_.Entries[a].Category, file_.Entries[b].Category) < 0;
    });
    for (size_t i : rows_) byItemName_.emplace(Winapp2ItemName(file_.Entries[i]), i);
}

void Winapp2Catalogue::AppendRows(Catalogue& list) const {
    for (size_t i : rows_) {
        CatalogueRow row;
        row.ItemName = Winapp2ItemName(file_.Entries[i]);
        row.IsActive = false;
        row.ItemFile = path_;
        list.Append(row);
    }
}

void Winapp2Catalogue::AdoptFormerNames(Catalogue& order) const {
    std::unordered_map<std::string, std::string> present;
    for (size_t i : rows_) {
        const Winapp2Entry& entry = file_.Entries[i];
        std::string former = RowName(entry.Category, entry.Name);
        // A former name that is another entry's name now stays that entry's.
        if (!byItemName_.count(former)) present.emplace(std::move(former), Winapp2ItemName(entry));
    }
    for (auto& row : order.Items) {
        if (!Owns(row)) continue;
        auto it = present.find(row.ItemName);
        if (it != present.end()) row.ItemName = it->second;
    }
}

int Winapp2Catalogue::RefusedKeys() const {
    int refused = 0;
    for (size_t i : rows_) {
        WashItem item;
        refused += Winapp2ToItem(file_.Complete(file_.Entries[i]), path_, item);
    }
    return refused;
}

bool Winapp2Catalogue::EntryOf(const CatalogueRow& row, Winapp2Entry& entry) const {
    if (!Owns(row)) return false;
    auto it = byItemName_.find(row.ItemName);
    if (it == byItemName_.end()) return false;
    entry = file_.Complete(file_.Entries[it->second]);
    return true;
}

bool Winapp2Catalogue::MakeItem(const CatalogueRow& row, WashItem& item) const {
    Winapp2Entry entry;
    if (!EntryOf(row, entry)) return false;
    Winapp2ToItem(entry, path_, item);
    item.Property.IsActive = row.IsActive;
    return true;
}
