#include "dialogs/WildcardListDialog.h"

#include "catalogue/SettingsLists.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ListBoxRows.h"
#include "dialogs/WildcardListDialogRes.h"
#include "platform/Error.h"
#include "platform/Help.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "resources/icons.h"

WildcardListDialog::WildcardListDialog(std::string settingsFile)
    : Form(IDD_WildcardListDialog), settingsFile_(std::move(settingsFile)) {
    HelpContext = 801;
}

HWND WildcardListDialog::WildcardBox() const { return Control(IDC_WildcardList_List); }

void WildcardListDialog::ShowButtonImages() {
    const std::pair<int, int> icons[] = {
        {IDC_WildcardList_Add, ICO_ADD},         {IDC_WildcardList_Delete, ICO_REMOVE},
        {IDC_WildcardList_DeleteAll, ICO_DELETELOG}, {IDC_WildcardList_MoveUp, ICO_UP},
        {IDC_WildcardList_MoveDown, ICO_DOWN},
    };
    for (auto [id, icon] : icons) SetButtonIcon(id, icon, Scale(16));
}

void WildcardListDialog::DpiChanged() {
    ShowButtonImages();
    FitHorizontalExtent(WildcardBox());
}

void WildcardListDialog::FormCreate() {
    ShowButtonImages();
    SetListBoxRows(WildcardBox(), ReadNumberedList(settingsFile_, WildcardList));

    OnClick(IDC_WildcardList_Add, [this] { OnAdd(); });
    OnClick(IDC_WildcardList_Delete, [this] { OnDelete(); });
    OnClick(IDC_WildcardList_DeleteAll, [this] { OnDeleteAll(); });
    OnClick(IDC_WildcardList_MoveUp, [this] { OnMoveUp(); });
    OnClick(IDC_WildcardList_MoveDown, [this] { OnMoveDown(); });
    OnClick(IDC_WildcardList_Ok, [this] { OnOk(); });
    OnClick(IDC_WildcardList_Cancel, [this] { OnCancel(); });
    OnClick(IDC_WildcardList_Help, [this] { OnHelp(); });
}

void WildcardListDialog::OnAdd() {
    std::string mask = Trim(ControlText(IDC_WildcardList_NewWildcard));
    if (mask.empty()) return;
    AppendUnlessListed(WildcardBox(), mask);
    SetControlText(IDC_WildcardList_NewWildcard, "");
}

void WildcardListDialog::OnDelete() {
    if (!DeleteSelectedRow(WildcardBox())) ShowNote(Handle(), Text(IDS_Dlg_SelectItemFirst));
}

void WildcardListDialog::OnDeleteAll() { SendMessageA(WildcardBox(), LB_RESETCONTENT, 0, 0); }

void WildcardListDialog::OnMoveUp() { MoveItemUp(WildcardBox()); }

void WildcardListDialog::OnMoveDown() { MoveItemDown(WildcardBox()); }

void WildcardListDialog::OnOk() {
    // Enter while a mask is being typed adds it rather than closing without it.
    if (GetFocus() == Control(IDC_WildcardList_NewWildcard) && !Trim(ControlText(IDC_WildcardList_NewWildcard)).empty()) {
        OnAdd();
        return;
    }
    // A refused write shows its error and keeps the dialog open with the user's edits.
    if (RunGuarded(Handle(), [this] { WriteNumberedList(settingsFile_, WildcardList, ListBoxRows(WildcardBox())); }))
        Close(mrOK);
}

void WildcardListDialog::OnHelp() {
    if (!HelpFile.empty()) ShowHelpContext(HelpFile, 31);
}
