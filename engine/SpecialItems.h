#pragma once
// Special items: wash items whose name selects a built-in operation, and the specific file list.
#include <windows.h>

#include <string>

#include "engine/WashEngine.h"

inline constexpr const char* RecycleBinItem = "Recycle Bin";
inline constexpr const char* UrlHistoryItem = "The history of Internet Explorer";
inline constexpr const char* ShellFoldersKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Empties the Recycle Bin of all drives without confirmation, progress or sound. Nothing is
// reported when the shell offers no SHEmptyRecycleBinA.
void EmptyRecycleBin(HWND owner);

struct BinAgeResult;
// The log's note of a Recycle Bin emptied by age: "N items deleted, M newer than D days kept".
std::string RecycleBinAgeNote(const BinAgeResult& bin, int days);
// The same note for what a wash of the Recycle Bin item would do now; empty when the bin is
// emptied at once (no age limit is set).
std::string RecycleBinPreviewNote();

// Runs the operation the name selects (exact case; any other name runs none) and, when
// writeLog is set, writes a log block of its own with one "Success" row and a summary line. In a
// wash of several items, wash receives its counts instead and its block ends without a summary
// line: the wash writes one after its last block. An error of the operation raises before the log row.
// A database item (IsDatabaseItem) writes one row per database instead, and adds the space given
// back, the databases left alone (as failures) and its rows to wash.
void WashSpecialItem(const std::string& name, bool writeLog, HWND owner, WashSummary* wash = nullptr);

// The cookie and cache index files of the "Shell Folders" key of the current user.
SpecificFileList BuildSpecificFileList();
// The same, read from the "Cookies" and "Cache" values of any key; empty when it can't be opened.
SpecificFileList ReadSpecificFileList(HKEY root, const std::string& keyPath);
