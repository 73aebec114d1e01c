#include "dialogs/ExclusionListDialog.h"

#include <commdlg.h>

#include <vector>

#include "catalogue/SettingsLists.h"
#include "dialogs/EditorCommon.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ExclusionListDialogRes.h"
#include "dialogs/ListBoxRows.h"
#include "dialogs/SelectByWildcardDialog.h"
#include "platform/Error.h"
#include "platform/Help.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "resources/icons.h"

namespace {
// The files chosen in a multiple-selection open dialog, in the order it returns them: one
// full path, or the folder followed by the names.
std::vector<std::string> ChosenFiles(const char* buffer) {
    std::vector<std::string> parts;
    for (const char* p = buffer; *p; p += strlen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::string folder = parts.front();
    if (folder.back() != '\\') folder += '\\';
    std::vector<std::string> files;
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}
}  // namespace

ExclusionListDialog::ExclusionListDialog(std::string settingsFile)
    : Form(IDD_ExclusionListDialog), settingsFile_(std::move(settingsFile)) {
    HelpContext = 42;
}

HWND ExclusionListDialog::ExclusionBox() const { return Control(IDC_ExclusionList_List); }

void ExclusionListDialog::ShowButtonImages() {
    const std::pair<int, int> icons[] = {
        {IDC_ExclusionList_AddByWildcard, ICO_ADD},      {IDC_ExclusionList_AddByFileName, ICO_IMPORT},
        {IDC_ExclusionList_MoveUp, ICO_UP},         {IDC_ExclusionList_MoveDown, ICO_DOWN},
        {IDC_ExclusionList_Delete, ICO_REMOVE},   {IDC_ExclusionList_DeleteAll, ICO_DELETELOG},
    };
    for (auto [id, icon] : icons) SetButtonIcon(id, icon, Scale(16));
}

void ExclusionListDialog::DpiChanged() {
    ShowButtonImages();
    FitHorizontalExtent(ExclusionBox());
}

void ExclusionListDialog::FormCreate() {
    ShowButtonImages();
    TransferExclusionList(true);

    OnClick(IDC_ExclusionList_AddByWildcard, [this] { OnAddByWildcard(); });
    OnClick(IDC_ExclusionList_AddByFileName, [this] { OnAddByFileName(); });
    OnClick(IDC_ExclusionList_MoveUp, [this] { OnMoveUp(); });
    OnClick(IDC_ExclusionList_MoveDown, [this] { OnMoveDown(); });
    OnClick(IDC_ExclusionList_Delete, [this] { OnDelete(); });
    OnClick(IDC_ExclusionList_DeleteAll, [this] { OnDeleteAll(); });
    OnClick(IDC_ExclusionList_Apply, [this] { OnApply(); });
    OnClick(IDC_ExclusionList_Cancel, [this] { OnCancel(); });
    OnClick(IDC_ExclusionList_Help, [this] { OnHelp(); });
}

void ExclusionListDialog::TransferExclusionList(bool read) {
    if (read) SetListBoxRows(ExclusionBox(), ReadNumberedList(settingsFile_, ExclusionList));
    else WriteNumberedList(settingsFile_, ExclusionList, ListBoxRows(ExclusionBox()));
}

void ExclusionListDialog::OnAddByWildcard() {
    SelectByWildcardDialog picker(settingsFile_);
    if (picker.ShowModal(Handle()) == mrOK) AppendUnlessListed(ExclusionBox(), picker.JoinedPattern());
}

void ExclusionListDialog::OnAddByFileName() {
    std::vector<wchar_t> buffer(64 * 1024, L'\0');
    const std::wstring filter = AllFilesFilter(), title = Widen(Text(IDS_Dlg_SelectFilesByName));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size() - 1);
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    // The folder and the names, each ended by a NUL, the list by a second one: in UTF-8 alike.
    size_t length = 0;
    while (length + 1 < buffer.size() && (buffer[length] || buffer[length + 1])) ++length;
    std::string chosen = Narrow(buffer.data(), length + 2);
    for (const auto& file : ChosenFiles(chosen.data())) AppendUnlessListed(ExclusionBox(), file);
}

void ExclusionListDialog::OnMoveUp() { MoveItemUp(ExclusionBox()); }

void ExclusionListDialog::OnMoveDown() { MoveItemDown(ExclusionBox()); }

void ExclusionListDialog::OnDelete() { DeleteSelectedRow(ExclusionBox()); }

void ExclusionListDialog::OnDeleteAll() { SendMessageA(ExclusionBox(), LB_RESETCONTENT, 0, 0); }

void ExclusionListDialog::OnApply() {
    // A refused write shows its error and keeps the dialog open with the user's edits.
    if (RunGuarded(Handle(), [this] { TransferExclusionList(false); })) Close(mrOK);
}

void ExclusionListDialog::OnHelp() {
    if (!HelpFile.empty()) ShowHelpContext(HelpFile, 42);
}
