#pragma once
// The command line for scripts and the Task Scheduler:
//   varnolt.exe /wash        the automatic wash of all checked wash items, no window
//   varnolt.exe /wash /report FILE   the same, and its JSON report written to FILE
//   varnolt.exe /list FILE   every row the checked items cover now, written to FILE as UTF-8
//   varnolt.exe /wipe D:     wipes the free space of drive D: (WipeCommand.cpp)
//   varnolt.exe /shred PATH...  a preview of the files, shredded after "&Wash" (ShredCommand.cpp)
//   varnolt.exe /?           the usage
// Without arguments the program starts its window as usual.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/Winapp2Items.h"

enum class CommandKind { None, Wash, List, Wipe, Shred, Usage, Invalid };

// Exit codes of the command line.
inline constexpr int ExitWashed = 0;          // every row washed, or the list written
inline constexpr int ExitFailed = 1;          // some row not washed, or the list not written
inline constexpr int ExitBadArguments = 2;    // unknown option or missing file name
inline constexpr int ExitAlreadyRunning = 3;  // /wash while another Varnolt runs

struct CommandLine {
    CommandKind Kind = CommandKind::None;
    std::wstring File;    // /list: the file; /wipe: the drive
    std::wstring Report;  // /wash /report only
    std::vector<std::wstring> Paths;  // /shred
    std::string Error;  // Invalid only
};

// Options start with "/" or "-", letter case ignored. args excludes the program's own name.
CommandLine ParseCommandLine(const std::vector<std::wstring>& args);
// The arguments of the running process (without the program's own name).
std::vector<std::wstring> ProcessArguments();

// Runs a parsed command (Kind != None) and returns the process exit code.
int RunCommandLine(const CommandLine& command);

std::string UsageText();

// The rows the checked items of the catalogue cover now, in catalogue order: file rows and
// registry rows of every checked entry of every checked ordinary item (exact repeats dropped,
// file names compared without letter case), and the names of the checked special items.
struct CoveredItem {
    std::string Name;
    bool IsSpecial = false;
    // The item's rows end before these positions of Files and Registry (they start where the
    // item before ends); a row of an earlier item is not its row again.
    size_t FilesEnd = 0;
    size_t RegistryEnd = 0;
};
struct CoveredRows {
    std::vector<std::string> Files;
    std::vector<uint64_t> FileSpaces;  // the space on disk of each file row
    std::vector<std::string> Registry;
    std::vector<std::string> Specials;
    std::vector<CoveredItem> Items;  // every checked item, in catalogue order
};
// Rows of winapp2, when given, are built from that file's entries.
CoveredRows CollectCheckedRows(const Catalogue& catalogue, const Winapp2Catalogue* winapp2 = nullptr);
// The catalogue as the main window loads it from the program directory: the supplied, user and
// plug-in items, then, when winapp2 is given, the detected entries of winapp2.ini, ordered and
// checked by order.ini. The user's items, plug-ins and order.ini come from userDir (none: the
// program directory). Reads only.
Catalogue LoadCatalogueFrom(const std::string& programDir, Winapp2Catalogue* winapp2 = nullptr,
                            const std::string& userDir = {});

// A line to the standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE) or the starting console.
void WriteConsoleLine(DWORD which, const std::string& text);
// varnolt.exe /wipe DRIVE: the exit code.
int RunWipeCommand(const std::wstring& drive);
// varnolt.exe /shred PATH...: the exit code.
int RunShredCommand(const std::vector<std::wstring>& paths);
