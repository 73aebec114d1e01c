#pragma once
// Sections, keys and defaults of the settings file, and the options record's read and write.
#include <string>

#include "settings/Options.h"
#include "settings/Policies.h"

namespace settings {
inline constexpr const char* RunSection = "Run";
inline constexpr const char* AutoRunKey = "Auto Run";
inline constexpr const char* IsMinimizedKey = "Is Minimized";
inline constexpr const char* DeleteSection = "Delete Option";
inline constexpr const char* UseQuickKey = "Use Quick";
inline constexpr const char* PromptBeforeKey = "prompt Before";
inline constexpr const char* ScheduleSection = "Schedule";
inline constexpr const char* ScheduleOptionKey = "Schedule Option";
inline constexpr const char* MinutesKey = "Minuts";
inline constexpr const char* LogSection = "Log";
inline constexpr const char* WriteToLogKey = "Write to Log";
inline constexpr const char* DeleteLogOnExitKey = "Delete Log On Exit";
inline constexpr const char* WashBrowserOnCloseKey = "Wash Browser On Close";
inline constexpr const char* RecycleBinByAgeKey = "Recycle Bin By Age";
inline constexpr const char* RecycleBinDaysKey = "Recycle Bin Days";
inline constexpr const char* HotKeySection = "Hot Key";
inline constexpr const char* DetectSection = "Detect";
inline constexpr const char* DetectAtLoadKey = "Detect directory at load";
inline constexpr const char* LanguageSection = "Language";
inline constexpr const char* LanguageKey = "Language";
}  // namespace settings

// The schedule set named by a "Schedule Option" value (case-sensitive word tests).
unsigned ParseScheduleOption(const std::string& value);
// The "Schedule Option" value of a schedule set: "byStart " "byShutdown " "byEveryHour ".
std::string FormatScheduleOption(unsigned scheduleSet);

// Local date and time as days since 1899-12-30 with the time as fraction of a day.
double NowAsDateTime();

// The Recycle Bin's age limit in days as stored (brought into range); 0 when it is off.
int ReadRecycleBinDays(const std::string& settingsFile);

// Reads the options record from the settings file; the schedule set only gains triggers.
// Returns whether the schedule timer is to run.
bool ReadOptionsAtStartup(const std::string& settingsFile, OptionsRecord& options);
// Writes the options record's stored fields (not StartMinimized, not LastAutoWashTime) but those
// the administrator holds, which keep the file's own value. A refused write raises AppError.
void WriteOptions(const std::string& settingsFile, const OptionsRecord& options, const Policies& held = {});

// "Auto Run" of section "Run" (default false), read where the start-up wash is decided.
bool ReadAutoRun(const std::string& settingsFile);

// The "Language" choice: "Automatic" (the default: Windows' display language) or a language's
// tag ("de", "pt-BR", ...). It takes effect at the next start.
std::string ReadLanguageChoice(const std::string& settingsFile);
void WriteLanguageChoice(const std::string& settingsFile, const std::string& choice);
