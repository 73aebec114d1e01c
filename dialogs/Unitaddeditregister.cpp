#include "dialogs/Unitaddeditregister.h"

#include "dialogs/EditorCommon.h"
#include "dialogs/UnitaddeditregisterRes.h"
#include "platform/Messages.h"
#include "platform/Text.h"

TFormRegister::TFormRegister() : TForm(IDD_TFormRegister) { HelpContext = 31; }

void TFormRegister::FormCreate() {
    SetWindowTextA(Handle(), Caption.c_str());
    SetChecked(IDC_Register_rbDeleteValue, true);
    TransferEntry(true);
    OnClick(IDC_Register_btnSave, [this] { btnSaveClick(); });
    OnClick(IDC_Register_btnCancel, [this] { btnCancelClick(); });
    OnClick(IDC_Register_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_Register_SpeedButton3, [this] { SpeedButton3Click(); });
    CentreOnDesktop();
}

void TFormRegister::TransferEntry(bool load) {
    if (load) {
        SetControlText(IDC_Register_EditItemName, Entry.ChildItemName);
        SetChecked(IDC_Register_Chisactive, Entry.isactive);
        SetControlText(IDC_Register_EditKeyName, Entry.RegisterKeyName);
        SetControlText(IDC_Register_EditSingleRegisterValue, Entry.RegisterSingleValue);
        SetChecked(IDC_Register_rbdeleteKey, Entry.CleanRegisterType == CleanWholeKey);
        SetChecked(IDC_Register_rbDeleteValue, Entry.CleanRegisterType == CleanAllValues);
        SetChecked(IDC_Register_rbdeleteSingleValue, Entry.CleanRegisterType == CleanSingleValue);
        return;
    }
    Entry.ChildItemName = Trim(ControlText(IDC_Register_EditItemName));
    Entry.isactive = IsChecked(IDC_Register_Chisactive);
    Entry.RegisterKeyName = Trim(ControlText(IDC_Register_EditKeyName));
    Entry.RegisterSingleValue = Trim(ControlText(IDC_Register_EditSingleRegisterValue));
    if (IsChecked(IDC_Register_rbDeleteValue)) Entry.CleanRegisterType = CleanAllValues;
    else if (IsChecked(IDC_Register_rbdeleteKey)) Entry.CleanRegisterType = CleanWholeKey;
    else if (IsChecked(IDC_Register_rbdeleteSingleValue)) Entry.CleanRegisterType = CleanSingleValue;
}

void TFormRegister::btnSaveClick() {
    std::string key = Trim(ControlText(IDC_Register_EditKeyName));
    if (Trim(ControlText(IDC_Register_EditItemName)).empty() || key.empty()) return;
    // An unknown root would be read as HKEY_CURRENT_USER, a bare root would be the whole hive.
    if (!IsRootedRegistryKey(key)) {
        ShowRefusal(Handle(), UnrootedKeyMessage(key));
        SetFocus(Control(IDC_Register_EditKeyName));
        return;
    }
    TransferEntry(false);
    Close(mrOK);
}

void TFormRegister::SpeedButton3Click() { StartRegistryEditor(Handle()); }
