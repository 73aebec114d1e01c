#pragma once
// The cleaning engine: the wash log (WashLog.cpp), file deletion (FileWasher.cpp) and
// registry deletion (RegistryWasher.cpp). The list washes read rows and check marks from a
// CheckListModel, so they run the same whether a window shows the list or not.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/DatabaseItems.h"
#include "engine/RegistryRow.h"
#include "platform/CheckListModel.h"

class RegistryKey;
class WashAhead;

// ---- What a wash did, for the window, the log, the command line and reports.

// A row that stayed, and why, in words a user understands ("In use by chrome.exe").
struct WashFailure {
    std::string Path;  // the file, or the registry row
    std::string Reason;
    // The same reason for scripts, in no language: "in_use", "access_denied", "not_found",
    // "locked", "not_deleted", "refused", "failed".
    std::string Code;
    // The system's error of the failed call, 0 when none is known.
    DWORD Error = 0;
};

// The result of washing one list: rows washed and failed, the disk space of the files really
// deleted (a file counted as washed but still there adds nothing), and each failure.
struct WashTally {
    int Washed = 0;
    int Failed = 0;
    uint64_t FreedBytes = 0;
    std::vector<WashFailure> Failures;
    // Rows in a protected place, left alone whatever their check mark (as the log names them).
    std::vector<std::string> Refused;
};

// Files and registry rows of one wash, as the end of its log block and /wash show them, and
// each database a database item washed or left alone (its space given back counts in Files).
struct WashSummary {
    WashTally Files;
    WashTally Registry;
    std::vector<DatabaseRow> Databases;
};
// "Files washed: 3, space freed: 12.0 KB, failures: 1"
std::string WashSummaryText(const WashSummary& summary);

// Why the file at path could not be deleted, from the error of the failed call: "In use by
// NAME" (the processes the Restart Manager names, where the system offers it), "Access denied",
// "Not found", else "File Locked".
std::string FileFailureReason(const std::string& path, DWORD error);
// The failure of the file at path with that reason and its code.
WashFailure FileFailure(const std::string& path, DWORD error);
// Why the file at path could not be deleted now, said as FileFailureReason says it; empty when
// nothing stands in the way. Opens the file for deletion without deleting it.
std::string FileBlockedReason(const std::string& path);
// True when another program held the file open: its deletion can wait for the next restart.
bool IsInUseFailure(const WashFailure& failure);
// Image names ("chrome.exe") of the processes holding a file, as the Restart Manager lists
// them; empty when none or when the system offers no list.
std::vector<std::string> ProcessesHoldingFile(const std::string& path);

// ---- Wash log: log.htm in the program directory, one block per wash run.

enum class WashRowKind { FolderFile, RegistryEntry, SpecialItem };

// Opens (or creates) the log for appending and writes the block's heading.
// An I/O error raises AppError and leaves the log closed.
void OpenWashLog();
// Writes one row group; texts are HTML-escaped. The log must be open.
void WriteWashLogRow(WashRowKind kind, bool quick, bool success, const std::string& item,
                     const std::string& note);
// Writes the closing line and closes the log; an I/O error raises after closing it.
void CloseWashLog();
// The same, with one summary line after the table.
void CloseWashLog(const WashSummary& summary);
// Appends the summary line of a whole wash after the log's last block, for a wash of several
// blocks (its files, then each special item). An I/O error raises after closing the log.
void WriteWashLogSummary(const WashSummary& summary);
// A block of its own for the files marked for deletion at restart: a failed row for each file
// still there, then "Deleted at restart: N of M". An I/O error raises after closing the log.
void WriteRestartLogBlock(int deleted, int total, const std::vector<std::string>& stillThere);
// Closes a log left open by a wash that ended early, keeping the rows written so far.
// Never raises.
void AbandonWashLog();
bool WashLogIsOpen();

// "yyyy-mm-dd HH:mm:ss", or the date alone at exactly midnight.
std::string FormatWashLogTime(const SYSTEMTIME& time);
// &, <, > and " as entities.
std::string HtmlEscape(const std::string& text);
// A UTF-8 text in the log's ANSI code page: a character the code page lacks becomes a numeric
// character reference, never a lookalike.
std::string LogText(const std::string& text);

// ---- File deletion.

// Full paths of files whose failed deletion counts as a success.
using SpecificFileList = std::vector<std::string>;

inline constexpr DWORD OverwriteChunkSize = 102400;

// Deletes the file of every checked row that names an existing file. Rows are logged when
// writeLog is set (the caller has opened the log).
void WashFileList(const CheckListModel& list, bool useQuick, bool writeLog,
                  const SpecificFileList& specificFiles, int& successCount, int& failCount);
// The same, with the space freed (each row's space, as the listing gave it) and the reasons.
// With ahead (quick deletes only), a row whose file went ahead counts as washed where it stands.
void WashFileList(const CheckListModel& list, bool useQuick, bool writeLog,
                  const SpecificFileList& specificFiles, WashTally& tally, WashAhead* ahead = nullptr);
// True when the system resolves the name by itself to another file or folder than the one named
// (a host symlink under Wine, which shows no reparse point): nothing may be deleted through it.
bool NameReachesAnotherFile(const std::string& path);
// True when the file is gone afterwards.
bool WashOneFile(const std::string& path, bool useQuick);
// Overwrites the file and its alternate data streams with whole chunks of 'A', truncates it to
// 0 bytes, renames it to a random name of the same length and extension and deletes it. Nothing is written through a
// link: a reparse point is removed as a link; a name the system resolves to another file by
// itself (a host symlink under Wine) is left alone. Any error gives false.
bool SecureDeleteFile(const std::string& path);
// Position of path in the list (letter case ignored by the system's locale), or -1.
int SpecificFileIndex(const SpecificFileList& specificFiles, const std::string& path);

// ---- Registry deletion.


// Deletes the key or value of every checked row; rows are logged when writeLog is set.
void WashRegistryList(const CheckListModel& list, bool writeLog, int& successCount, int& failCount);
void WashRegistryList(const CheckListModel& list, bool writeLog, WashTally& tally);
// Deletes a key with all its subkeys (wholeKey) or one value of it.
bool DeleteRegistryRow(RegistryKey& registry, const std::string& keyPath, const std::string& valueName,
                       bool wholeKey);
// The current data of the value a value row names, as text; empty when it can't be read.
std::string ReadRowValueText(const std::string& row);
