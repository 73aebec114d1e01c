// Wash and preview of the selected entry and of the current wash item; the busy state.
#include <algorithm>
#include <functional>

#include "app/Unitmain.h"
#include "app/UnitmainRes.h"
#include "dialogs/UnitDeleteFolderReg.h"
#include "dialogs/UnitPreviewregister.h"
#include "dialogs/unitPreviewFolder.h"
#include "engine/SpecialItems.h"
#include "platform/BusyCursor.h"
#include "platform/Error.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"

namespace {
const int WashControlIds[] = {
    IDC_btnWashAll,      IDC_btnMainPreview,          IDC_btnWashSingle,
    IDC_btnPreviewCurrentItem, IDC_btnPreviewCurrentFolder, IDC_btnWashFolder,
    IDC_btnPreviewCurrentRegister, IDC_btnWashRegister,
};

// "'" + wash item name + " -> " + entry name + "'", the names from the selected rows.
std::string EntrySubject(const CheckList& items, const std::string& entry) {
    int i = items.Selected();
    std::string subject = "'";
    if (i >= 0) subject += items.Text(i);
    subject += " -> ";
    subject += entry;
    subject += "'";
    return subject;
}
}  // namespace

void TFormMainVRNT::SetWashControls(bool enabled) {
    for (int id : WashControlIds) EnableControl(id, enabled);
    if (MenuWash) {
        int count = GetMenuItemCount(MenuWash);
        for (int i = 0; i < count; ++i)
            EnableMenuItem(MenuWash, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    // A special current item keeps its entry-level wash buttons disabled.
    if (!enabled) return;
    int row = ChListBoxItem.Selected();
    bool special = row >= 0 && row < Catalogue.Count() ? Catalogue.Items[row].IsSpecial
                                                       : CurrentItem && CurrentItem->Property.IsSpecial;
    if (special)
        for (int id : {IDC_btnPreviewCurrentItem, IDC_btnPreviewCurrentFolder, IDC_btnWashFolder,
                       IDC_btnPreviewCurrentRegister, IDC_btnWashRegister})
            EnableControl(id, false);
}

bool TFormMainVRNT::ConfirmClean(const std::string& subject) {
    if (!Options.PromptBeforeClean) return true;
    return AskQuestion(Handle(), "Do you want to clean " + subject + "?");
}

void TFormMainVRNT::ShowFileCounts(int success, int fails) {
    SetControlText(IDC_LabFolderSuccess, std::to_string(success));
    SetControlText(IDC_LabFolderFails, std::to_string(fails));
}

void TFormMainVRNT::ShowRegistryCounts(int success, int fails) {
    SetControlText(IDC_LabelSuccess, std::to_string(success));
    SetControlText(IDC_LabelFails, std::to_string(fails));
}

TWashContext TFormMainVRNT::WashContext() {
    TWashContext context;
    context.Options = &Options;
    context.SpecificFiles = &SpecificFiles;
    context.Owner = Handle();
    context.ShowFileCounts = [this](int success, int fails) { ShowFileCounts(success, fails); };
    context.ShowRegistryCounts = [this](int success, int fails) { ShowRegistryCounts(success, fails); };
    return context;
}

void TFormMainVRNT::AppendFolderRows(CheckList& target) {
    if (!CurrentItem) return;
    ListUpdate update(ChListBoxFolder);
    std::vector<std::string> rows;
    int count = std::min(ChListBoxFolder.Count(), CurrentItem->Folders.Count());
    for (int r = 0; r < count; ++r) {
        if (!ChListBoxFolder.Checked(r)) continue;
        rows.clear();
        CurrentItem->Folders.Items[r].ListFiles(rows);
        AppendRows(target, std::move(rows));
    }
}

void TFormMainVRNT::AppendRegistryRows(CheckList& target) {
    if (!CurrentItem) return;
    ListUpdate update(ChListBoxRegister);
    std::vector<std::string> rows;
    int count = std::min(ChListBoxRegister.Count(), CurrentItem->Registers.Count());
    for (int r = 0; r < count; ++r) {
        if (!ChListBoxRegister.Checked(r)) continue;
        rows.clear();
        CurrentItem->Registers.Items[r].ListRegistry(rows);
        AppendRows(target, std::move(rows));
    }
}

void TFormMainVRNT::RunWashCommand(const std::function<void()>& body, bool readItemAgain) {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    bool finished = false;
    auto command = [&] {
        {
            BusyCursor busy;
            body();
        }
        SetWashControls(true);
        finished = true;
        if (readItemAgain) ChListBoxItemClick();
    };
    auto cleanup = [&] {
        if (finished) return;
        SetWashControls(true);
        if (readItemAgain) RunGuarded(Handle(), [this] { ChListBoxItemClick(); });
    };
    if (quietFailure_) *quietFailure_ = RunCaught(command, cleanup);
    else RunGuarded(Handle(), command, cleanup);
}

template <class Dialog>
void TFormMainVRNT::RunEntryDialog(Dialog& dialog, CheckList& rows, std::vector<std::string>&& found,
                                   const CheckList& entries, int e, bool preview) {
    dialog.Context = WashContext();
    AppendRows(rows, std::move(found));
    if (entries.Checked(e)) dialog.btnSelectallClick();
    else dialog.btnUnselectAllClick();
    if (preview) dialog.ShowModal(Handle());
    else if (ConfirmClean(EntrySubject(ChListBoxItem, entries.Text(e)))) dialog.btnwasherClick();
}

void TFormMainVRNT::WashOrPreviewFolderEntry(bool preview) {
    RunWashCommand(
        [&] {
            int e = ChListBoxFolder.Selected();
            if (e < 0 || !CurrentItem || e >= CurrentItem->Folders.Count()) return;
            SetWashControls(false);
            TFormPreviewFolder dialog;
            std::vector<std::string> found;
            CurrentItem->Folders.Items[e].ListFiles(found);
            RunEntryDialog(dialog, dialog.CheckListBoxPreviewFolder, std::move(found), ChListBoxFolder, e, preview);
        },
        false);
}

void TFormMainVRNT::WashOrPreviewRegistryEntry(bool preview) {
    RunWashCommand(
        [&] {
            int e = ChListBoxRegister.Selected();
            if (e < 0 || !CurrentItem || e >= CurrentItem->Registers.Count()) return;
            SetWashControls(false);
            TFormPreviewregister dialog;
            std::vector<std::string> found;
            CurrentItem->Registers.Items[e].ListRegistry(found);
            dialog.Note = CurrentItem->Registers.Items[e].NoRowsReason();
            RunEntryDialog(dialog, dialog.CheckListBoxPreviewregister, std::move(found), ChListBoxRegister, e,
                           preview);
        },
        false);
}

void TFormMainVRNT::WashOrPreviewCurrentItem(bool preview) {
    RunWashCommand(
        [&] {
            int i = ChListBoxItem.Selected();
            if (i < 0) return;
            SetWashControls(false);
            TFormPreviewFolderRegister dialog;
            dialog.Context = WashContext();
            bool checked = ChListBoxItem.Checked(i);
            AppendFolderRows(dialog.CheckListBoxPreviewFolder);
            dialog.CheckListBoxPreviewFolder.Model().SetSorted(true);
            if (checked) dialog.btnSelectallClick();
            else dialog.btnUnselectAllClick();
            AppendRegistryRows(dialog.CheckListBoxPreviewregister);
            if (checked) dialog.NewbtnSelectallClick();
            else dialog.NewbtnUnselectAllClick();
            if (preview) dialog.ShowModal(Handle());
            else if (ConfirmClean("'" + ChListBoxItem.Text(i) + "'")) dialog.btnwasherClick();
        },
        true);
}

void TFormMainVRNT::btnWashSingleClick() {
    int i = ChListBoxItem.Selected();
    if (i < 0 || washRunning_) return;
    if (CurrentItem && CurrentItem->Property.IsSpecial) {
        RunGuarded(Handle(), [&] { WashSpecialItem(ChListBoxItem.Text(i), Options.WriteToLog, Handle()); });
        return;
    }
    WashOrPreviewCurrentItem(false);
}
