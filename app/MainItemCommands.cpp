// Commands on the wash item list: add, edit, delete, move up and down, check marks.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "catalogue/FileReplace.h"
#include "catalogue/ItemNames.h"
#include "catalogue/ListUtils.h"
#include "catalogue/WashItemFile.h"
#include "dialogs/WashItemDialog.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {
std::string NameExists() { return Text(IDS_NameExists); }

std::string ReservedNameMessage(const std::string& name) { return FormatText(IDS_ReservedName, name); }

// The row of the catalogue that holds the item, preferring row; -1 when none does.
int CatalogueRowOf(const Catalogue& catalogue, const CatalogueRow& item, int row) {
    auto same = [&](int r) {
        return catalogue.Items[r].ItemName == item.ItemName && catalogue.Items[r].ItemFile == item.ItemFile;
    };
    if (row >= 0 && row < catalogue.Count() && same(row)) return row;
    for (int r = 0; r < catalogue.Count(); ++r)
        if (same(r)) return r;
    return -1;
}
}  // namespace

void MainWindow::BindListCommands() {
    // Commands that change the catalogue run only where a policy allows editing.
    auto onEditClick = [this](int id, void (MainWindow::*command)()) {
        OnClick(id, [this, command] {
            if (EditingAllowed()) (this->*command)();
        });
    };
    onEditClick(IDC_AddItem, &MainWindow::OnAddItem);
    onEditClick(IDC_EditItem, &MainWindow::OnEditItem);
    onEditClick(IDC_DeleteItem, &MainWindow::OnDeleteItem);
    OnClick(IDC_MoveItemUp, [this] { OnMoveItemUp(); });
    OnClick(IDC_MoveItemDown, [this] { OnMoveItemDown(); });
    OnClick(IDC_CheckAllItems, [this] { OnCheckAllItems(); });
    OnClick(IDC_UncheckAllItems, [this] { OnUncheckAllItems(); });
    onEditClick(IDC_AddFolderEntry, &MainWindow::OnAddFolderEntry);
    onEditClick(IDC_EditFolderEntry, &MainWindow::OnEditFolderEntry);
    onEditClick(IDC_DeleteFolderEntry, &MainWindow::OnDeleteFolderEntry);
    onEditClick(IDC_AddRegistryEntry, &MainWindow::OnAddRegistryEntry);
    onEditClick(IDC_EditRegistryEntry, &MainWindow::OnEditRegistryEntry);
    onEditClick(IDC_DeleteRegistryEntry, &MainWindow::OnDeleteRegistryEntry);

    // A click on a row's check box makes that row the selected one before the mark counts.
    ItemList.OnClickCheck = [this](int index) {
        if (washRunning_) {
            RestoreItemChecks();
            return;
        }
        if (RowCheckHeld(index)) return;
        if (index != ItemList.Selected()) {
            ItemList.Select(index);
            RunGuarded(Handle(), [this] { OnItemSelected(); });
        }
        OnItemChecked();
    };
    FolderList.OnClickCheck = [this](int index) {
        if (index != FolderList.Selected()) FolderList.Select(index);
        OnFolderEntryChecked();
    };
    RegistryList.OnClickCheck = [this](int index) {
        if (index != RegistryList.Selected()) RegistryList.Select(index);
        OnRegistryEntryChecked();
    };
}

void MainWindow::RunListCommand(const std::function<void()>& body) {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), body);
}

void MainWindow::SaveCatalogueOrder() {
    RewriteThroughCopy(OrderFilePath(), [this](const std::string& copy) { CatalogueToStore().SaveToFile(copy); });
}

void MainWindow::ShowUnlistedItem(const CatalogueRow& row) {
    ShowRefusal(Handle(), FormatText(IDS_ItemUnlisted, TranslateUiText(row.ItemName), row.ItemFile));
    ReloadCatalogue();
}

void MainWindow::RestoreItemChecks() {
    int count = std::min(ItemList.Count(), WashItems.Count());
    for (int r = 0; r < count; ++r) ItemList.SetChecked(r, WashItems.Items[r].IsActive);
}

void MainWindow::SyncWashMenuChecks() {
    if (!WashMenu) return;
    // Checked winapp2.ini rows come and go in the submenu.
    if (Winapp2.Counts().Detected > 0) return FillWashMenu();
    for (int r = 0; r < ItemList.Count(); ++r)
        CheckMenuItem(WashMenu, IDM_WashItemBase + r,
                      MF_BYCOMMAND | (ItemList.Checked(r) ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::OnAddItem() {
    RunListCommand([this] {
        const std::string file = UserItemsPath();
        // A new item starts empty, whatever a "New Item" left in the file holds.
        WashItemDialog editor;
        editor.Caption = Text(IDS_AddWashItem);
        editor.ItemName = Text(IDS_NewItem);
        editor.Active = true;
        editor.ItemFile = file;
        if (editor.ShowModal(Handle()) != mrOK) return;
        const std::string name = editor.ItemName;
        const bool active = editor.Active;
        if (ItemNameExists(file, name)) return ShowRefusal(Handle(), NameExists());
        if (IsReservedItemName(name)) return ShowRefusal(Handle(), ReservedNameMessage(name));

        SaveCatalogueOrder();
        CreateDirectoryW(WidePath(UserDir() + "const").c_str(), nullptr);
        RewriteThroughCopy(file, [&](const std::string& copy) {
            WashItem item;
            item.AddToFile(copy, name, active);
        });
        LoadCatalogue();
        FillWashItemList();
        ItemList.Select(ItemList.Count() - 1);
        OnItemSelected();
    });
}

void MainWindow::OnEditItem() {
    RunListCommand([this] {
        const int i = ItemList.Selected();
        if (i < 0 || i >= WashItems.Count()) return;
        if (RefuseWinapp2Change(i)) return;
        const CatalogueRow row = WashItems.Items[i];
        // Rewriting an item under such a name would erase or split the file's sections.
        if (IsReservedItemName(row.ItemName)) return ShowRefusal(Handle(), ReservedNameMessage(row.ItemName));
        const int n = FindItemIndex(row.ItemFile, row.ItemName);
        if (n < 0) return ShowUnlistedItem(row);
        const WashItem item(row.ItemFile, row.ItemName);

        WashItemDialog editor;
        editor.Caption = Text(IDS_EditWashItem);
        editor.ItemName = row.ItemName;
        editor.Active = ItemList.Checked(i);
        editor.ItemFile = row.ItemFile;
        if (editor.ShowModal(Handle()) != mrOK) return;
        const std::string name = editor.ItemName;
        const bool active = editor.Active;
        if (ItemNameExistsElsewhere(row.ItemFile, name, n)) return ShowRefusal(Handle(), NameExists());
        if (IsReservedItemName(name)) return ShowRefusal(Handle(), ReservedNameMessage(name));

        int at = CatalogueRowOf(WashItems, row, i);
        bool wasActive = at >= 0 && WashItems.Items[at].IsActive;
        if (at >= 0) WashItems.Items[at].IsActive = active;
        try {
            SaveCatalogueOrder();
            RewriteThroughCopy(row.ItemFile, [&](const std::string& copy) {
                WashItem target = item;
                target.SetLocation(copy, row.ItemName);
                target.Rewrite(name, active, n);
            });
        } catch (...) {
            // The list keeps showing what the files hold.
            if (at >= 0) WashItems.Items[at].IsActive = wasActive;
            throw;
        }
        LoadCatalogue();
        FillWashItemList();
        ItemList.Select(std::min(i, ItemList.Count() - 1));
        OnItemSelected();
    });
}

void MainWindow::OnDeleteItem() {
    RunListCommand([this] {
        const int i = ItemList.Selected();
        if (i < 0 || i >= WashItems.Count()) return;
        if (RefuseWinapp2Change(i)) return;
        const CatalogueRow row = WashItems.Items[i];
        if (!AskQuestion(Handle(), FormatText(IDS_ConfirmDelete, TranslateUiText(ItemList.Text(i))))) return;
        const int n = FindItemIndex(row.ItemFile, row.ItemName);
        if (n < 0) return ShowUnlistedItem(row);

        SaveCatalogueOrder();
        RewriteThroughCopy(row.ItemFile, [&](const std::string& copy) {
            // The section of an item named "Common" is the item list itself: only its place goes.
            if (SameText(Trim(row.ItemName), CommonSection)) RemoveItemPosition(ProfileFile(copy), n);
            else WashItem::RemoveFromFile(copy, row.ItemName, n);
        });
        LoadCatalogue();
        FillWashItemList();
        if (ItemList.Count() == 0) {
            CurrentItem.reset();
            FolderList.Clear();
            RegistryList.Clear();
            return;
        }
        ItemList.Select(i < ItemList.Count() ? i : 0);
        OnItemSelected();
    });
}

void MainWindow::OnMoveItemUp() {
    int i = ItemList.Selected();
    if (i < 1 || i >= WashItems.Count()) return;
    WashItems.MoveUp(i);
    FillWashItemList();
    ItemList.Select(i - 1);
    RunGuarded(Handle(), [this] { OnItemSelected(); });
}

void MainWindow::OnMoveItemDown() {
    int i = ItemList.Selected();
    if (i < 0 || i >= WashItems.Count() - 1) return;
    WashItems.MoveDown(i);
    FillWashItemList();
    ItemList.Select(i + 1);
    RunGuarded(Handle(), [this] { OnItemSelected(); });
}

void MainWindow::OnCheckAllItems() {
    if (washRunning_) return;
    CheckAll(ItemList.Model(), 1);
    UncheckWinapp2Warnings();
    KeepForcedChecks();
    OnItemChecked();
}

void MainWindow::OnUncheckAllItems() {
    if (washRunning_) return;
    CheckAll(ItemList.Model(), 0);
    KeepForcedChecks();
    OnItemChecked();
}

// Only the selected item's file is rewritten; the other rows' marks reach order.ini later.
// When the mark cannot be stored, every row shows the catalogue's mark again.
void MainWindow::OnItemChecked() {
    // Its messages are modal too: no automatic wash may start under them.
    if (washRunning_) return RestoreItemChecks();
    RunningScope running(washRunning_);
    bool stored = false;
    RunGuarded(Handle(), [&] {
        int i = ItemList.Selected();
        if (i >= 0 && i < WashItems.Count()) {
            const CatalogueRow row = WashItems.Items[i];
            // winapp2.ini is never written: the mark lives in the list and in order.ini.
            const bool community = Winapp2.Owns(row);
            // Nor is a mark a policy holds: the user's own stays in the file for when it ends.
            const bool held = Policy.ForcedCheck(row.ItemName).has_value();
            if (community && ItemList.Checked(i) && !row.IsActive && !ConfirmWinapp2Check(i))
                ItemList.SetChecked(i, false);
            const bool active = ItemList.Checked(i);
            if (!community && !held) {
                if (IsReservedItemName(row.ItemName))
                    return ShowRefusal(Handle(), ReservedNameMessage(row.ItemName));
                const int n = FindItemIndex(row.ItemFile, row.ItemName);
                if (n < 0) return ShowUnlistedItem(row);
                WashItem item(row.ItemFile, row.ItemName);
                RewriteThroughCopy(row.ItemFile, [&](const std::string& copy) {
                    item.SetLocation(copy, row.ItemName);
                    item.Rewrite(row.ItemName, active, n);
                });
            }
            if (CurrentItem && CurrentItem->Property.ItemName == row.ItemName &&
                CurrentItem->Property.ItemFile == row.ItemFile)
                CurrentItem->Property.IsActive = active;
        }
        int count = std::min(ItemList.Count(), WashItems.Count());
        for (int r = 0; r < count; ++r) WashItems.Items[r].IsActive = ItemList.Checked(r);
        stored = true;
    });
    if (!stored) RestoreItemChecks();
    SyncWashMenuChecks();
}
