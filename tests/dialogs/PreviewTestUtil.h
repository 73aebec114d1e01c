#pragma once
// Helpers of the preview and wash command tests: a test registry key, the program directory
// of a test, a wash context whose counters are recorded, and looks into log.htm and list windows.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/PreviewCommon.h"
#include "platform/WideText.h"
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

// The text a list window shows for a row (UTF-8), asked from another thread.
inline std::string ListRowText(HWND list, int row) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 1024;
    DWORD_PTR n = 0;
    SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item), SMTO_ABORTIFHUNG, 5000, &n);
    return Narrow(text, wcslen(text));
}

// Every row a list window shows.
inline std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) rows.push_back(ListRowText(list, i));
    return rows;
}

using Blocks = std::vector<std::vector<std::string>>;
using Strings = std::vector<std::string>;
