// Commands on the wash item list: add, edit, delete, move up and down, check marks.
#include "app/Unitmain.h"
#include "app/UnitmainRes.h"
#include "catalogue/FileReplace.h"
#include "catalogue/ItemNames.h"
#include "catalogue/ListUtils.h"
#include "catalogue/WashItemFile.h"
#include "dialogs/UnitAddorEditItem.h"
#include "platform/Error.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "settings/AppPaths.h"

namespace {
const char* const NameExists = "Item Name exists! Please retry.";

std::string ReservedNameMessage(const std::string& name) {
    return "Item Name '" + name +
           "' can not be used: a wash item can not be named Common nor hold <|>, [ or ]. Please retry.";
}

// The row of the catalogue that holds the item, preferring row; -1 when none does.
int CatalogueRowOf(const titem_list& catalogue, const titem_property& item, int row) {
    auto same = [&](int r) {
        return catalogue.Items[r].ItemName == item.ItemName && catalogue.Items[r].txtfilename == item.txtfilename;
    };
    if (row >= 0 && row < catalogue.Count() && same(row)) return row;
    for (int r = 0; r < catalogue.Count(); ++r)
        if (same(r)) return r;
    return -1;
}
}  // namespace

void TFormMainVRNT::BindListCommands() {
    OnClick(IDC_SpNew, [this] { SpNewClick(); });
    OnClick(IDC_SpEdit, [this] { SpEditClick(); });
    OnClick(IDC_SpDelete, [this] { SpDeleteClick(); });
    OnClick(IDC_btnUp, [this] { btnUpClick(); });
    OnClick(IDC_btnDown, [this] { btnDownClick(); });
    OnClick(IDC_btnSelectall, [this] { btnSelectallClick(); });
    OnClick(IDC_btnUnselectAll, [this] { btnUnselectAllClick(); });
    OnClick(IDC_btnaddfolder, [this] { btnaddfolderClick(); });
    OnClick(IDC_btnEditFolder, [this] { btnEditFolderClick(); });
    OnClick(IDC_btndeletefolder, [this] { btndeletefolderClick(); });
    OnClick(IDC_btnAddRegsiterChild, [this] { btnAddRegsiterChildClick(); });
    OnClick(IDC_btnEditRegsiterChild, [this] { btnEditRegsiterChildClick(); });
    OnClick(IDC_btndeleteregister, [this] { btndeleteregisterClick(); });

    // A click on a row's check box makes that row the selected one before the mark counts.
    ChListBoxItem.OnClickCheck = [this](int index) {
        if (washRunning_) {
            RestoreItemChecks();
            return;
        }
        if (index != ChListBoxItem.Selected()) {
            ChListBoxItem.Select(index);
            RunGuarded(Handle(), [this] { ChListBoxItemClick(); });
        }
        ChListBoxItemClickCheck();
    };
    ChListBoxFolder.OnClickCheck = [this](int index) {
        if (index != ChListBoxFolder.Selected()) ChListBoxFolder.Select(index);
        ChListBoxFolderClickCheck();
    };
    ChListBoxRegister.OnClickCheck = [this](int index) {
        if (index != ChListBoxRegister.Selected()) ChListBoxRegister.Select(index);
        ChListBoxRegisterClickCheck();
    };
}

void TFormMainVRNT::RunListCommand(const std::function<void()>& body) {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), body);
}

void TFormMainVRNT::SaveCatalogueOrder() {
    RewriteThroughCopy(OrderFilePath(), [this](const std::string& copy) { Catalogue.SaveToFile(copy); });
}

void TFormMainVRNT::ShowUnlistedItem(const titem_property& row) {
    ShowRefusal(Handle(), "Item '" + row.ItemName + "' is no longer listed in " + row.txtfilename +
                              ". Nothing was changed; the wash item list is read again.");
    ReloadCatalogue();
}

void TFormMainVRNT::RestoreItemChecks() {
    int count = std::min(ChListBoxItem.Count(), Catalogue.Count());
    for (int r = 0; r < count; ++r) ChListBoxItem.SetChecked(r, Catalogue.Items[r].IsActive);
}

void TFormMainVRNT::SyncWashMenuChecks() {
    if (!MenuWash) return;
    // Checked winapp2.ini rows come and go in the submenu.
    if (Winapp2.Counts().Detected > 0) return FillWashMenu();
    for (int r = 0; r < ChListBoxItem.Count(); ++r)
        CheckMenuItem(MenuWash, IDM_MenuWashItemBase + r,
                      MF_BYCOMMAND | (ChListBoxItem.Checked(r) ? MF_CHECKED : MF_UNCHECKED));
}

void TFormMainVRNT::SpNewClick() {
    RunListCommand([this] {
        const std::string file = ProgramDirectory + "const\\user.txt";
        // A new item starts empty, whatever a "New Item" left in the file holds.
        TFormAddEditItem editor;
        editor.Caption = "Add Wash Item";
        editor.Edititemname = "New Item";
        editor.Chisactive = true;
        editor.LabelStore = file;
        if (editor.ShowModal(Handle()) != mrOK) return;
        const std::string name = editor.Edititemname;
        const bool active = editor.Chisactive;
        if (ItemNameExists(file, name)) return ShowRefusal(Handle(), NameExists);
        if (IsReservedItemName(name)) return ShowRefusal(Handle(), ReservedNameMessage(name));

        SaveCatalogueOrder();
        CreateDirectoryA((ProgramDirectory + "const").c_str(), nullptr);
        RewriteThroughCopy(file, [&](const std::string& copy) {
            tItemContent item;
            item.AddToFile(copy, name, active);
        });
        LoadCatalogue();
        FillWashItemList();
        ChListBoxItem.Select(ChListBoxItem.Count() - 1);
        ChListBoxItemClick();
    });
}

void TFormMainVRNT::SpEditClick() {
    RunListCommand([this] {
        const int i = ChListBoxItem.Selected();
        if (i < 0 || i >= Catalogue.Count()) return;
        if (RefuseWinapp2Change(i)) return;
        const titem_property row = Catalogue.Items[i];
        // Rewriting an item under such a name would erase or split the file's sections.
        if (IsReservedItemName(row.ItemName)) return ShowRefusal(Handle(), ReservedNameMessage(row.ItemName));
        const int n = FindItemIndex(row.txtfilename, row.ItemName);
        if (n < 0) return ShowUnlistedItem(row);
        const tItemContent item(row.txtfilename, row.ItemName);

        TFormAddEditItem editor;
        editor.Caption = "Edit Wash Item";
        editor.Edititemname = row.ItemName;
        editor.Chisactive = ChListBoxItem.Checked(i);
        editor.LabelStore = row.txtfilename;
        if (editor.ShowModal(Handle()) != mrOK) return;
        const std::string name = editor.Edititemname;
        const bool active = editor.Chisactive;
        if (ItemNameExistsElsewhere(row.txtfilename, name, n)) return ShowRefusal(Handle(), NameExists);
        if (IsReservedItemName(name)) return ShowRefusal(Handle(), ReservedNameMessage(name));

        int at = CatalogueRowOf(Catalogue, row, i);
        bool wasActive = at >= 0 && Catalogue.Items[at].IsActive;
        if (at >= 0) Catalogue.Items[at].IsActive = active;
        try {
            SaveCatalogueOrder();
            RewriteThroughCopy(row.txtfilename, [&](const std::string& copy) {
                tItemContent target = item;
                target.SetLocation(copy, row.ItemName);
                target.Rewrite(name, active, n);
            });
        } catch (...) {
            // The list keeps showing what the files hold.
            if (at >= 0) Catalogue.Items[at].IsActive = wasActive;
            throw;
        }
        LoadCatalogue();
        FillWashItemList();
        ChListBoxItem.Select(std::min(i, ChListBoxItem.Count() - 1));
        ChListBoxItemClick();
    });
}

void TFormMainVRNT::SpDeleteClick() {
    RunListCommand([this] {
        const int i = ChListBoxItem.Selected();
        if (i < 0 || i >= Catalogue.Count()) return;
        if (RefuseWinapp2Change(i)) return;
        const titem_property row = Catalogue.Items[i];
        if (!AskQuestion(Handle(), "Do you want to delete '" + ChListBoxItem.Text(i) + "'?")) return;
        const int n = FindItemIndex(row.txtfilename, row.ItemName);
        if (n < 0) return ShowUnlistedItem(row);

        SaveCatalogueOrder();
        RewriteThroughCopy(row.txtfilename, [&](const std::string& copy) {
            // The section of an item named "Common" is the item list itself: only its place goes.
            if (SameText(Trim(row.ItemName), CommonSection)) RemoveItemPosition(ProfileFile(copy), n);
            else tItemContent::RemoveFromFile(copy, row.ItemName, n);
        });
        LoadCatalogue();
        FillWashItemList();
        if (ChListBoxItem.Count() == 0) {
            CurrentItem.reset();
            ChListBoxFolder.Clear();
            ChListBoxRegister.Clear();
            return;
        }
        ChListBoxItem.Select(i < ChListBoxItem.Count() ? i : 0);
        ChListBoxItemClick();
    });
}

void TFormMainVRNT::btnUpClick() {
    int i = ChListBoxItem.Selected();
    if (i < 1 || i >= Catalogue.Count()) return;
    Catalogue.MoveUp(i);
    FillWashItemList();
    ChListBoxItem.Select(i - 1);
    RunGuarded(Handle(), [this] { ChListBoxItemClick(); });
}

void TFormMainVRNT::btnDownClick() {
    int i = ChListBoxItem.Selected();
    if (i < 0 || i >= Catalogue.Count() - 1) return;
    Catalogue.MoveDown(i);
    FillWashItemList();
    ChListBoxItem.Select(i + 1);
    RunGuarded(Handle(), [this] { ChListBoxItemClick(); });
}

void TFormMainVRNT::btnSelectallClick() {
    if (washRunning_) return;
    CheckAll(ChListBoxItem.Model(), 1);
    UncheckWinapp2Warnings();
    ChListBoxItemClickCheck();
}

void TFormMainVRNT::btnUnselectAllClick() {
    if (washRunning_) return;
    CheckAll(ChListBoxItem.Model(), 0);
    ChListBoxItemClickCheck();
}

// Only the selected item's file is rewritten; the other rows' marks reach order.ini later.
// When the mark cannot be stored, every row shows the catalogue's mark again.
void TFormMainVRNT::ChListBoxItemClickCheck() {
    // Its messages are modal too: no automatic wash may start under them.
    if (washRunning_) return RestoreItemChecks();
    RunningScope running(washRunning_);
    bool stored = false;
    RunGuarded(Handle(), [&] {
        int i = ChListBoxItem.Selected();
        if (i >= 0 && i < Catalogue.Count()) {
            const titem_property row = Catalogue.Items[i];
            // winapp2.ini is never written: the mark lives in the list and in order.ini.
            const bool community = Winapp2.Owns(row);
            if (community && ChListBoxItem.Checked(i) && !row.IsActive && !ConfirmWinapp2Check(i))
                ChListBoxItem.SetChecked(i, false);
            const bool active = ChListBoxItem.Checked(i);
            if (!community) {
                if (IsReservedItemName(row.ItemName))
                    return ShowRefusal(Handle(), ReservedNameMessage(row.ItemName));
                const int n = FindItemIndex(row.txtfilename, row.ItemName);
                if (n < 0) return ShowUnlistedItem(row);
                tItemContent item(row.txtfilename, row.ItemName);
                RewriteThroughCopy(row.txtfilename, [&](const std::string& copy) {
                    item.SetLocation(copy, row.ItemName);
                    item.Rewrite(row.ItemName, active, n);
                });
            }
            if (CurrentItem && CurrentItem->Property.ItemName == row.ItemName &&
                CurrentItem->Property.txtfilename == row.txtfilename)
                CurrentItem->Property.IsActive = active;
        }
        int count = std::min(ChListBoxItem.Count(), Catalogue.Count());
        for (int r = 0; r < count; ++r) Catalogue.Items[r].IsActive = ChListBoxItem.Checked(r);
        stored = true;
    });
    if (!stored) RestoreItemChecks();
    SyncWashMenuChecks();
}
