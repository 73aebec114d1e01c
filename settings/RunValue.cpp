#include "settings/RunValue.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Registry.h"

void WriteRunValue(const std::string& runKey, const std::string& executable) {
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.OpenKey(runKey, true)) throw AppError(FormatMessageText("Failed to set data for '%s'", RunValueName));
    key.WriteString(RunValueName, "\"" + executable + "\"");
}

void RemoveRunValue(const std::string& runKey) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegistryKey key(root);
        if (key.OpenKey(runKey)) key.DeleteValue(RunValueName);
    }
}

std::string ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
