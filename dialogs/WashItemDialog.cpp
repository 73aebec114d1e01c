#include "dialogs/WashItemDialog.h"

#include "dialogs/EditorCommon.h"
#include "dialogs/WashItemDialogRes.h"
#include "platform/Language.h"
#include "platform/Text.h"
#include "platform/WideText.h"

WashItemDialog::WashItemDialog() : Form(IDD_WashItemDialog) { HelpContext = 31; }

void WashItemDialog::FormCreate() {
    SetWindowTextW(Handle(), Widen(TranslateUiText(Caption)).c_str());
    SetControlText(IDC_WashItem_Name, ShownName(ItemName));
    SetChecked(IDC_WashItem_Active, Active);
    SetControlText(IDC_WashItem_File, ItemFile);
    OnClick(IDC_WashItem_Save, [this] { OnSave(); });
    OnClick(IDC_WashItem_Cancel, [this] { OnCancel(); });
    CentreOnDesktop();
}

void WashItemDialog::OnSave() {
    std::string name = Trim(ControlText(IDC_WashItem_Name));
    if (name.empty()) return;
    ItemName = NameToStore(ItemName, name);
    Active = IsChecked(IDC_WashItem_Active);
    Close(mrOK);
}
