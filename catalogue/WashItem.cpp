// A whole wash item and its place in the item list of its wash item file.
#include "catalogue/WashItem.h"

#include "catalogue/KeyTransfer.h"
#include "catalogue/WashItemFile.h"

void tItemContent::Create(const std::string& txtfilename, const std::string& ItemName) {
    Property = titem_property{};
    Property.ItemName = ItemName;
    Property.txtfilename = txtfilename;
    TransferFlags(true);
    Folders.Create(txtfilename, ItemName);
    Registers.Create(txtfilename, ItemName);
}

void tItemContent::TransferFlags(bool read) {
    KeyTransfer keys(Property.txtfilename, Property.ItemName, "", read);
    keys.Flag("IsActive", Property.IsActive, true);
    keys.Flag("IsSpecial", Property.IsSpecial, false);
}

void tItemContent::SetLocation(const std::string& txtfilename, const std::string& ItemName) {
    Property.txtfilename = txtfilename;
    Property.ItemName = ItemName;
    Folders.txtfilename = txtfilename;
    Folders.ItemName = ItemName;
    for (auto& entry : Folders.Items) {
        entry.txtfilename = txtfilename;
        entry.ItemName = ItemName;
    }
    Registers.txtfilename = txtfilename;
    Registers.ItemName = ItemName;
    for (auto& entry : Registers.Items) {
        entry.txtfilename = txtfilename;
        entry.ItemName = ItemName;
    }
}

void tItemContent::AddToFile(const std::string& txtfilename, const std::string& ItemName, bool IsActive) {
    SetLocation(txtfilename, ItemName);
    AppendItemName(ProfileFile(txtfilename), ItemName);
    Property.IsActive = IsActive;
    TransferFlags(false);
    Folders.Save();
    Registers.Save();
}

// The list position is written only when it names this item, and a section that another
// position also names is kept for that one: a wrong position must not unlist or empty
// another item.
void tItemContent::Rewrite(const std::string& newName, bool IsActive, int itemIndex) {
    ProfileFile file(Property.txtfilename);
    bool listed = ItemListedAt(file, Property.ItemName, itemIndex);
    if (!SectionNamedElsewhere(file, Property.ItemName, itemIndex)) file.EraseSection(Property.ItemName);
    SetLocation(Property.txtfilename, newName);
    if (listed) file.WriteString(CommonSection, ItemKey(itemIndex), newName);
    Property.IsActive = IsActive;
    TransferFlags(false);
    Folders.Save();
    Registers.Save();
}

void tItemContent::RemoveFromFile(const std::string& txtfilename, const std::string& ItemName, int itemIndex) {
    ProfileFile file(txtfilename);
    if (!SectionNamedElsewhere(file, ItemName, itemIndex)) file.EraseSection(ItemName);
    if (ItemListedAt(file, ItemName, itemIndex)) RemoveItemPosition(file, itemIndex);
}
