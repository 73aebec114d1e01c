#include "dialogs/UnitAddorEditItem.h"

#include "dialogs/UnitAddorEditItemRes.h"
#include "platform/Text.h"

TFormAddEditItem::TFormAddEditItem() : TForm(IDD_TFormAddEditItem) { HelpContext = 31; }

void TFormAddEditItem::FormCreate() {
    SetWindowTextA(Handle(), Caption.c_str());
    SetControlText(IDC_AddEditItem_Edititemname, Edititemname);
    SetChecked(IDC_AddEditItem_Chisactive, Chisactive);
    SetControlText(IDC_AddEditItem_LabelStore, LabelStore);
    OnClick(IDC_AddEditItem_btnSave, [this] { btnSaveClick(); });
    OnClick(IDC_AddEditItem_btncancel, [this] { btncancelClick(); });
    CentreOnDesktop();
}

void TFormAddEditItem::btnSaveClick() {
    std::string name = Trim(ControlText(IDC_AddEditItem_Edititemname));
    if (name.empty()) return;
    Edititemname = name;
    Chisactive = IsChecked(IDC_AddEditItem_Chisactive);
    Close(mrOK);
}
