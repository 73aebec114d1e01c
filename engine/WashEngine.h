#pragma once
// The cleaning engine: the wash log (WashLog.cpp), file deletion (FileWasher.cpp) and
// registry deletion (RegistryWasher.cpp). The list washes read rows and check marks from a
// CheckListModel, so they run the same whether a window shows the list or not.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/RegistryRow.h"
#include "platform/CheckListModel.h"

class RegistryKey;

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
// True when the file is gone afterwards.
bool WashOneFile(const std::string& path, bool useQuick);
// Overwrites the file and its alternate data streams with whole chunks of 'A', truncates it to
// 0 bytes, renames it to a random name of the same length and deletes it. Nothing is written through a
// link: a reparse point is removed as a link; a name the system resolves to another file by
// itself (a host symlink under Wine) is left alone. Any error gives false.
bool SecureDeleteFile(const std::string& path);
// Position of path in the list (letter case ignored by the system's locale), or -1.
int SpecificFileIndex(const SpecificFileList& specificFiles, const std::string& path);

// ---- Registry deletion.


// Deletes the key or value of every checked row; rows are logged when writeLog is set.
void WashRegistryList(const CheckListModel& list, bool writeLog, int& successCount, int& failCount);
// Deletes a key with all its subkeys (wholeKey) or one value of it.
bool DeleteRegistryRow(RegistryKey& registry, const std::string& keyPath, const std::string& valueName,
                       bool wholeKey);
// The current data of the value a value row names, as text; empty when it can't be read.
std::string ReadRowValueText(const std::string& row);
