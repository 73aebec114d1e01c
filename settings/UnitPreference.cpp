#include "settings/UnitPreference.h"

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdlib>

#include "platform/Error.h"
#include "platform/Profile.h"
#include "settings/Schedule.h"
#include "settings/SettingsStore.h"
#include "settings/UnitPreferenceRes.h"

using namespace settings;

namespace {
constexpr int MinMinutes = 2, MaxMinutes = 1000;

// Position of a stored index in a list of count entries: above the list gives fallback,
// below it no selection.
int ListPosition(int stored, int count, int fallback) {
    if (stored >= count) return fallback;
    return stored < 0 ? -1 : stored;
}
}  // namespace

TFormPreferences::TFormPreferences() : TForm(IDD_TFormPreferences) { HelpContext = 102; }

void TFormPreferences::FormCreate() {
    Pages.Attach(Control(IDC_Preferences_PageControl1), Handle());
    Pages.AddPage("Run", {IDC_Preferences_cbRun, IDC_Preferences_cbMini, IDC_Preferences_cbDetect,
                          IDC_Preferences_SpeedButton4});
    Pages.AddPage("Schedule", {IDC_Preferences_LabelSchedule, IDC_Preferences_rbWhenStart,
                               IDC_Preferences_rbWhenShutDown, IDC_Preferences_rbEveryHour,
                               IDC_Preferences_SpinEditMinuts, IDC_Preferences_SpinButton,
                               IDC_Preferences_LabelMinutes});
    Pages.AddPage("HotKey", {IDC_Preferences_LabelCloseBrowsers, IDC_Preferences_cbControl,
                             IDC_Preferences_LabelPlus1, IDC_Preferences_cbChar, IDC_Preferences_LabelWash,
                             IDC_Preferences_cbControlNew, IDC_Preferences_LabelPlus2,
                             IDC_Preferences_cbCharNew});
    Pages.AddPage("Options", {IDC_Preferences_ChEraseSafe, IDC_Preferences_ChWritetolog,
                              IDC_Preferences_ChDeleteonExit, IDC_Preferences_chPromptBeforeDelete});
    Pages.Show(0);

    for (int id : {IDC_Preferences_cbControl, IDC_Preferences_cbControlNew})
        for (const char* name : ModifierNames) SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    for (int id : {IDC_Preferences_cbChar, IDC_Preferences_cbCharNew})
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            char text[2] = {letter, 0};
            SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    SendDlgItemMessageA(Handle(), IDC_Preferences_SpinButton, UDM_SETRANGE32, MinMinutes, MaxMinutes);

    OnClick(IDC_Preferences_cbRun, [this] { cbRunClick(); });
    OnClick(IDC_Preferences_SpeedButton1, [this] { SpeedButton1Click(); });
    OnClick(IDC_Preferences_SpeedButton2, [this] { SpeedButton2Click(); });
    OnClick(IDC_Preferences_SpeedButton3, [this] { SpeedButton3Click(); });
    OnClick(IDC_Preferences_SpeedButton4, [this] { SpeedButton4Click(); });

    if (!RunGuarded(Handle(), [this] { LoadSettings(); })) Close(mrCancel);
}

bool TFormPreferences::Notify(NMHDR* header, LRESULT& result) {
    (void)result;
    return Pages.HandleNotify(header);
}

bool TFormPreferences::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    // A themed tab control draws its pages in the window colour: labels and check boxes on
    // them take it as their background.
    if (msg != WM_CTLCOLORSTATIC || !IsAppThemed()) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

void TFormPreferences::LoadSettings() {
    ProfileFile ini(SettingsFile);
    const TOptions& options = Record();
    SetChecked(IDC_Preferences_cbRun, ini.ReadBool(RunSection, AutoRunKey, false));
    cbRunClick();
    SetChecked(IDC_Preferences_cbMini, ini.ReadBool(RunSection, IsMinimizedKey, false));
    SetChecked(IDC_Preferences_ChEraseSafe, !options.QuickDelete);
    SetChecked(IDC_Preferences_rbWhenStart, options.ScheduleSet & ScheduleAtStart);
    SetChecked(IDC_Preferences_rbWhenShutDown, options.ScheduleSet & ScheduleAtShutdown);
    SetChecked(IDC_Preferences_rbEveryHour, options.ScheduleSet & ScheduleEveryNMinutes);
    SetControlText(IDC_Preferences_SpinEditMinuts,
                   std::to_string(std::clamp(options.IntervalMinutes, MinMinutes, MaxMinutes)));
    SetChecked(IDC_Preferences_chPromptBeforeDelete, options.PromptBeforeClean);
    SetChecked(IDC_Preferences_ChWritetolog, options.WriteToLog);
    SetChecked(IDC_Preferences_ChDeleteonExit, options.DeleteLogOnExit);
    for (const HotKeySetting* hotKey : {&CloseBrowsersHotKey, &WashHotKey}) {
        bool first = hotKey == &CloseBrowsersHotKey;
        int control = ini.ReadInteger(HotKeySection, hotKey->ControlKey, hotKey->DefaultControl);
        int letter = ini.ReadInteger(HotKeySection, hotKey->CharKey, hotKey->DefaultChar);
        SelectPosition(first ? IDC_Preferences_cbControl : IDC_Preferences_cbControlNew,
                       ListPosition(control, ModifierCount, hotKey->DefaultControl));
        SelectPosition(first ? IDC_Preferences_cbChar : IDC_Preferences_cbCharNew,
                       ListPosition(letter, 26, hotKey->DefaultChar));
    }
    SetChecked(IDC_Preferences_cbDetect, ini.ReadBool(DetectSection, DetectAtLoadKey, true));
}

void TFormPreferences::cbRunClick() { EnableControl(IDC_Preferences_cbMini, IsChecked(IDC_Preferences_cbRun)); }

int TFormPreferences::Position(int comboId) const {
    return static_cast<int>(SendDlgItemMessageA(Handle(), comboId, CB_GETCURSEL, 0, 0));
}

void TFormPreferences::SelectPosition(int comboId, int position) {
    SendDlgItemMessageA(Handle(), comboId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int TFormPreferences::MinutesShown() const {
    std::string text = ControlText(IDC_Preferences_SpinEditMinuts);
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return MinMinutes;
    char* end = nullptr;
    long value = strtol(text.c_str() + start, &end, 10);
    if (end == text.c_str() + start || text.find_first_not_of(' ', end - text.c_str()) != std::string::npos)
        return MinMinutes;
    return static_cast<int>(std::clamp<long>(value, MinMinutes, MaxMinutes));
}

void TFormPreferences::SpeedButton1Click() {
    if (ControlText(IDC_Preferences_cbControl) == ControlText(IDC_Preferences_cbControlNew) &&
        ControlText(IDC_Preferences_cbChar) == ControlText(IDC_Preferences_cbCharNew)) {
        ShowErrorBox(Handle(), "HotKey conflict,please setup again!");
        return;
    }
    if (RunGuarded(Handle(), [this] { Store(); })) Close(mrOK);
}

void TFormPreferences::Store() {
    ProfileFile ini(SettingsFile);
    TOptions& options = Record();

    // "Auto Run" tells whether the program starts with Windows, so it follows the Run value.
    std::string runFailure;
    if (IsChecked(IDC_Preferences_cbRun)) {
        try {
            WriteRunValue(RunKey, Executable);
        } catch (const AppError& e) {
            runFailure = e.what();
        }
    } else {
        RemoveRunValue(RunKey);
    }
    if (!runFailure.empty()) {
        SetChecked(IDC_Preferences_cbRun, false);
        cbRunClick();
    }
    ini.WriteBool(RunSection, AutoRunKey, IsChecked(IDC_Preferences_cbRun));
    ini.WriteBool(RunSection, IsMinimizedKey, IsChecked(IDC_Preferences_cbMini));

    options.QuickDelete = !IsChecked(IDC_Preferences_ChEraseSafe);
    ini.WriteBool(DeleteSection, UseQuickKey, options.QuickDelete);

    unsigned schedule = 0;
    if (IsChecked(IDC_Preferences_rbWhenStart)) schedule |= ScheduleAtStart;
    if (IsChecked(IDC_Preferences_rbWhenShutDown)) schedule |= ScheduleAtShutdown;
    if (IsChecked(IDC_Preferences_rbEveryHour)) schedule |= ScheduleEveryNMinutes;
    options.ScheduleSet = schedule;
    bool timer = (schedule & ScheduleEveryNMinutes) != 0;
    if (timer) options.LastAutoWashTime = NowAsDateTime();
    if (SetScheduleTimer) SetScheduleTimer(timer);
    options.IntervalMinutes = MinutesShown();
    SetControlText(IDC_Preferences_SpinEditMinuts, std::to_string(options.IntervalMinutes));
    ini.WriteString(ScheduleSection, ScheduleOptionKey, FormatScheduleOption(schedule));
    ini.WriteInteger(ScheduleSection, MinutesKey, options.IntervalMinutes);

    options.PromptBeforeClean = IsChecked(IDC_Preferences_chPromptBeforeDelete);
    ini.WriteBool(DeleteSection, PromptBeforeKey, options.PromptBeforeClean);
    options.WriteToLog = IsChecked(IDC_Preferences_ChWritetolog);
    options.DeleteLogOnExit = IsChecked(IDC_Preferences_ChDeleteonExit);
    ini.WriteBool(LogSection, WriteToLogKey, options.WriteToLog);
    ini.WriteBool(LogSection, DeleteLogOnExitKey, options.DeleteLogOnExit);

    ini.WriteInteger(HotKeySection, CloseBrowsersHotKey.ControlKey, Position(IDC_Preferences_cbControl));
    ini.WriteInteger(HotKeySection, CloseBrowsersHotKey.CharKey, Position(IDC_Preferences_cbChar));
    if (RegisterHotKeysAgain) RegisterHotKeysAgain();
    ini.WriteInteger(HotKeySection, WashHotKey.ControlKey, Position(IDC_Preferences_cbControlNew));
    ini.WriteInteger(HotKeySection, WashHotKey.CharKey, Position(IDC_Preferences_cbCharNew));
    if (RegisterHotKeysAgain) RegisterHotKeysAgain();

    ini.WriteBool(DetectSection, DetectAtLoadKey, IsChecked(IDC_Preferences_cbDetect));

    if (!runFailure.empty()) ShowErrorBox(Handle(), runFailure);
}

void TFormPreferences::SpeedButton4Click() {
    if (RedetectNetscape) RedetectNetscape();
    // The detection dialog rewrites the choice whenever it closes.
    RunGuarded(Handle(), [this] {
        SetChecked(IDC_Preferences_cbDetect, ProfileFile(SettingsFile).ReadBool(DetectSection, DetectAtLoadKey, true));
    });
}
