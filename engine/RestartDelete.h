#pragma once
// Files a wash left in use, deleted when Windows restarts: marked with MoveFileEx's
// delay-until-reboot, kept with the time of marking in the user directory's restart.txt, and
// looked at again at the first start after the restart, which writes a log block of its own.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/WashEngine.h"

// The files among a wash's failures that another program held open: files that are still there
// (no folder), none in a protected place, each once, in the order of the failures.
std::vector<std::string> RestartCandidates(const WashTally& files);

enum class RestartMarking {
    Marked,              // every file the system took is in marked
    NeedsAdministrator,  // the right is missing: nothing was marked
};
// Checks the right to mark first, then marks each file; a file the system refuses is left out.
RestartMarking MarkForRestart(const std::vector<std::string>& files, std::vector<std::string>& marked);

// The stored list: the time of the last marking (UTC, as a FILETIME's 100 ns units) and the files.
struct RestartList {
    uint64_t MarkedAt = 0;
    std::vector<std::string> Files;
};
std::string RestartListPath();
// False when there is no list, or none that can be read.
bool ReadRestartList(const std::string& path, RestartList& list);
// Written whole beside the file and put in place; false when it could not be written.
bool WriteRestartList(const std::string& path, const RestartList& list);
// Adds the files just marked to the stored list (each once) with the time now.
bool RememberForRestart(const std::vector<std::string>& marked);

// The time the system started (UTC, FILETIME units): now less GetTickCount64.
uint64_t BootTime();
// The files waiting in PendingFileRenameOperations to be deleted, without their "\??\" prefix.
std::vector<std::string> PendingRestartDeletes();
// True when a restart has run the list: the system started after the marking, or none of the
// list's files is still waiting (Wine's "wineboot -r" runs them without a new boot time).
bool RestartHasRun(const RestartList& list, uint64_t bootTime, const std::vector<std::string>& pending);

struct RestartOutcome {
    bool Ran = false;  // a list was there and the restart has run it
    int Total = 0;
    std::vector<std::string> StillThere;
};
// At start: when a restart has run the stored list, writes the log block "Deleted at restart:
// N of M" naming the files still there, and forgets the list. An unwritable log raises AppError
// and keeps the list for the next start.
RestartOutcome CheckRestartList();
