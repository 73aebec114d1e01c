#pragma once
// The arguments of the command line for scripts and the Task Scheduler, parsed:
//   varnolt.exe /wash        the automatic wash of all checked wash items, no window
//   varnolt.exe /wash /report FILE   the same, and its JSON report written to FILE
//   varnolt.exe /wash /restart-delete   the same, and the files left in use marked for deletion
//                                       when Windows restarts
//   varnolt.exe /list FILE   every row the checked items cover now, written to FILE as UTF-8
//   varnolt.exe /wipe D:     wipes the free space of drive D: (WipeCommand.cpp)
//   varnolt.exe /shred PATH...  a preview of the files, shredded after "&Wash" (ShredCommand.cpp)
//   varnolt.exe /?           the usage
// Without arguments the program starts its window as usual.
#include <string>
#include <vector>

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
    bool RestartDelete = false;  // /wash /restart-delete
    std::vector<std::wstring> Paths;  // /shred
    std::vector<std::wstring> Items;  // /wash, /list: the items named by /item (none: the checked ones)
    std::string Error;  // Invalid only
};

// Options start with "/" or "-", letter case ignored. args excludes the program's own name.
CommandLine ParseCommandLine(const std::vector<std::wstring>& args);
// The arguments of the running process (without the program's own name).
std::vector<std::wstring> ProcessArguments();

std::string UsageText();
