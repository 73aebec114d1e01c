#include "engine/Unitselectbyfilter.h"

#include "engine/ListBoxRows.h"
#include "catalogue/SettingsLists.h"
#include "engine/UnitAddWildcard.h"
#include "engine/UnitselectbyfilterRes.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "resources/icons.h"

TFormselectbyfilter::TFormselectbyfilter(std::string settingsFile)
    : TForm(IDD_TFormselectbyfilter), settingsFile_(std::move(settingsFile)) {
    HelpContext = 302;
}

void TFormselectbyfilter::FormCreate() {
    comReady_ = SUCCEEDED(CoInitialize(nullptr));
    DpiChanged();
    // The tree uses the form's font, whose character set the template sets to the default one.
    ShellTree1.OnChange = [this] { ShellTree1Change(); };
    ShellTree1.Attach(Control(IDC_selectbyfilter_ShellTree1));
    LoadWildcards();

    OnClick(IDC_selectbyfilter_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_selectbyfilter_Button1, [this] { Button1Click(); });
    OnClick(IDC_selectbyfilter_Button2, [this] { Button2Click(); });
}

void TFormselectbyfilter::LoadWildcards() {
    HWND combo = Control(IDC_selectbyfilter_ComboBox1);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> masks = ReadNumberedList(settingsFile_, WildcardList);
    for (const auto& mask : masks) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(mask).c_str()));
    if (masks.empty()) SetWindowTextA(combo, "*.*");
    else SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ShellTree1Change();
}

void TFormselectbyfilter::FormDestroy() {
    ShellTree1.Detach();
    if (comReady_) CoUninitialize();
    comReady_ = false;
}

void TFormselectbyfilter::DpiChanged() {
    SetButtonIcon(Control(IDC_selectbyfilter_SpeedButton1), ICO_EDIT, Scale(16));
}

void TFormselectbyfilter::ShellTree1Change() {
    SetControlText(IDC_selectbyfilter_labFolder, ShellTree1.SelectedPath());
}

void TFormselectbyfilter::SpeedButton1Click() {
    TFormWildcard editor(settingsFile_);
    if (editor.ShowModal(Handle()) == mrOK) LoadWildcards();
}

void TFormselectbyfilter::Button1Click() {
    folder_ = Trim(ControlText(IDC_selectbyfilter_labFolder));
    if (folder_.empty()) {
        ShowMissingChoice(Handle(), "Please select a folder!");
        return;
    }
    mask_ = Trim(ControlText(IDC_selectbyfilter_ComboBox1));
    Close(mrOK);
}

std::string TFormselectbyfilter::JoinedPattern() const {
    return folder_ + (!folder_.empty() && folder_.back() == '\\' ? "" : "\\") + mask_;
}

bool TFormselectbyfilter::Notify(NMHDR* header, LRESULT& result) { return ShellTree1.HandleNotify(header, result); }

bool TFormselectbyfilter::Message(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != SBF_SELECTFOLDER) return false;
    result = ShellTree1.SelectFolder(reinterpret_cast<const char*>(lParam)) ? TRUE : FALSE;
    return true;
}
