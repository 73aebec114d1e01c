// Group Policy in the main window: check marks an administrator forces, editing switched off.
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"

#include <algorithm>

namespace {
// The commands that change wash items, their entries or the plug-ins.
const int EditingCommandIds[] = {
    IDC_AddItem,         IDC_EditItem,         IDC_DeleteItem,         IDC_AddFolderEntry,
    IDC_EditFolderEntry, IDC_DeleteFolderEntry, IDC_AddRegistryEntry, IDC_EditRegistryEntry,
    IDC_DeleteRegistryEntry, IDC_ImportPlugin,
};
}  // namespace

void MainWindow::ApplyForcedChecks() {
    userMarks_.clear();
    for (auto& row : WashItems.Items) {
        auto forced = Policy.ForcedCheck(row.ItemName);
        if (!forced) continue;
        userMarks_[row.ItemName + "<|>" + row.ItemFile] = row.IsActive;
        row.IsActive = *forced;
    }
}

Catalogue MainWindow::CatalogueToStore() const {
    Catalogue stored = WashItems;
    for (auto& row : stored.Items) {
        auto own = userMarks_.find(row.ItemName + "<|>" + row.ItemFile);
        if (own != userMarks_.end()) row.IsActive = own->second;
    }
    return stored;
}

bool MainWindow::RowCheckHeld(int row) {
    if (row < 0 || row >= WashItems.Count() || !Policy.ForcedCheck(WashItems.Items[row].ItemName)) return false;
    RestoreItemChecks();
    return true;
}

void MainWindow::EnableEditingCommands() {
    if (EditingAllowed()) return;
    for (int id : EditingCommandIds) EnableControl(id, false);
}

void MainWindow::KeepForcedChecks() {
    int count = std::min(ItemList.Count(), WashItems.Count());
    for (int r = 0; r < count; ++r)
        if (auto forced = Policy.ForcedCheck(WashItems.Items[r].ItemName)) ItemList.SetChecked(r, *forced);
}
