#include "engine/UnitAddWildcard.h"

#include "catalogue/ListUtils.h"
#include "catalogue/SettingsLists.h"
#include "engine/ListBoxRows.h"
#include "engine/UnitAddWildcardRes.h"
#include "platform/Error.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "resources/icons.h"

TFormWildcard::TFormWildcard(std::string settingsFile)
    : TForm(IDD_TFormWildcard), settingsFile_(std::move(settingsFile)) {
    HelpContext = 801;
}

HWND TFormWildcard::ListBox1() const { return Control(IDC_Wildcard_ListBox1); }

void TFormWildcard::ShowButtonImages() {
    const std::pair<int, int> icons[] = {
        {IDC_Wildcard_SpNew, ICO_ADD},         {IDC_Wildcard_Button4, ICO_REMOVE},
        {IDC_Wildcard_SpeedButton1, ICO_DELETELOG}, {IDC_Wildcard_SpeedButton3, ICO_UP},
        {IDC_Wildcard_SpeedButton2, ICO_DOWN},
    };
    for (auto [id, icon] : icons) SetButtonIcon(Control(id), icon, Scale(16));
}

void TFormWildcard::DpiChanged() {
    ShowButtonImages();
    FitHorizontalExtent(ListBox1());
}

void TFormWildcard::FormCreate() {
    ShowButtonImages();
    SetListBoxRows(ListBox1(), ReadNumberedList(settingsFile_, WildcardList));

    OnClick(IDC_Wildcard_SpNew, [this] { SpNewClick(); });
    OnClick(IDC_Wildcard_Button4, [this] { Button4Click(); });
    OnClick(IDC_Wildcard_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_Wildcard_SpeedButton3, [this] { SpeedButton3Click(); });
    OnClick(IDC_Wildcard_SpeedButton2, [this] { SpeedButton2Click(); });
    OnClick(IDC_Wildcard_btnOk, [this] { btnOkClick(); });
    OnClick(IDC_Wildcard_Button3, [this] { Button3Click(); });
    OnClick(IDC_Wildcard_Button1, [this] { Button1Click(); });
}

void TFormWildcard::SpNewClick() {
    std::string mask = Trim(ControlText(IDC_Wildcard_Edit1));
    if (mask.empty()) return;
    AppendUnlessListed(ListBox1(), mask);
    SetControlText(IDC_Wildcard_Edit1, "");
}

void TFormWildcard::Button4Click() {
    if (!DeleteSelectedRow(ListBox1())) ShowNote(Handle(), "Please select a item by clicking");
}

void TFormWildcard::SpeedButton1Click() { SendMessageA(ListBox1(), LB_RESETCONTENT, 0, 0); }

void TFormWildcard::SpeedButton3Click() { MoveItemUp(ListBox1()); }

void TFormWildcard::SpeedButton2Click() { MoveItemDown(ListBox1()); }

void TFormWildcard::btnOkClick() {
    // Enter while a mask is being typed adds it rather than closing without it.
    if (GetFocus() == Control(IDC_Wildcard_Edit1) && !Trim(ControlText(IDC_Wildcard_Edit1)).empty()) {
        SpNewClick();
        return;
    }
    // A refused write shows its error and keeps the dialog open with the user's edits.
    if (RunGuarded(Handle(), [this] { WriteNumberedList(settingsFile_, WildcardList, ListBoxRows(ListBox1())); }))
        Close(mrOK);
}

void TFormWildcard::Button1Click() {
    if (!HelpFile.empty()) ShowHelpContext(HelpFile, 31);
}
