#include "dialogs/PreferencesDialog.h"

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "dialogs/DialogTexts.h"
#include "dialogs/PreferencesDialogRes.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Profile.h"
#include "platform/WideText.h"
#include "settings/Schedule.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTexts.h"

using namespace settings;

namespace {
constexpr int MinMinutes = 2, MaxMinutes = 1000;

// Position of a stored index in a list of count entries: above the list gives fallback,
// below it no selection.
int ListPosition(int stored, int count, int fallback) {
    if (stored >= count) return fallback;
    return stored < 0 ? -1 : stored;
}

// The language list: "Automatic" first, then each language with a table; a stored choice's
// position ("Automatic" or an unknown tag: the first) and the choice at a position.
int LanguagePosition(const std::string& choice) {
    const auto& languages = Languages();
    for (size_t i = 0; i < languages.size(); ++i)
        if (choice == languages[i].Tag) return static_cast<int>(i) + 1;
    return 0;
}

std::string LanguageChoiceAt(int position) {
    const auto& languages = Languages();
    if (position < 1 || position > static_cast<int>(languages.size())) return AutomaticLanguage;
    return languages[position - 1].Tag;
}
}  // namespace

PreferencesDialog::PreferencesDialog() : Form(IDD_PreferencesDialog) { HelpContext = 102; }

void PreferencesDialog::FormCreate() {
    Pages.Attach(Control(IDC_Preferences_Tabs), Handle());
    Pages.AddPage(Text(IDS_Dlg_PrefsTabRun),
                  {IDC_Preferences_RunAtStartup, IDC_Preferences_RunMinimized, IDC_Preferences_DetectNetscape,
                   IDC_Preferences_RedetectNetscape, IDC_Preferences_LabelLanguage, IDC_Preferences_Language,
                   IDC_Preferences_LanguageNote});
    Pages.AddPage(Text(IDS_Dlg_PrefsTabSchedule),
                  {IDC_Preferences_LabelSchedule, IDC_Preferences_WashAtStart, IDC_Preferences_WashAtShutdown,
                   IDC_Preferences_WashEveryNMinutes, IDC_Preferences_Minutes, IDC_Preferences_MinutesSpin,
                   IDC_Preferences_LabelMinutes, IDC_Preferences_ScheduleHeld});
    Pages.AddPage(Text(IDS_Dlg_PrefsTabHotKey),
                  {IDC_Preferences_LabelCloseBrowsers, IDC_Preferences_CloseBrowsersModifier,
                   IDC_Preferences_CloseBrowsersPlus, IDC_Preferences_CloseBrowsersKey, IDC_Preferences_LabelWash,
                   IDC_Preferences_WashModifier, IDC_Preferences_WashPlus, IDC_Preferences_WashKey});
    Pages.AddPage(Text(IDS_Dlg_PrefsTabOptions),
                  {IDC_Preferences_SecureDelete, IDC_Preferences_WriteToLog, IDC_Preferences_DeleteLogOnExit,
                   IDC_Preferences_PromptBeforeClean, IDC_Preferences_OptionsHeld, IDC_Preferences_ShredVerb,
                   IDC_Preferences_WashBrowserOnClose, IDC_Preferences_RecycleBinByAge,
                   IDC_Preferences_RecycleBinDays, IDC_Preferences_RecycleBinDaysSpin, IDC_Preferences_LabelDays});
    Pages.Show(0);

    for (int id : {IDC_Preferences_CloseBrowsersModifier, IDC_Preferences_WashModifier})
        for (const char* name : ModifierNames) SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    for (int id : {IDC_Preferences_CloseBrowsersKey, IDC_Preferences_WashKey})
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            char text[2] = {letter, 0};
            SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    SendDlgItemMessageA(Handle(), IDC_Preferences_MinutesSpin, UDM_SETRANGE32, MinMinutes, MaxMinutes);
    SendDlgItemMessageA(Handle(), IDC_Preferences_RecycleBinDaysSpin, UDM_SETRANGE32, MinRecycleBinDays,
                        MaxRecycleBinDays);
    std::vector<std::string> languageNames{Text(IDS_Dlg_PrefsLanguageAutomatic)};
    for (const LanguageInfo& language : Languages()) languageNames.push_back(language.NativeName);
    for (const std::string& name : languageNames)
        SendDlgItemMessageW(Handle(), IDC_Preferences_Language, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Widen(name).c_str()));

    OnClick(IDC_Preferences_RunAtStartup, [this] { OnRunAtStartup(); });
    OnClick(IDC_Preferences_Apply, [this] { OnApply(); });
    OnClick(IDC_Preferences_Close, [this] { OnClose(); });
    OnClick(IDC_Preferences_Help, [this] { OnHelp(); });
    OnClick(IDC_Preferences_RedetectNetscape, [this] { OnRedetectNetscape(); });
    Bind(IDC_Preferences_Language, CBN_SELCHANGE, [this] { ShowLanguageNote(); });

    if (!RunGuarded(Handle(), [this] { LoadSettings(); })) Close(mrCancel);
}

bool PreferencesDialog::Notify(NMHDR* header, LRESULT& result) {
    (void)result;
    return Pages.HandleNotify(header);
}

bool PreferencesDialog::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    // A themed tab control draws its pages in the window colour: labels and check boxes on
    // them take it as their background.
    if (msg != WM_CTLCOLORSTATIC || !IsAppThemed()) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

void PreferencesDialog::LoadSettings() {
    ProfileFile ini(SettingsFile);
    const OptionsRecord& options = Record();
    SetChecked(IDC_Preferences_RunAtStartup, ini.ReadBool(RunSection, AutoRunKey, false));
    OnRunAtStartup();
    SetChecked(IDC_Preferences_RunMinimized, ini.ReadBool(RunSection, IsMinimizedKey, false));
    SetChecked(IDC_Preferences_SecureDelete, !options.QuickDelete);
    SetChecked(IDC_Preferences_WashAtStart, options.ScheduleSet & ScheduleAtStart);
    SetChecked(IDC_Preferences_WashAtShutdown, options.ScheduleSet & ScheduleAtShutdown);
    SetChecked(IDC_Preferences_WashEveryNMinutes, options.ScheduleSet & ScheduleEveryNMinutes);
    SetControlText(IDC_Preferences_Minutes,
                   std::to_string(std::clamp(options.IntervalMinutes, MinMinutes, MaxMinutes)));
    SetChecked(IDC_Preferences_PromptBeforeClean, options.PromptBeforeClean);
    SetChecked(IDC_Preferences_WriteToLog, options.WriteToLog);
    SetChecked(IDC_Preferences_DeleteLogOnExit, options.DeleteLogOnExit);
    SetChecked(IDC_Preferences_WashBrowserOnClose, options.WashBrowserOnClose);
    SetChecked(IDC_Preferences_RecycleBinByAge, options.RecycleBinByAge);
    SetControlText(IDC_Preferences_RecycleBinDays,
                   std::to_string(std::clamp(options.RecycleBinDays, MinRecycleBinDays, MaxRecycleBinDays)));
    for (const HotKeySetting* hotKey : {&CloseBrowsersHotKey, &WashHotKey}) {
        bool first = hotKey == &CloseBrowsersHotKey;
        int control = ini.ReadInteger(HotKeySection, hotKey->ControlKey, hotKey->DefaultControl);
        int letter = ini.ReadInteger(HotKeySection, hotKey->CharKey, hotKey->DefaultChar);
        SelectPosition(first ? IDC_Preferences_CloseBrowsersModifier : IDC_Preferences_WashModifier,
                       ListPosition(control, ModifierCount, hotKey->DefaultControl));
        SelectPosition(first ? IDC_Preferences_CloseBrowsersKey : IDC_Preferences_WashKey,
                       ListPosition(letter, 26, hotKey->DefaultChar));
    }
    SetChecked(IDC_Preferences_DetectNetscape, ini.ReadBool(DetectSection, DetectAtLoadKey, true));
    // A verb the machine's installation wrote (a per-machine MSI) is there for every user: only
    // that installation's removal takes it away.
    machineShredVerb_ = MachineShredVerbPresent(ClassesKey);
    SetChecked(IDC_Preferences_ShredVerb, machineShredVerb_ || ShredVerbPresent(ClassesKey));
    EnableControl(IDC_Preferences_ShredVerb, !machineShredVerb_);
    loadedLanguage_ = LanguagePosition(ReadLanguageChoice(SettingsFile));
    SelectPosition(IDC_Preferences_Language, loadedLanguage_);
    ShowLanguageNote();
    ShowHeldSettings();
}

void PreferencesDialog::ShowLanguageNote() {
    bool changed = Position(IDC_Preferences_Language) != loadedLanguage_;
    SetControlText(IDC_Preferences_LanguageNote, changed ? Text(IDS_Dlg_PrefsLanguageNextStart) : std::string());
}

void PreferencesDialog::ShowHeldSettings() {
    if (!Held) return;
    const bool schedule = Held->ScheduleSet.has_value(), minutes = Held->ScheduleMinutes.has_value();
    const bool quick = Held->UseQuickDelete.has_value(), log = Held->WriteToLog.has_value();
    for (int id : {IDC_Preferences_WashAtStart, IDC_Preferences_WashAtShutdown, IDC_Preferences_WashEveryNMinutes})
        if (schedule) EnableControl(id, false);
    for (int id : {IDC_Preferences_Minutes, IDC_Preferences_MinutesSpin})
        if (minutes) EnableControl(id, false);
    if (quick) EnableControl(IDC_Preferences_SecureDelete, false);
    if (log) EnableControl(IDC_Preferences_WriteToLog, false);
    if (schedule || minutes) SetControlText(IDC_Preferences_ScheduleHeld, Text(IDS_SetByAdministrator));
    if (quick || log) SetControlText(IDC_Preferences_OptionsHeld, Text(IDS_SetByAdministrator));
}

void PreferencesDialog::OnRunAtStartup() { EnableControl(IDC_Preferences_RunMinimized, IsChecked(IDC_Preferences_RunAtStartup)); }

int PreferencesDialog::Position(int comboId) const {
    return static_cast<int>(SendDlgItemMessageA(Handle(), comboId, CB_GETCURSEL, 0, 0));
}

void PreferencesDialog::SelectPosition(int comboId, int position) {
    SendDlgItemMessageA(Handle(), comboId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int PreferencesDialog::MinutesShown() const {
    return NumberShown(IDC_Preferences_Minutes, MinMinutes, MaxMinutes, MinMinutes);
}

int PreferencesDialog::NumberShown(int editId, int low, int high, int fallback) const {
    std::string text = ControlText(editId);
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return fallback;
    char* end = nullptr;
    long value = strtol(text.c_str() + start, &end, 10);
    if (end == text.c_str() + start || text.find_first_not_of(' ', end - text.c_str()) != std::string::npos)
        return fallback;
    return static_cast<int>(std::clamp<long>(value, low, high));
}

void PreferencesDialog::OnApply() {
    if (ControlText(IDC_Preferences_CloseBrowsersModifier) == ControlText(IDC_Preferences_WashModifier) &&
        ControlText(IDC_Preferences_CloseBrowsersKey) == ControlText(IDC_Preferences_WashKey)) {
        ShowErrorBox(Handle(), Text(IDS_Dlg_PrefsHotKeyConflict));
        return;
    }
    if (RunGuarded(Handle(), [this] { Store(); })) Close(mrOK);
}

void PreferencesDialog::Store() {
    ProfileFile ini(SettingsFile);
    OptionsRecord& options = Record();

    // "Auto Run" tells whether the program starts with Windows, so it follows the Run value.
    std::string runFailure;
    if (IsChecked(IDC_Preferences_RunAtStartup)) {
        try {
            WriteRunValue(RunKey, Executable);
        } catch (const AppError& e) {
            runFailure = e.what();
        }
    } else {
        RemoveRunValue(RunKey);
    }
    if (!runFailure.empty()) {
        SetChecked(IDC_Preferences_RunAtStartup, false);
        OnRunAtStartup();
    }
    ini.WriteBool(RunSection, AutoRunKey, IsChecked(IDC_Preferences_RunAtStartup));
    // The context menu verb lives in the registry only; the installers write it too.
    if (!machineShredVerb_ && IsChecked(IDC_Preferences_ShredVerb) != ShredVerbPresent(ClassesKey)) {
        if (IsChecked(IDC_Preferences_ShredVerb)) WriteShredVerb(ClassesKey, Executable);
        else RemoveShredVerb(ClassesKey);
    }
    ini.WriteBool(RunSection, IsMinimizedKey, IsChecked(IDC_Preferences_RunMinimized));

    // A setting the administrator holds keeps the held value and the user's own in the file.
    const Policies none;
    const Policies& held = Held ? *Held : none;
    if (!held.UseQuickDelete) options.QuickDelete = !IsChecked(IDC_Preferences_SecureDelete);
    if (!held.ScheduleSet) TakeSchedule(options);
    if (!held.ScheduleMinutes) {
        options.IntervalMinutes = MinutesShown();
        SetControlText(IDC_Preferences_Minutes, std::to_string(options.IntervalMinutes));
    }
    options.PromptBeforeClean = IsChecked(IDC_Preferences_PromptBeforeClean);
    if (!held.WriteToLog) options.WriteToLog = IsChecked(IDC_Preferences_WriteToLog);
    options.DeleteLogOnExit = IsChecked(IDC_Preferences_DeleteLogOnExit);
    options.WashBrowserOnClose = IsChecked(IDC_Preferences_WashBrowserOnClose);
    options.RecycleBinByAge = IsChecked(IDC_Preferences_RecycleBinByAge);
    options.RecycleBinDays = NumberShown(IDC_Preferences_RecycleBinDays, MinRecycleBinDays, MaxRecycleBinDays, 7);
    SetControlText(IDC_Preferences_RecycleBinDays, std::to_string(options.RecycleBinDays));
    WriteOptions(SettingsFile, options, held);

    // Both hot keys are stored before they are registered, once: registered after the first
    // alone, a swap of the two would register the second's old keys, which the first has taken.
    ini.WriteInteger(HotKeySection, CloseBrowsersHotKey.ControlKey, Position(IDC_Preferences_CloseBrowsersModifier));
    ini.WriteInteger(HotKeySection, CloseBrowsersHotKey.CharKey, Position(IDC_Preferences_CloseBrowsersKey));
    ini.WriteInteger(HotKeySection, WashHotKey.ControlKey, Position(IDC_Preferences_WashModifier));
    ini.WriteInteger(HotKeySection, WashHotKey.CharKey, Position(IDC_Preferences_WashKey));
    if (RegisterHotKeysAgain) RegisterHotKeysAgain();

    ini.WriteBool(DetectSection, DetectAtLoadKey, IsChecked(IDC_Preferences_DetectNetscape));
    // An untouched list keeps the stored choice, even one this version does not know.
    int language = Position(IDC_Preferences_Language);
    if (language != loadedLanguage_) {
        WriteLanguageChoice(SettingsFile, LanguageChoiceAt(language));
        loadedLanguage_ = language;
    }

    if (!runFailure.empty()) ShowErrorBox(Handle(), runFailure);
}

void PreferencesDialog::TakeSchedule(OptionsRecord& options) {
    unsigned schedule = 0;
    if (IsChecked(IDC_Preferences_WashAtStart)) schedule |= ScheduleAtStart;
    if (IsChecked(IDC_Preferences_WashAtShutdown)) schedule |= ScheduleAtShutdown;
    if (IsChecked(IDC_Preferences_WashEveryNMinutes)) schedule |= ScheduleEveryNMinutes;
    options.ScheduleSet = schedule;
    bool timer = (schedule & ScheduleEveryNMinutes) != 0;
    if (timer) options.LastAutoWashTime = NowAsDateTime();
    if (SetScheduleTimer) SetScheduleTimer(timer);
}

void PreferencesDialog::OnRedetectNetscape() {
    if (RedetectNetscape) RedetectNetscape();
    // The detection dialog rewrites the choice whenever it closes.
    RunGuarded(Handle(), [this] {
        SetChecked(IDC_Preferences_DetectNetscape, ProfileFile(SettingsFile).ReadBool(DetectSection, DetectAtLoadKey, true));
    });
}
