#pragma once
// The wash item model: one wash item (WashItem) with its folder/file entries (FolderEntryList of
// FolderEntry) and registry entries (RegistryEntryList of RegistryEntry), and the catalogue row
// (CatalogueRow). Every object is bound to one wash item file and one section in it; reads
// and writes go key by key to that file, nothing is kept open.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/ProtectedPlaces.h"

// Ends a file row that names a folder to remove once the files are washed, if it is empty then:
// the folder, "\", then this marker.
inline constexpr const char* RemoveFolderMarker = "<|>RemoveIfEmpty";
// True for a folder row, guarded (platform/CheckListModel.h) or not.
bool EndsWithFolderMarker(const std::string& row);
// A file row as the user sees it: a folder row as the folder's path and
// "(folder, removed when empty)", a file as its path; neither with a guard marker.
std::string FileRowText(const std::string& row);

// How a folder/file entry chooses its files. Any other stored number reads as 0.
enum FolderCategory : uint8_t {
    CategoryRegistryFolder = 0,  // every file of the folder a registry string value holds
    CategoryFolderMask = 1,      // the files matching FolderMask (folder and mask)
    CategorySingleFile = 2,      // the one file FilePath
};

// What a registry entry deletes. Any other stored number reads as 0.
enum RegistryCleanType : uint8_t {
    CleanWholeKey = 0,     // the key with its subkeys and values
    CleanAllValues = 1,    // every value of the key
    CleanSingleValue = 2,  // the value ValueName
};

// One catalogue row, also the head of a wash item.
class CatalogueRow {
public:
    std::string ItemName;     // also the name of the item's section
    bool IsActive = true;     // checked for washing
    bool IsSpecial = false;   // a built-in operation selected by name
    std::string ItemFile;  // full path of the wash item file
};

// One "FILE|folder\|mask" or "PATH|folder\|mask" of an entry's exclusion list, its folder expanded.
struct EntryExclusion {
    bool subfolders = false;
    std::string folder;  // no final "\"
    std::vector<std::string> masks;

    // The file at path is kept by this exclusion.
    bool Keeps(const std::string& path) const;
};

// What a folder/file entry lists, fixed before any file is searched: the file specifications,
// the folders they lie in (no final "\"), how its rows are guarded, and its exclusions.
struct EntryListing {
    std::vector<std::string> Specs;
    std::vector<std::string> Folders;
    bool OwnItems = false;  // the user's own items: rows in protected places are held, not refused
    std::vector<ResolvedRoot> Roots;
    std::vector<EntryExclusion> Exclusions;
};

// One folder/file entry; its keys are "tFolder<Index>.<field>" in the item's section.
class FolderEntry {
public:
    static constexpr const char* KeyPrefix = "tFolder";

    std::string Name;
    bool IsActive = false;
    FolderCategory Category = CategoryFolderMask;
    std::string PathKeyName;         // category 0: full registry key path
    std::string PathValueName;  // category 0: value that holds a folder path
    std::string FolderMask;           // category 1: folder, "\", mask
    std::string FilePath;       // category 2: full path of one file
    bool IncludeSubfolders = false;
    // Optional keys. After its files, the folder's emptied subfolders and the folder itself
    // are removed (only folders left empty go).
    bool RemoveSelf = false;
    // Files kept whatever the entry selects: "FILE|folder\|mask" (that folder) or
    // "PATH|folder\|mask" (that folder and its subfolders), joined by "<|>".
    std::string ExcludeList;
    // Only files last written more than this many hours ago are listed; 0 lists every file.
    int OlderThanHours = 0;
    std::string ItemFile;
    std::string ItemName;
    int Index = 0;

    FolderEntry() = default;
    FolderEntry(const std::string& ItemFile, int Index, const std::string& ItemName) {
        Create(ItemFile, Index, ItemName);
    }
    // Binds the entry to a file, a section and a position, and reads it from the file.
    void Create(const std::string& ItemFile, int Index, const std::string& ItemName);
    // read: every field takes its stored value or its default. Otherwise writes every key.
    void Transfer(bool read);
    // Replaces list with the full path of every file the entry names (defined with the entry
    // expansion). In category 1 the folder may hold wildcards in any part and the mask may be
    // several masks separated by ";". With RemoveSelf, folder rows (RemoveFolderMarker) follow
    // the files: the subfolders, deepest first, then the folder itself.
    void ListFiles(std::vector<std::string>& list) const;
    // The same; spaces gets each row's space on disk (0 for a folder row), from the listing;
    // newerLeft, when given, the number of files the age limit leaves out.
    void ListFiles(std::vector<std::string>& list, std::vector<uint64_t>& spaces, size_t* newerLeft = nullptr) const;
    // The same in two steps: what the entry names now (macros and registry values read), then
    // the listing of it. onListed, when given, gets each file row that no guard marks and that
    // is no database journal, as soon as the listing has found it.
    EntryListing PlanListing() const;
    void ListFiles(const EntryListing& plan, std::vector<std::string>& list, std::vector<uint64_t>& spaces,
                   size_t* newerLeft, const std::function<void(const std::string& path)>& onListed) const;
    // Why files the entry names are not listed ("3 files newer than 24 hours left"); empty
    // without an age limit.
    std::string AgeLimitNote(size_t newerLeft) const;
};

// One registry entry; its keys are "tRegister<Index>.<field>" in the item's section.
class RegistryEntry {
public:
    static constexpr const char* KeyPrefix = "tRegister";

    std::string Name;
    std::string KeyName;      // root key name, "\", subkey path
    std::string ValueName;  // type 2: the value name
    RegistryCleanType CleanType = CleanWholeKey;
    bool IsActive = false;
    // Optional key: keys kept whatever the entry deletes, joined by "<|>"; rows for such a key,
    // a key above it or a key below it are left out.
    std::string ExcludeList;
    std::string ItemFile;
    std::string ItemName;
    int Index = 0;

    RegistryEntry() = default;
    RegistryEntry(const std::string& ItemFile, int Index, const std::string& ItemName) {
        Create(ItemFile, Index, ItemName);
    }
    void Create(const std::string& ItemFile, int Index, const std::string& ItemName);
    void Transfer(bool read);
    // Appends the registry rows the entry names (defined with the entry expansion); may append
    // "\" to KeyName.
    void ListRegistry(std::vector<std::string>& list);
    // Why ListRegistry gives no rows whatever the registry holds (no key name, a root that is
    // no root key's name, or a root key without a key below it); empty when it may give rows.
    std::string NoRowsReason() const;
};

// The ordered entries of one wash item; FolderEntryList and RegistryEntryList below.
template <class Entry>
class EntryList {
public:
    std::vector<Entry> Items;  // Items[i].Index == i after every Delete
    std::string ItemFile;
    std::string ItemName;

    int Count() const { return static_cast<int>(Items.size()); }

    // Binds the list to a file and section and reads its count and entries.
    void Create(const std::string& ItemFile, const std::string& ItemName);
    // read: returns the stored count (missing, not a number or negative: 0), changing nothing.
    // Otherwise writes Count() and returns it.
    int TransferTotal(bool read);
    // Appends a copy of entry at position Count().
    void Add(const Entry& entry);
    // Removes the entry at index; later entries move down and are renumbered.
    void Delete(int index);
    // Copies entry into position index, which keeps index as its Index.
    void Replace(const Entry& entry, int index);
    // Writes the count, then every entry's keys in list order.
    void Save();
    static void CopyEntry(Entry& target, const Entry& source) { target = source; }
};

extern template class EntryList<FolderEntry>;
extern template class EntryList<RegistryEntry>;

class FolderEntryList : public EntryList<FolderEntry> {
public:
    FolderEntryList() = default;
    FolderEntryList(const std::string& ItemFile, const std::string& ItemName) { Create(ItemFile, ItemName); }
};

class RegistryEntryList : public EntryList<RegistryEntry> {
public:
    RegistryEntryList() = default;
    RegistryEntryList(const std::string& ItemFile, const std::string& ItemName) { Create(ItemFile, ItemName); }
};

// One whole wash item.
class WashItem {
public:
    CatalogueRow Property;
    FolderEntryList FolderEntries;
    RegistryEntryList RegistryEntries;

    WashItem() = default;
    WashItem(const std::string& ItemFile, const std::string& ItemName) { Create(ItemFile, ItemName); }

    // Reads the item's flags and entries from its section; a missing section gives an active,
    // non-special item without entries. Writes nothing.
    void Create(const std::string& ItemFile, const std::string& ItemName);
    // read: "IsActive" (default true) and "IsSpecial" (default false); otherwise writes both.
    void TransferFlags(bool read);
    // Binds the item, both lists and every entry to a file and section. Writes nothing.
    void SetLocation(const std::string& ItemFile, const std::string& ItemName);
    // Appends the item to the file's item list and writes its section; the item stays bound
    // to that file.
    void AddToFile(const std::string& ItemFile, const std::string& ItemName, bool IsActive);
    // Erases the item's section, then writes it anew under newName at position itemIndex of
    // its own file's item list.
    void Rewrite(const std::string& newName, bool IsActive, int itemIndex);
    // Erases the item's section and removes position itemIndex from the file's item list.
    static void RemoveFromFile(const std::string& ItemFile, const std::string& ItemName, int itemIndex);
};
