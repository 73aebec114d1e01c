#include "settings/Schedule.h"

#include <algorithm>

#include "platform/Profile.h"
#include "settings/SettingsStore.h"

bool IntervalAsTime(int minutes, double& time) {
    int hours = minutes / 60, rest = minutes % 60;
    if (hours < 0 || hours > 23 || rest < 0) return false;
    time = (hours * 60.0 + rest) / 1440.0;
    return true;
}

TimedWashStep NextTimedWashStep(double lastWash, double now, int minutes) {
    double interval = 0;
    if (!IntervalAsTime(minutes, interval)) return TimedWashStep::Never;
    if (now < lastWash) return TimedWashStep::Restart;
    // A hundredth of a second of slack for the rounding of the day fractions.
    const double slack = 0.01 / 86400.0;
    return now + slack >= lastWash + interval ? TimedWashStep::Wash : TimedWashStep::Wait;
}

UINT HotKeyModifierFlags(int modifierIndex) {
    static const UINT flags[] = {MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_CONTROL | MOD_ALT, MOD_CONTROL | MOD_SHIFT};
    return flags[std::clamp(modifierIndex, 0, ModifierCount - 1)];
}

HotKeyRegistration ReadHotKey(const std::string& settingsFile, const HotKeySetting& hotKey) {
    ProfileFile ini(settingsFile);
    int control = std::min(ini.ReadInteger(settings::HotKeySection, hotKey.ControlKey, hotKey.DefaultControl), 4);
    int letter = std::min(ini.ReadInteger(settings::HotKeySection, hotKey.CharKey, hotKey.DefaultChar), 25);
    if (letter < 0) letter = hotKey.DefaultChar;
    HotKeyRegistration r;
    if (control < 0) return r;
    r.Register = true;
    r.Modifiers = HotKeyModifierFlags(control);
    r.Key = 65 + letter;
    return r;
}

void RegisterHotKeys(HWND window, const std::string& settingsFile) {
    for (const HotKeySetting* hotKey : {&CloseBrowsersHotKey, &WashHotKey}) {
        HotKeyRegistration r = ReadHotKey(settingsFile, *hotKey);
        if (r.Register) RegisterHotKey(window, hotKey->Id, r.Modifiers, r.Key);
    }
}

void UnregisterHotKeys(HWND window) {
    UnregisterHotKey(window, CloseBrowsersHotKey.Id);
    UnregisterHotKey(window, WashHotKey.Id);
}
