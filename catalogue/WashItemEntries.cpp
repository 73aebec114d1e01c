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

void tChildFolder::Create(const std::string& txtfilename, int Index, const std::string& ItemName) {
    this->txtfilename = txtfilename;
    this->Index = Index;
    this->ItemName = ItemName;
    Transfer(true);
}

void tChildFolder::Transfer(bool read) {
    KeyTransfer keys(txtfilename, ItemName, EntryKeyPrefix(KeyPrefix, Index), read);
    keys.Text("ChildItemName", ChildItemName);
    keys.Flag("isactive", isactive, false);
    keys.Text("deletepath", deletepath);
    keys.Text("RegisterName", RegisterName);
    keys.Text("RegisterValueofName", RegisterValueofName);
    keys.Text("deletefilename", deletefilename);
    keys.Choice("bycategory", bycategory, CategoryFolderMask);
    keys.Flag("IsIncludeSubfolder", IsIncludeSubfolder, false);
    keys.OptionalFlag("RemoveSelf", RemoveSelf);
    keys.OptionalText("ExcludeList", ExcludeList);
}

void tChildRegister::Create(const std::string& txtfilename, int Index, const std::string& ItemName) {
    this->txtfilename = txtfilename;
    this->Index = Index;
    this->ItemName = ItemName;
    Transfer(true);
}

void tChildRegister::Transfer(bool read) {
    KeyTransfer keys(txtfilename, ItemName, EntryKeyPrefix(KeyPrefix, Index), read);
    keys.Text("ChildItemName", ChildItemName);
    keys.Text("RegisterKeyName", RegisterKeyName);
    keys.Text("RegisterSingleValue", RegisterSingleValue);
    keys.Flag("isactive", isactive, false);
    keys.Choice("CleanRegisterType", CleanRegisterType, CleanWholeKey);
    keys.OptionalText("ExcludeList", ExcludeList);
}

template <class Entry>
void EntryList<Entry>::Create(const std::string& txtfilename, const std::string& ItemName) {
    this->txtfilename = txtfilename;
    this->ItemName = ItemName;
    int count = TransferTotal(true);
    Items.clear();
    for (int i = 0; i < count; ++i) Items.emplace_back(txtfilename, i, ItemName);
}

template <class Entry>
int EntryList<Entry>::TransferTotal(bool read) {
    ProfileFile file(txtfilename);
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

template class EntryList<tChildFolder>;
template class EntryList<tChildRegister>;
