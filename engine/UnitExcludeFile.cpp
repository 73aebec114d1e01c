#include "engine/UnitExcludeFile.h"

#include <commdlg.h>

#include <vector>

#include "catalogue/ListUtils.h"
#include "catalogue/SettingsLists.h"
#include "engine/ListBoxRows.h"
#include "engine/UnitExcludeFileRes.h"
#include "engine/Unitselectbyfilter.h"
#include "platform/Error.h"
#include "platform/Help.h"
#include "resources/icons.h"
#include "platform/WideText.h"

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

TFormExcludeFile::TFormExcludeFile(std::string settingsFile)
    : TForm(IDD_TFormExcludeFile), settingsFile_(std::move(settingsFile)) {
    HelpContext = 42;
}

HWND TFormExcludeFile::TextListBox1() const { return Control(IDC_ExcludeFile_TextListBox1); }

void TFormExcludeFile::ShowButtonImages() {
    const std::pair<int, int> icons[] = {
        {IDC_ExcludeFile_Button6, ICO_ADD},      {IDC_ExcludeFile_Button3, ICO_IMPORT},
        {IDC_ExcludeFile_btnUp, ICO_UP},         {IDC_ExcludeFile_btnDown, ICO_DOWN},
        {IDC_ExcludeFile_Button5, ICO_REMOVE},   {IDC_ExcludeFile_SpeedButton2, ICO_DELETELOG},
    };
    for (auto [id, icon] : icons) SetButtonIcon(Control(id), icon, Scale(16));
}

void TFormExcludeFile::DpiChanged() {
    ShowButtonImages();
    FitHorizontalExtent(TextListBox1());
}

void TFormExcludeFile::FormCreate() {
    ShowButtonImages();
    TransferExclusionList(true);

    OnClick(IDC_ExcludeFile_Button6, [this] { Button6Click(); });
    OnClick(IDC_ExcludeFile_Button3, [this] { Button3Click(); });
    OnClick(IDC_ExcludeFile_btnUp, [this] { btnUpClick(); });
    OnClick(IDC_ExcludeFile_btnDown, [this] { btnDownClick(); });
    OnClick(IDC_ExcludeFile_Button5, [this] { Button5Click(); });
    OnClick(IDC_ExcludeFile_SpeedButton2, [this] { SpeedButton2Click(); });
    OnClick(IDC_ExcludeFile_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_ExcludeFile_SpeedButton3, [this] { SpeedButton3Click(); });
    OnClick(IDC_ExcludeFile_SpeedButton4, [this] { SpeedButton4Click(); });
}

void TFormExcludeFile::TransferExclusionList(bool read) {
    if (read) SetListBoxRows(TextListBox1(), ReadNumberedList(settingsFile_, ExclusionList));
    else WriteNumberedList(settingsFile_, ExclusionList, ListBoxRows(TextListBox1()));
}

void TFormExcludeFile::Button6Click() {
    TFormselectbyfilter picker(settingsFile_);
    if (picker.ShowModal(Handle()) == mrOK) AppendUnlessListed(TextListBox1(), picker.JoinedPattern());
}

void TFormExcludeFile::Button3Click() {
    std::vector<wchar_t> buffer(64 * 1024, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = L"All files (*.*)\0*.*\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size() - 1);
    dialog.lpstrTitle = L"Select files by filename";
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    // The folder and the names, each ended by a NUL, the list by a second one: in UTF-8 alike.
    size_t length = 0;
    while (length + 1 < buffer.size() && (buffer[length] || buffer[length + 1])) ++length;
    std::string chosen = Narrow(buffer.data(), length + 2);
    for (const auto& file : ChosenFiles(chosen.data())) AppendUnlessListed(TextListBox1(), file);
}

void TFormExcludeFile::btnUpClick() { MoveItemUp(TextListBox1()); }

void TFormExcludeFile::btnDownClick() { MoveItemDown(TextListBox1()); }

void TFormExcludeFile::Button5Click() { DeleteSelectedRow(TextListBox1()); }

void TFormExcludeFile::SpeedButton2Click() { SendMessageA(TextListBox1(), LB_RESETCONTENT, 0, 0); }

void TFormExcludeFile::SpeedButton1Click() {
    // A refused write shows its error and keeps the dialog open with the user's edits.
    if (RunGuarded(Handle(), [this] { TransferExclusionList(false); })) Close(mrOK);
}

void TFormExcludeFile::SpeedButton4Click() {
    if (!HelpFile.empty()) ShowHelpContext(HelpFile, 42);
}
