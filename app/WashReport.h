#pragma once
// The JSON report of a command-line wash (/wash /report FILE): what each wash item washed and
// what failed, with the totals and the exit code. Written as UTF-8 through a temporary file.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/WashEngine.h"

struct WashItemResult {
    std::string Name;
    int FilesWashed = 0;
    std::uint64_t BytesFreed = 0;
    int RegistryWashed = 0;
    // Rows that stayed, each with its reason; a row in a protected place has the code "refused".
    std::vector<WashFailure> Failures;
    // How many of the failures are such refused rows: the totals count no refusal as a failure.
    int Refused = 0;
    // A database item's databases: each one's counts, the space it gave back and its state.
    std::vector<DatabaseRow> Databases;
};

struct WashTotals {
    int FilesWashed = 0;
    std::uint64_t BytesFreed = 0;
    int RegistryWashed = 0;
    int Failures = 0;
};

struct WashReport {
    std::string Version;
    std::string Computer;
    std::string User;
    std::string Start;  // ISO 8601, UTC
    std::string End;
    std::vector<WashItemResult> Items;
    int ExitCode = 0;
    std::string Error;  // why the wash could not run; empty when it ran

    WashTotals Totals() const;
};

// The current time as "yyyy-mm-ddThh:mm:ssZ".
std::string IsoUtcNow();
// The computer and user names of this process.
std::string ComputerName();
std::string UserName();
// A UTF-8 text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);
// The report as JSON text (UTF-8, no byte order mark).
std::string ReportJson(const WashReport& report);
// Writes text to file through a temporary file beside it, put in place whole; false when it
// could not be written (the file, if it was there, stays as it was).
bool WriteFileWhole(const std::wstring& file, const std::string& text);
