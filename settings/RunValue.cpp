#include "settings/RunValue.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/Registry.h"
#include "platform/WideText.h"

void WriteRunValue(const std::string& runKey, const std::string& executable) {
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.OpenKey(runKey, true)) throw AppError(FormatText(IDS_FailedToSetData, RunValueName));
    key.WriteString(RunValueName, "\"" + executable + "\"");
}

void RemoveRunValue(const std::string& runKey) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegistryKey key(root);
        if (key.OpenKey(runKey)) key.DeleteValue(RunValueName);
    }
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}
