#pragma once
// The command line run without the main window: /wash, /list, /wipe, /shred and /?; the
// arguments are parsed in CommandArgs, lines written through ConsoleOutput.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandArgs.h"
#include "app/ConsoleOutput.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Winapp2Items.h"

// Runs a parsed command (Kind != None) and returns the process exit code.
int RunCommandLine(const CommandLine& command);

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

// varnolt.exe /wipe DRIVE: the exit code.
int RunWipeCommand(const std::wstring& drive);
// varnolt.exe /shred PATH...: the exit code.
int RunShredCommand(const std::vector<std::wstring>& paths);
