#include "settings/SettingsStore.h"

#include <windows.h>

#include <algorithm>

#include "platform/Profile.h"

using namespace settings;

unsigned ParseScheduleOption(const std::string& value) {
    unsigned set = 0;
    if (value.find("byStart") != std::string::npos) set |= ScheduleAtStart;
    if (value.find("byShutdown") != std::string::npos) set |= ScheduleAtShutdown;
    if (value.find("byEveryHour") != std::string::npos) set |= ScheduleEveryNMinutes;
    return set;
}

std::string FormatScheduleOption(unsigned scheduleSet) {
    std::string value;
    if (scheduleSet & ScheduleAtStart) value += "byStart ";
    if (scheduleSet & ScheduleAtShutdown) value += "byShutdown ";
    if (scheduleSet & ScheduleEveryNMinutes) value += "byEveryHour ";
    return value;
}

double NowAsDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER ticks;
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    // FILETIME counts 100 ns from 1601-01-01; 109205 days lie between it and 1899-12-30.
    return static_cast<double>(ticks.QuadPart) / 864000000000.0 - 109205.0;
}

int ReadRecycleBinDays(const std::string& settingsFile) {
    OptionsRecord options;
    ReadOptionsAtStartup(settingsFile, options);
    return options.RecycleBinByAge ? options.RecycleBinDays : 0;
}

bool ReadOptionsAtStartup(const std::string& settingsFile, OptionsRecord& options) {
    ProfileFile ini(settingsFile);
    if (ini.ReadBool(RunSection, AutoRunKey, false) && ini.ReadBool(RunSection, IsMinimizedKey, false))
        options.StartMinimized = true;
    options.QuickDelete = ini.ReadBool(DeleteSection, UseQuickKey, true);
    unsigned schedule = ParseScheduleOption(ini.ReadString(ScheduleSection, ScheduleOptionKey, ""));
    bool timer = (schedule & ScheduleEveryNMinutes) != 0;
    if (timer) options.LastAutoWashTime = NowAsDateTime();
    options.ScheduleSet |= schedule;
    options.IntervalMinutes = ini.ReadInteger(ScheduleSection, MinutesKey, 2);
    options.PromptBeforeClean = ini.ReadBool(DeleteSection, PromptBeforeKey, false);
    options.WriteToLog = ini.ReadBool(LogSection, WriteToLogKey, true);
    options.DeleteLogOnExit = ini.ReadBool(LogSection, DeleteLogOnExitKey, false);
    options.WashBrowserOnClose = ini.ReadBool(DeleteSection, WashBrowserOnCloseKey, false);
    options.RecycleBinByAge = ini.ReadBool(DeleteSection, RecycleBinByAgeKey, false);
    options.RecycleBinDays = std::clamp(ini.ReadInteger(DeleteSection, RecycleBinDaysKey, 7), MinRecycleBinDays,
                                        MaxRecycleBinDays);
    return timer;
}

void WriteOptions(const std::string& settingsFile, const OptionsRecord& options, const Policies& held) {
    ProfileFile ini(settingsFile);
    if (!held.UseQuickDelete) ini.WriteBool(DeleteSection, UseQuickKey, options.QuickDelete);
    if (!held.ScheduleSet)
        ini.WriteString(ScheduleSection, ScheduleOptionKey, FormatScheduleOption(options.ScheduleSet));
    if (!held.ScheduleMinutes) ini.WriteInteger(ScheduleSection, MinutesKey, options.IntervalMinutes);
    ini.WriteBool(DeleteSection, PromptBeforeKey, options.PromptBeforeClean);
    if (!held.WriteToLog) ini.WriteBool(LogSection, WriteToLogKey, options.WriteToLog);
    ini.WriteBool(LogSection, DeleteLogOnExitKey, options.DeleteLogOnExit);
    ini.WriteBool(DeleteSection, WashBrowserOnCloseKey, options.WashBrowserOnClose);
    ini.WriteBool(DeleteSection, RecycleBinByAgeKey, options.RecycleBinByAge);
    ini.WriteInteger(DeleteSection, RecycleBinDaysKey, options.RecycleBinDays);
}

bool ReadAutoRun(const std::string& settingsFile) {
    return ProfileFile(settingsFile).ReadBool(RunSection, AutoRunKey, false);
}

std::string ReadLanguageChoice(const std::string& settingsFile) {
    return ProfileFile(settingsFile).ReadString(LanguageSection, LanguageKey, "Automatic");
}

void WriteLanguageChoice(const std::string& settingsFile, const std::string& choice) {
    ProfileFile(settingsFile).WriteString(LanguageSection, LanguageKey, choice);
}
