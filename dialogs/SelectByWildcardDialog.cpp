#include "dialogs/SelectByWildcardDialog.h"

#include "catalogue/SettingsLists.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ListBoxRows.h"
#include "dialogs/SelectByWildcardDialogRes.h"
#include "dialogs/WildcardListDialog.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "resources/icons.h"

SelectByWildcardDialog::SelectByWildcardDialog(std::string settingsFile)
    : Form(IDD_SelectByWildcardDialog), settingsFile_(std::move(settingsFile)) {
    HelpContext = 302;
}

void SelectByWildcardDialog::FormCreate() {
    comReady_ = SUCCEEDED(CoInitialize(nullptr));
    DpiChanged();
    // The tree uses the form's font, whose character set the template sets to the default one.
    FolderTree.OnChange = [this] { OnFolderChanged(); };
    FolderTree.Attach(Control(IDC_SelectByWildcard_Tree));
    LoadWildcards();

    OnClick(IDC_SelectByWildcard_EditWildcards, [this] { OnEditWildcards(); });
    OnClick(IDC_SelectByWildcard_Ok, [this] { OnOk(); });
    OnClick(IDC_SelectByWildcard_Cancel, [this] { OnCancel(); });
}

void SelectByWildcardDialog::LoadWildcards() {
    HWND combo = Control(IDC_SelectByWildcard_Mask);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> masks = ReadNumberedList(settingsFile_, WildcardList);
    for (const auto& mask : masks) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(mask).c_str()));
    if (masks.empty()) SetWindowTextA(combo, "*.*");
    else SendMessageA(combo, CB_SETCURSEL, 0, 0);
    OnFolderChanged();
}

void SelectByWildcardDialog::FormDestroy() {
    FolderTree.Detach();
    if (comReady_) CoUninitialize();
    comReady_ = false;
}

void SelectByWildcardDialog::DpiChanged() {
    SetButtonIcon(IDC_SelectByWildcard_EditWildcards, ICO_EDIT, Scale(16));
}

void SelectByWildcardDialog::OnFolderChanged() {
    SetControlText(IDC_SelectByWildcard_Folder, FolderTree.SelectedPath());
}

void SelectByWildcardDialog::OnEditWildcards() {
    WildcardListDialog editor(settingsFile_);
    if (editor.ShowModal(Handle()) == mrOK) LoadWildcards();
}

void SelectByWildcardDialog::OnOk() {
    folder_ = Trim(ControlText(IDC_SelectByWildcard_Folder));
    if (folder_.empty()) {
        ShowMissingChoice(Handle(), Text(IDS_Dlg_SelectFolderFirst));
        return;
    }
    mask_ = Trim(ControlText(IDC_SelectByWildcard_Mask));
    Close(mrOK);
}

std::string SelectByWildcardDialog::JoinedPattern() const {
    return folder_ + (!folder_.empty() && folder_.back() == '\\' ? "" : "\\") + mask_;
}

bool SelectByWildcardDialog::Notify(NMHDR* header, LRESULT& result) { return FolderTree.HandleNotify(header, result); }

bool SelectByWildcardDialog::Message(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != SelectFolderMessage) return false;
    result = FolderTree.SelectFolder(reinterpret_cast<const char*>(lParam)) ? TRUE : FALSE;
    return true;
}
