#pragma once
// Helpers of the preview and wash command tests: a test registry key, the program directory
// of a test, a wash context whose counters are recorded, and a look into log.htm.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/PreviewCommon.h"
#include "tests/support/ListCells.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

// Options and counters of one test's washes; counter calls are recorded as "files 2/0".
struct RecordedContext {
    OptionsRecord options;
    SpecificFileList specificFiles;
    std::vector<std::string> counters;

    WashContext Make() {
        WashContext context;
        context.Options = &options;
        context.SpecificFiles = &specificFiles;
        context.ShowFileCounts = [this](int s, int f) {
            counters.push_back("files " + std::to_string(s) + "/" + std::to_string(f));
        };
        context.ShowRegistryCounts = [this](int s, int f) {
            counters.push_back("registry " + std::to_string(s) + "/" + std::to_string(f));
        };
        return context;
    }
};

// The blocks of log.htm, each as the items of its rows in order.
inline std::vector<std::vector<std::string>> LogBlocks() {
    std::string log = ReadTextFile(LogFilePath());
    std::vector<std::vector<std::string>> blocks;
    const std::string itemCell = "<td width=\"61%\"><font size=\"2\" color=\"";
    size_t at = 0;
    while ((at = log.find("<table ", at)) != std::string::npos) {
        size_t end = log.find("</table>", at);
        std::string block = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
        std::vector<std::string> items;
        for (size_t cell = block.find(itemCell); cell != std::string::npos; cell = block.find(itemCell, cell + 1)) {
            size_t text = block.find("\">", cell + itemCell.size()) + 2;
            items.push_back(block.substr(text, block.find("</font>", text) - text));
        }
        blocks.push_back(items);
        at = end == std::string::npos ? log.size() : end;
    }
    return blocks;
}

using Blocks = std::vector<std::vector<std::string>>;
using Strings = std::vector<std::string>;
