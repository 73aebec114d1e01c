#include "dialogs/RegistryEntryDialog.h"

#include "dialogs/EditorCommon.h"
#include "dialogs/RegistryEntryDialogRes.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"

RegistryEntryDialog::RegistryEntryDialog() : Form(IDD_RegistryEntryDialog) { HelpContext = 31; }

void RegistryEntryDialog::FormCreate() {
    SetWindowTextW(Handle(), Widen(TranslateUiText(Caption)).c_str());
    SetChecked(IDC_RegistryEntry_CleanAllValues, true);
    TransferEntry(true);
    OnClick(IDC_RegistryEntry_Save, [this] { OnSave(); });
    OnClick(IDC_RegistryEntry_Cancel, [this] { OnCancel(); });
    OnClick(IDC_RegistryEntry_Help, [this] { OnHelp(); });
    OnClick(IDC_RegistryEntry_Regedit, [this] { OnRegedit(); });
    CentreOnDesktop();
}

void RegistryEntryDialog::TransferEntry(bool load) {
    if (load) {
        SetControlText(IDC_RegistryEntry_Name, ShownName(Entry.Name));
        SetChecked(IDC_RegistryEntry_Active, Entry.IsActive);
        SetControlText(IDC_RegistryEntry_KeyName, Entry.KeyName);
        SetControlText(IDC_RegistryEntry_ValueName, Entry.ValueName);
        SetChecked(IDC_RegistryEntry_CleanWholeKey, Entry.CleanType == CleanWholeKey);
        SetChecked(IDC_RegistryEntry_CleanAllValues, Entry.CleanType == CleanAllValues);
        SetChecked(IDC_RegistryEntry_CleanSingleValue, Entry.CleanType == CleanSingleValue);
        return;
    }
    Entry.Name = NameToStore(Entry.Name, Trim(ControlText(IDC_RegistryEntry_Name)));
    Entry.IsActive = IsChecked(IDC_RegistryEntry_Active);
    Entry.KeyName = Trim(ControlText(IDC_RegistryEntry_KeyName));
    Entry.ValueName = Trim(ControlText(IDC_RegistryEntry_ValueName));
    if (IsChecked(IDC_RegistryEntry_CleanAllValues)) Entry.CleanType = CleanAllValues;
    else if (IsChecked(IDC_RegistryEntry_CleanWholeKey)) Entry.CleanType = CleanWholeKey;
    else if (IsChecked(IDC_RegistryEntry_CleanSingleValue)) Entry.CleanType = CleanSingleValue;
}

void RegistryEntryDialog::OnSave() {
    std::string key = Trim(ControlText(IDC_RegistryEntry_KeyName));
    if (Trim(ControlText(IDC_RegistryEntry_Name)).empty() || key.empty()) return;
    // An unknown root would be read as HKEY_CURRENT_USER, a bare root would be the whole hive.
    if (!IsRootedRegistryKey(key)) {
        ShowRefusal(Handle(), UnrootedKeyMessage(key));
        SetFocus(Control(IDC_RegistryEntry_KeyName));
        return;
    }
    TransferEntry(false);
    Close(mrOK);
}

void RegistryEntryDialog::OnRegedit() { StartRegistryEditor(Handle()); }
