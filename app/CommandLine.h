#pragma once
// The command line for scripts and the Task Scheduler:
//   varnolt.exe /wash        the automatic wash of all checked wash items, no window
//   varnolt.exe /list FILE   every row the checked items cover now, written to FILE as UTF-8
//   varnolt.exe /?           the usage
// Without arguments the program starts its window as usual.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/Winapp2Items.h"

enum class CommandKind { None, Wash, List, Usage, Invalid };

// Exit codes of the command line.
inline constexpr int ExitWashed = 0;          // every row washed, or the list written
inline constexpr int ExitFailed = 1;          // some row not washed, or the list not written
inline constexpr int ExitBadArguments = 2;    // unknown option or missing file name
inline constexpr int ExitAlreadyRunning = 3;  // /wash while another Varnolt runs

struct CommandLine {
    CommandKind Kind = CommandKind::None;
    std::wstring File;  // /list only
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
struct CoveredRows {
    std::vector<std::string> Files;
    std::vector<uint64_t> FileSpaces;  // the space on disk of each file row
    std::vector<std::string> Registry;
    std::vector<std::string> Specials;
};
// Rows of winapp2, when given, are built from that file's entries.
CoveredRows CollectCheckedRows(const Catalogue& catalogue, const Winapp2Catalogue* winapp2 = nullptr);
// The catalogue as the main window loads it from the program directory: the supplied, user and
// plug-in items, then, when winapp2 is given, the detected entries of winapp2.ini, ordered and
// checked by order.ini. Reads only.
Catalogue LoadCatalogueFrom(const std::string& programDir, Winapp2Catalogue* winapp2 = nullptr);
