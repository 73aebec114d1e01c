#include "dialogs/Unitaddeditfolder.h"

#include <commdlg.h>

#include "dialogs/EditorCommon.h"
#include "dialogs/UnitaddeditfolderRes.h"
#include "engine/Unitselectbyfilter.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "settings/AppPaths.h"

TFormFolder::TFormFolder() : TForm(IDD_TFormFolder) { HelpContext = 31; }

void TFormFolder::FormCreate() {
    SetWindowTextA(Handle(), Caption.c_str());
    SetChecked(IDC_Folder_rbFolder, true);
    TransferEntry(true);
    OnClick(IDC_Folder_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_Folder_SpeedButton2, [this] { SpeedButton2Click(); });
    OnClick(IDC_Folder_SpeedButton4, [this] { SpeedButton4Click(); });
    OnClick(IDC_Folder_btnSelectFile, [this] { btnSelectFileClick(); });
    OnClick(IDC_Folder_SpeedButton3, [this] { SpeedButton3Click(); });
    OnClick(IDC_Folder_btnAddWildcard, [this] { btnAddWildcardClick(); });
    CentreOnDesktop();
}

void TFormFolder::TransferEntry(bool load) {
    if (load) {
        SetControlText(IDC_Folder_EditItemName, Entry.ChildItemName);
        SetChecked(IDC_Folder_Chisactive, Entry.isactive);
        SetChecked(IDC_Folder_rbRegister, Entry.bycategory == CategoryRegistryFolder);
        SetChecked(IDC_Folder_rbFolder, Entry.bycategory == CategoryFolderMask);
        SetChecked(IDC_Folder_rbSingle, Entry.bycategory == CategorySingleFile);
        SetChecked(IDC_Folder_Chincludesubfolder, Entry.IsIncludeSubfolder);
        SetControlText(IDC_Folder_EditRegister, Entry.RegisterName);
        SetControlText(IDC_Folder_EditRegisterValue, Entry.RegisterValueofName);
        SetControlText(IDC_Folder_EditFolder, Entry.deletepath);
        SetControlText(IDC_Folder_EditSingle, Entry.deletefilename);
        return;
    }
    Entry.ChildItemName = Trim(ControlText(IDC_Folder_EditItemName));
    Entry.isactive = IsChecked(IDC_Folder_Chisactive);
    if (IsChecked(IDC_Folder_rbRegister)) Entry.bycategory = CategoryRegistryFolder;
    else if (IsChecked(IDC_Folder_rbFolder)) Entry.bycategory = CategoryFolderMask;
    else if (IsChecked(IDC_Folder_rbSingle)) Entry.bycategory = CategorySingleFile;
    Entry.IsIncludeSubfolder = IsChecked(IDC_Folder_Chincludesubfolder);
    Entry.RegisterName = Trim(ControlText(IDC_Folder_EditRegister));
    Entry.RegisterValueofName = Trim(ControlText(IDC_Folder_EditRegisterValue));
    Entry.deletepath = Trim(ControlText(IDC_Folder_EditFolder));
    Entry.deletefilename = Trim(ControlText(IDC_Folder_EditSingle));
}

void TFormFolder::SpeedButton1Click() {
    if (Trim(ControlText(IDC_Folder_EditItemName)).empty()) return;
    // Only the box of the chosen kind decides what is washed; a relative path would be read
    // against whatever the current folder happens to be.
    int box = IsChecked(IDC_Folder_rbSingle) ? IDC_Folder_EditSingle
              : IsChecked(IDC_Folder_rbFolder) ? IDC_Folder_EditFolder
                                                : 0;
    if (box && !IsFullEntryPath(ControlText(box))) {
        ShowRefusal(Handle(), RelativePathMessage(ControlText(box)));
        SetFocus(Control(box));
        return;
    }
    std::string key = Trim(ControlText(IDC_Folder_EditRegister));
    if (IsChecked(IDC_Folder_rbRegister) && !key.empty() && !IsRootedRegistryKey(key)) {
        ShowRefusal(Handle(), UnrootedKeyMessage(key));
        SetFocus(Control(IDC_Folder_EditRegister));
        return;
    }
    TransferEntry(false);
    Close(mrOK);
}

void TFormFolder::btnSelectFileClick() {
    char file[MAX_PATH * 4] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = "All files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    // The current folder stays as it was.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetOpenFileNameA(&ofn)) SetControlText(IDC_Folder_EditSingle, file);
}

void TFormFolder::btnAddWildcardClick() {
    TFormselectbyfilter picker(SettingsFilePath());
    if (picker.ShowModal(Handle()) == mrOK) SetControlText(IDC_Folder_EditFolder, picker.JoinedPattern());
}

void TFormFolder::SpeedButton3Click() { StartRegistryEditor(Handle()); }
