#include "platform/Shell.h"

#include <shellapi.h>

void ShellOpen(HWND owner, const std::string& path) {
    if (ShellOpenHook) {
        ShellOpenHook(path);
        return;
    }
    ShellExecuteA(owner, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
