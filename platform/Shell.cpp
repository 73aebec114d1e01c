#include "platform/Shell.h"

#include <shellapi.h>
#include "platform/WideText.h"

void ShellOpen(HWND owner, const std::string& path) {
    if (ShellOpenHook) {
        ShellOpenHook(path);
        return;
    }
    ShellExecuteW(owner, nullptr, Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
