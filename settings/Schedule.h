#pragma once
// Schedule arithmetic and the hot-key settings: pure functions over the options and the
// settings file, so the main window's handlers stay thin.
#include <windows.h>

#include <string>

// The interval of the timed wash as a time of day (a fraction of a day) built from
// "hours:minutes:00"; false when that is no valid time of day (24 hours or more, negative).
bool IntervalAsTime(int minutes, double& time);

// What one tick of the schedule timer does.
enum class TimedWashStep {
    Wait,        // not yet due
    Wash,        // due: wash, then move the last wash time to now
    Restart,     // the clock went back before the last wash time: restart the interval from now
    Never,       // the interval is no valid time of day: never washes
};
TimedWashStep NextTimedWashStep(double lastWash, double now, int minutes);

// One global hot key as stored in section "Hot Key".
struct HotKeySetting {
    int Id;
    const char* ControlKey;
    const char* CharKey;
    int DefaultControl;
    int DefaultChar;
};
inline constexpr HotKeySetting CloseBrowsersHotKey{43963, "Control", "Char", 3, 5};
inline constexpr HotKeySetting WashHotKey{52701, "Control washer", "Char washer", 1, 3};

// Modifier names of the drop-down lists, by modifier index.
inline constexpr const char* ModifierNames[] = {"ALT", "CTRL", "SHIFT", "CTRL+ALT", "CTRL+SHIFT"};
inline constexpr int ModifierCount = 5;

// The registration of one hot key read from the settings file: modifier index above 4 counts
// as 4; letter index above 25 as 25, a negative one takes the default. A negative modifier
// index registers nothing (Register false).
struct HotKeyRegistration {
    bool Register = false;
    UINT Modifiers = 0;
    UINT Key = 0;
};
HotKeyRegistration ReadHotKey(const std::string& settingsFile, const HotKeySetting& hotKey);
// The system's modifier flags of a modifier index 0..4.
UINT HotKeyModifierFlags(int modifierIndex);

// Registers both hot keys on the window from the settings file; failures are not reported.
void RegisterHotKeys(HWND window, const std::string& settingsFile);
void UnregisterHotKeys(HWND window);
