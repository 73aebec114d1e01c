#include "settings/ProfileSearch.h"

#include <windows.h>

#include "platform/WideText.h"

std::vector<std::string> ProfileSearchRoots() {
    std::vector<std::string> roots;
    for (char drive = 'c'; drive <= 'o'; ++drive) roots.push_back(std::string(1, drive) + ":\\");
    return roots;
}

bool IsProfileFolderName(const std::string& name) {
    return name.size() >= 4 && _stricmp(name.c_str() + name.size() - 4, ".slt") == 0;
}

bool ProfileSearch::Run(const std::vector<std::string>& roots) {
    entries_ = 0;
    for (const auto& root : roots) {
        std::string folder = root;
        if (folder.empty()) continue;
        if (folder.back() != '\\') folder += '\\';
        if (GetDriveTypeW(Widen(folder.substr(0, 3)).c_str()) != DRIVE_FIXED) continue;
        if (!Search(folder)) return false;
    }
    return true;
}

bool ProfileSearch::Tick() { return (++entries_ % 64) != 0 || !KeepGoing || KeepGoing(); }

bool ProfileSearch::Search(const std::string& folder) {
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW(WidePath(folder + "*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return Tick();
    bool going = true;
    do {
        if (!Tick()) {
            going = false;
            break;
        }
        if (entry.cFileName[0] == L'.' || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::string name = Narrow(entry.cFileName);
        if (entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY && IsProfileFolderName(name) && OnFound)
            OnFound(folder + name);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    for (const auto& name : subfolders) {
        if (!going) break;
        going = Search(folder + name + "\\");
    }
    return going;
}
