// A whole wash item and its place in the item list of its wash item file.
#include "catalogue/WashItem.h"

#include "catalogue/KeyTransfer.h"
#include "catalogue/WashItemFile.h"

void WashItem::Create(const std::string& ItemFile, const std::string& ItemName) {
    Property = CatalogueRow{};
    Property.ItemName = ItemName;
    Property.ItemFile = ItemFile;
    TransferFlags(true);
    FolderEntries.Create(ItemFile, ItemName);
    RegistryEntries.Create(ItemFile, ItemName);
}

void WashItem::TransferFlags(bool read) {
    KeyTransfer keys(Property.ItemFile, Property.ItemName, "", read);
    keys.Flag("IsActive", Property.IsActive, true);
    keys.Flag("IsSpecial", Property.IsSpecial, false);
}

void WashItem::SetLocation(const std::string& ItemFile, const std::string& ItemName) {
    Property.ItemFile = ItemFile;
    Property.ItemName = ItemName;
    FolderEntries.ItemFile = ItemFile;
    FolderEntries.ItemName = ItemName;
    for (auto& entry : FolderEntries.Items) {
        entry.ItemFile = ItemFile;
        entry.ItemName = ItemName;
    }
    RegistryEntries.ItemFile = ItemFile;
    RegistryEntries.ItemName = ItemName;
    for (auto& entry : RegistryEntries.Items) {
        entry.ItemFile = ItemFile;
        entry.ItemName = ItemName;
    }
}

void WashItem::AddToFile(const std::string& ItemFile, const std::string& ItemName, bool IsActive) {
    SetLocation(ItemFile, ItemName);
    AppendItemName(ProfileFile(ItemFile), ItemName);
    Property.IsActive = IsActive;
    TransferFlags(false);
    FolderEntries.Save();
    RegistryEntries.Save();
}

// The list position is written only when it names this item, and a section that another
// position also names is kept for that one: a wrong position must not unlist or empty
// another item.
void WashItem::Rewrite(const std::string& newName, bool IsActive, int itemIndex) {
    ProfileFile file(Property.ItemFile);
    bool listed = ItemListedAt(file, Property.ItemName, itemIndex);
    if (!SectionNamedElsewhere(file, Property.ItemName, itemIndex)) file.EraseSection(Property.ItemName);
    SetLocation(Property.ItemFile, newName);
    if (listed) file.WriteString(CommonSection, ItemKey(itemIndex), newName);
    Property.IsActive = IsActive;
    TransferFlags(false);
    FolderEntries.Save();
    RegistryEntries.Save();
}

void WashItem::RemoveFromFile(const std::string& ItemFile, const std::string& ItemName, int itemIndex) {
    ProfileFile file(ItemFile);
    if (!SectionNamedElsewhere(file, ItemName, itemIndex)) file.EraseSection(ItemName);
    if (ItemListedAt(file, ItemName, itemIndex)) RemoveItemPosition(file, itemIndex);
}
