#pragma once
// The event every automatic wash and every /wash writes to the Application log, source
// "Varnolt": 1000 washed, 1001 washed with failures (or stopped by an error after it washed
// something), 1002 could not run.
#include <windows.h>

#include <string>

#include "app/WashReport.h"

inline constexpr const wchar_t* EventSource = L"Varnolt";
inline constexpr DWORD EventWashed = 1000;
inline constexpr DWORD EventWashedWithFailures = 1001;
inline constexpr DWORD EventCouldNotRun = 1002;

struct WashEvent {
    DWORD Id = EventWashed;
    WORD Type = EVENTLOG_INFORMATION_TYPE;
    std::string Text;
};

// The event of a wash started by trigger ("/wash", "Timed wash", ...): error tells why it could
// not run, empty when it ran.
WashEvent MakeWashEvent(const std::string& trigger, const WashTotals& totals, const std::string& error);
// Writes it; false when the event log refused it.
bool ReportWashEvent(const WashEvent& event);
