#pragma once
// winapp2.ini as part of the catalogue: the detected entries as catalogue rows, grouped by
// category, and each entry as a wash item of folder/file and registry entries.
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/WashItem.h"
#include "catalogue/Winapp2File.h"
#include "catalogue/Winapp2Paths.h"

struct Winapp2Counts {
    int Entries = 0;       // sections read
    int Detected = 0;      // entries whose application is on this machine
    int SkippedLines = 0;  // malformed lines
};

// The list row of an entry: "Category: Name", the section name without the " *" that ends it,
// brackets made parentheses.
std::string Winapp2ItemName(const Winapp2Entry& entry);

// Detection over many entries: what it found about a registry key or folder is kept, and a key
// or folder whose parent is missing is not looked up.
class Winapp2Detector {
public:
    // True when any Detect key or DetectFile path exists, or when the entry has no detection
    // key at all; an entry with only a SpecialDetect is not detected.
    bool Detected(const Winapp2Entry& entry);

private:
    // Upper-cased names of a folder's entries, each with true for a folder.
    using Listing = std::unordered_map<std::string, bool>;
    bool KeyExists(const std::string& fullName);
    bool FolderExists(const std::string& folder);
    bool PathExists(const std::string& path);
    const Listing& ListFolder(const std::string& folder);
    int Child(const std::string& parent, const std::string& name);
    std::unordered_map<std::string, bool> keys_, folders_;
    std::unordered_map<std::string, Listing> listings_;
    Winapp2VariableCache variables_;
};

// Builds the wash item of an entry. A FileKey or RegKey that can't be used safely (unknown
// variable, unsafe folder, unknown registry root, a registry root or first-level key) becomes
// an unchecked entry that names the reason and selects nothing. Returns the number of such keys.
int Winapp2ToItem(const Winapp2Entry& entry, const std::string& path, WashItem& item);

class Winapp2Catalogue {
public:
    // Reads the file unless it is unchanged since the last call (same size and time); a
    // missing file leaves the catalogue empty.
    void Load(const std::string& path);
    const std::string& Path() const { return path_; }
    const Winapp2Counts& Counts() const { return counts_; }
    // FileKeys, RegKeys and ExcludeKeys of the detected entries left unused, counted on demand.
    int RefusedKeys() const;
    // Appends the detected entries, unchecked, grouped by category.
    void AppendRows(Catalogue& list) const;
    // Renames the order rows of this file saved under an entry's former name (the section name
    // with its " *") to the entry's name, so that they keep their place and check mark.
    void AdoptFormerNames(Catalogue& order) const;
    // The row comes from this file.
    bool Owns(const CatalogueRow& row) const { return loaded_ && row.ItemFile == path_; }
    // The complete entry behind a row of this file; false for another row.
    bool EntryOf(const CatalogueRow& row, Winapp2Entry& entry) const;
    // Fills item from the row's entry; false when the row is not one of this file.
    bool MakeItem(const CatalogueRow& row, WashItem& item) const;

private:
    std::string path_;
    bool loaded_ = false;
    unsigned long long size_ = 0, time_ = 0;
    Winapp2File file_;
    std::vector<size_t> rows_;  // detected entries in list order
    std::unordered_map<std::string, size_t> byItemName_;
    Winapp2Counts counts_;
};
