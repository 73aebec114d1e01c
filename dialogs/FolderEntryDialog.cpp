#include "dialogs/FolderEntryDialog.h"

#include <commdlg.h>

#include "catalogue/Macros.h"
#include "catalogue/ProtectedPlaces.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/EditorCommon.h"
#include "dialogs/FolderEntryDialogRes.h"
#include "platform/Language.h"
#include "dialogs/SelectByWildcardDialog.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {
// The age limit box: empty is 0; otherwise up to nine digits. False for anything else.
bool ParseHours(const std::string& text, int& hours) {
    if (text.empty()) {
        hours = 0;
        return true;
    }
    if (text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    hours = std::stoi(text);
    return true;
}

// The protected place a folder/mask or single-file entry names (a file of its folder, for a
// mask); empty when it names none, or names it through a wildcard folder.
std::string ProtectedPlaceNamed(FolderCategory category, const std::string& text) {
    if (category == CategoryRegistryFolder || text.empty()) return {};
    const std::string path = ExpandMacros(text);
    const std::string folder = ExtractFilePath(path);
    if (folder.empty() || folder.find_first_of("*?") != std::string::npos) return {};
    std::string probe = path;
    if (category == CategoryFolderMask) {
        const size_t end = path.find(';', folder.size());
        probe = path.substr(0, end);
    }
    return IsProtectedPlace(probe, INVALID_FILE_ATTRIBUTES) ? Trim(text) : std::string();
}

std::string EntryText(const FolderEntry& entry) {
    return entry.Category == CategorySingleFile ? entry.FilePath : entry.FolderMask;
}
}  // namespace

FolderEntryDialog::FolderEntryDialog() : Form(IDD_FolderEntryDialog) { HelpContext = 31; }

void FolderEntryDialog::FormCreate() {
    SetWindowTextW(Handle(), Widen(TranslateUiText(Caption)).c_str());
    SetChecked(IDC_FolderEntry_FolderMask, true);
    TransferEntry(true);
    OnClick(IDC_FolderEntry_Save, [this] { OnSave(); });
    OnClick(IDC_FolderEntry_Cancel, [this] { OnCancel(); });
    OnClick(IDC_FolderEntry_Help, [this] { OnHelp(); });
    OnClick(IDC_FolderEntry_SelectFile, [this] { OnSelectFile(); });
    OnClick(IDC_FolderEntry_Regedit, [this] { OnRegedit(); });
    OnClick(IDC_FolderEntry_SelectByWildcard, [this] { OnSelectByWildcard(); });
    CentreOnDesktop();
}

void FolderEntryDialog::TransferEntry(bool load) {
    if (load) {
        SetControlText(IDC_FolderEntry_Name, ShownName(Entry.Name));
        SetChecked(IDC_FolderEntry_Active, Entry.IsActive);
        SetChecked(IDC_FolderEntry_FromRegistry, Entry.Category == CategoryRegistryFolder);
        SetChecked(IDC_FolderEntry_FolderMask, Entry.Category == CategoryFolderMask);
        SetChecked(IDC_FolderEntry_SingleFile, Entry.Category == CategorySingleFile);
        SetChecked(IDC_FolderEntry_IncludeSubfolders, Entry.IncludeSubfolders);
        SetControlText(IDC_FolderEntry_KeyName, Entry.PathKeyName);
        SetControlText(IDC_FolderEntry_ValueName, Entry.PathValueName);
        SetControlText(IDC_FolderEntry_Mask, Entry.FolderMask);
        SetControlText(IDC_FolderEntry_FilePath, Entry.FilePath);
        SetControlText(IDC_FolderEntry_OlderThanHours, Entry.OlderThanHours > 0 ? std::to_string(Entry.OlderThanHours) : "");
        return;
    }
    Entry.Name = NameToStore(Entry.Name, Trim(ControlText(IDC_FolderEntry_Name)));
    Entry.IsActive = IsChecked(IDC_FolderEntry_Active);
    if (IsChecked(IDC_FolderEntry_FromRegistry)) Entry.Category = CategoryRegistryFolder;
    else if (IsChecked(IDC_FolderEntry_FolderMask)) Entry.Category = CategoryFolderMask;
    else if (IsChecked(IDC_FolderEntry_SingleFile)) Entry.Category = CategorySingleFile;
    Entry.IncludeSubfolders = IsChecked(IDC_FolderEntry_IncludeSubfolders);
    Entry.PathKeyName = Trim(ControlText(IDC_FolderEntry_KeyName));
    Entry.PathValueName = Trim(ControlText(IDC_FolderEntry_ValueName));
    Entry.FolderMask = Trim(ControlText(IDC_FolderEntry_Mask));
    Entry.FilePath = Trim(ControlText(IDC_FolderEntry_FilePath));
    int hours = 0;
    if (ParseHours(Trim(ControlText(IDC_FolderEntry_OlderThanHours)), hours)) Entry.OlderThanHours = hours;
}

void FolderEntryDialog::OnSave() {
    if (Trim(ControlText(IDC_FolderEntry_Name)).empty()) return;
    // Only the box of the chosen kind decides what is washed; a relative path would be read
    // against whatever the current folder happens to be.
    int box = IsChecked(IDC_FolderEntry_SingleFile) ? IDC_FolderEntry_FilePath
              : IsChecked(IDC_FolderEntry_FolderMask) ? IDC_FolderEntry_Mask
                                                : 0;
    if (box && !IsFullEntryPath(ControlText(box))) {
        ShowRefusal(Handle(), RelativePathMessage(ControlText(box)));
        SetFocus(Control(box));
        return;
    }
    std::string key = Trim(ControlText(IDC_FolderEntry_KeyName));
    if (IsChecked(IDC_FolderEntry_FromRegistry) && !key.empty() && !IsRootedRegistryKey(key)) {
        ShowRefusal(Handle(), UnrootedKeyMessage(key));
        SetFocus(Control(IDC_FolderEntry_KeyName));
        return;
    }
    int hours = 0;
    if (!ParseHours(Trim(ControlText(IDC_FolderEntry_OlderThanHours)), hours)) {
        ShowRefusal(Handle(), FormatText(IDS_Dlg_HoursNotNumber, Trim(ControlText(IDC_FolderEntry_OlderThanHours))));
        SetFocus(Control(IDC_FolderEntry_OlderThanHours));
        return;
    }
    // Said once: when the entry comes to name a protected place, not at every later save.
    const FolderCategory category = IsChecked(IDC_FolderEntry_SingleFile) ? CategorySingleFile
                                    : IsChecked(IDC_FolderEntry_FolderMask) ? CategoryFolderMask
                                                                            : CategoryRegistryFolder;
    const std::string place = box ? ProtectedPlaceNamed(category, Trim(ControlText(box))) : std::string();
    if (!place.empty() && ProtectedPlaceNamed(Entry.Category, Trim(EntryText(Entry))) != place &&
        !AskQuestion(Handle(), FormatText(IDS_Dlg_ProtectedPlace, place)))
        return;
    TransferEntry(false);
    Close(mrOK);
}

void FolderEntryDialog::OnSelectFile() {
    wchar_t file[MAX_PATH * 4] = {};
    const std::wstring filter = AllFilesFilter();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH * 4;
    // The current folder stays as it was.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetOpenFileNameW(&ofn)) SetControlText(IDC_FolderEntry_FilePath, Narrow(file, wcslen(file)));
}

void FolderEntryDialog::OnSelectByWildcard() {
    SelectByWildcardDialog picker(SettingsFilePath());
    if (picker.ShowModal(Handle()) == mrOK) SetControlText(IDC_FolderEntry_Mask, picker.JoinedPattern());
}

void FolderEntryDialog::OnRegedit() { StartRegistryEditor(Handle()); }
