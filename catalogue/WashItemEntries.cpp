// Folder/file entries, registry entries and their lists.
#include <algorithm>

#include "catalogue/KeyTransfer.h"
#include "catalogue/WashItem.h"

namespace {

// "tFolder3." for the keys of folder/file entry 3.
std::string EntryKeyPrefix(const char* listPrefix, int index) {
    return listPrefix + std::to_string(index) + ".";
}

}  // namespace

void FolderEntry::Create(const std::string& ItemFile, int Index, const std::string& ItemName) {
    this->ItemFile = ItemFile;
    this->Index = Index;
    this->ItemName = ItemName;
    Transfer(true);
}

void FolderEntry::Transfer(bool read) {
    KeyTransfer keys(ItemFile, ItemName, EntryKeyPrefix(KeyPrefix, Index), read);
    keys.Text("ChildItemName", Name);
    keys.Flag("isactive", IsActive, false);
    keys.Text("deletepath", FolderMask);
    keys.Text("RegisterName", PathKeyName);
    keys.Text("RegisterValueofName", PathValueName);
    keys.Text("deletefilename", FilePath);
    keys.Choice("bycategory", Category, CategoryFolderMask);
    keys.Flag("IsIncludeSubfolder", IncludeSubfolders, false);
    keys.OptionalFlag("RemoveSelf", RemoveSelf);
    keys.OptionalText("ExcludeList", ExcludeList);
    keys.OptionalCount("OlderThanHours", OlderThanHours);
}

void RegistryEntry::Create(const std::string& ItemFile, int Index, const std::string& ItemName) {
    this->ItemFile = ItemFile;
    this->Index = Index;
    this->ItemName = ItemName;
    Transfer(true);
}

void RegistryEntry::Transfer(bool read) {
    KeyTransfer keys(ItemFile, ItemName, EntryKeyPrefix(KeyPrefix, Index), read);
    keys.Text("ChildItemName", Name);
    keys.Text("RegisterKeyName", KeyName);
    keys.Text("RegisterSingleValue", ValueName);
    keys.Flag("isactive", IsActive, false);
    keys.Choice("CleanRegisterType", CleanType, CleanWholeKey);
    keys.OptionalText("ExcludeList", ExcludeList);
}

template <class Entry>
void EntryList<Entry>::Create(const std::string& ItemFile, const std::string& ItemName) {
    this->ItemFile = ItemFile;
    this->ItemName = ItemName;
    int count = TransferTotal(true);
    Items.clear();
    for (int i = 0; i < count; ++i) Items.emplace_back(ItemFile, i, ItemName);
}

template <class Entry>
int EntryList<Entry>::TransferTotal(bool read) {
    ProfileFile file(ItemFile);
    std::string key = std::string(Entry::KeyPrefix) + ".Total";
    if (read) return std::max(0, file.ReadInteger(ItemName, key, 0));
    file.WriteInteger(ItemName, key, Count());
    return Count();
}

template <class Entry>
void EntryList<Entry>::Add(const Entry& entry) {
    Items.push_back(entry);
    Items.back().Index = Count() - 1;
}

template <class Entry>
void EntryList<Entry>::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    Items.erase(Items.begin() + index);
    for (int i = 0; i < Count(); ++i) Items[i].Index = i;
}

template <class Entry>
void EntryList<Entry>::Replace(const Entry& entry, int index) {
    if (index < 0 || index >= Count()) return;
    CopyEntry(Items[index], entry);
    Items[index].Index = index;
}

template <class Entry>
void EntryList<Entry>::Save() {
    TransferTotal(false);
    for (auto& entry : Items) entry.Transfer(false);
}

template class EntryList<FolderEntry>;
template class EntryList<RegistryEntry>;
