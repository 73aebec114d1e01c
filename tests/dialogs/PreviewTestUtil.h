#pragma once
// Helpers of the preview and wash command tests: a test registry key, the program directory
// of a test, a wash context whose counters are recorded, and looks into log.htm and list windows.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/PreviewCommon.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"

// HKEY_CURRENT_USER\Software\VarnoltTests\<name>_<process>_<n>, removed with its subkeys.
class PreviewTestKey {
public:
    explicit PreviewTestKey(const std::string& name) {
        static int counter = 0;
        path_ = "Software\\VarnoltTests\\" + name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        DeleteKeyTree(HKEY_CURRENT_USER, path_);
        Create("");
    }
    ~PreviewTestKey() { DeleteKeyTree(HKEY_CURRENT_USER, path_); }
    PreviewTestKey(const PreviewTestKey&) = delete;
    PreviewTestKey& operator=(const PreviewTestKey&) = delete;

    // As a registry row writes it: "HKEY_CURRENT_USER\Software\...".
    std::string Full(const std::string& sub = "") const { return "HKEY_CURRENT_USER\\" + Sub(sub); }
    void Create(const std::string& sub) const {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub(sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
    void Set(const std::string& sub, const std::string& name, const std::string& value) const {
        RegSetKeyValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    bool Exists(const std::string& sub) const { return RegistryKey().KeyExists(Sub(sub)); }
    bool Exists(const std::string& sub, const std::string& name) const {
        return RegGetValueA(HKEY_CURRENT_USER, Sub(sub).c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

private:
    std::string Sub(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }
    std::string path_;
};

// Points the program directory at a folder for the life of the object.
class PreviewProgramDir {
public:
    explicit PreviewProgramDir(const std::string& dir) : previous_(ProgramDir()) { SetProgramDir(dir); }
    ~PreviewProgramDir() { SetProgramDir(previous_); }
    PreviewProgramDir(const PreviewProgramDir&) = delete;
    PreviewProgramDir& operator=(const PreviewProgramDir&) = delete;

private:
    std::string previous_;
};

// Options and counters of one test's washes; counter calls are recorded as "files 2/0".
struct RecordedContext {
    TOptions options;
    SpecificFileList specificFiles;
    std::vector<std::string> counters;

    TWashContext Make() {
        TWashContext context;
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

// The text a list window shows for a row, asked from another thread.
inline std::string ListRowText(HWND list, int row) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    DWORD_PTR n = 0;
    SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item), SMTO_ABORTIFHUNG, 5000, &n);
    return text;
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
