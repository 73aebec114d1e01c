#include "settings/Policies.h"

#include <windows.h>

#include <algorithm>

#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/SettingsStore.h"

namespace {
const HKEY Roots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

std::optional<DWORD> ReadNumber(const std::string& keyPath, const char* name) {
    for (HKEY root : Roots) {
        DWORD value = 0, size = sizeof(value);
        if (RegGetValueW(root, Widen(keyPath).c_str(), Widen(name).c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                         &size) == ERROR_SUCCESS)
            return value;
    }
    return std::nullopt;
}

std::optional<std::string> ReadText(HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    DWORD size = 0;
    if (RegGetValueW(root, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Narrow(text);
}

// The text values of a list's key, of the first root that has the key; byMachine tells which.
std::vector<std::string> ReadList(const std::string& keyPath, bool& byMachine) {
    const std::wstring wideKey = Widen(keyPath);
    byMachine = false;
    for (HKEY root : Roots) {
        HKEY key;
        if (RegOpenKeyExW(root, wideKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        std::vector<std::string> names;
        wchar_t valueName[16384];
        for (DWORD i = 0;; ++i) {
            DWORD length = 16384;
            if (RegEnumValueW(key, i, valueName, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            auto text = ReadText(key, L"", std::wstring(valueName, length));
            if (text && !text->empty()) names.push_back(*text);
        }
        RegCloseKey(key);
        byMachine = root == HKEY_LOCAL_MACHINE;
        return names;
    }
    return {};
}

bool Names(const std::vector<std::string>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& n) { return SameText(n, name); });
}
}  // namespace

std::optional<bool> Policies::ForcedCheck(const std::string& itemName) const {
    const bool on = Names(CheckedItems, itemName), off = Names(UncheckedItems, itemName);
    if (on && off) return CheckedByMachine && !UncheckedByMachine;
    if (on || off) return on;
    return std::nullopt;
}

Policies ReadPolicies(const std::string& keyPath) {
    Policies policies;
    const std::wstring wideKey = Widen(keyPath);
    for (HKEY root : Roots) {
        if (auto schedule = ReadText(root, wideKey, L"ScheduleOption")) {
            policies.ScheduleSet = ParseScheduleOption(*schedule);
            break;
        }
    }
    if (auto minutes = ReadNumber(keyPath, "ScheduleMinutes"))
        policies.ScheduleMinutes = static_cast<int>(std::clamp<DWORD>(*minutes, 2, 1000));
    if (auto log = ReadNumber(keyPath, "WriteToLog")) policies.WriteToLog = *log != 0;
    if (auto quick = ReadNumber(keyPath, "UseQuickDelete")) policies.UseQuickDelete = *quick != 0;
    if (auto editing = ReadNumber(keyPath, "DisableEditing")) policies.DisableEditing = *editing != 0;
    policies.CheckedItems = ReadList(keyPath + "\\CheckedItems", policies.CheckedByMachine);
    policies.UncheckedItems = ReadList(keyPath + "\\UncheckedItems", policies.UncheckedByMachine);
    policies.CookiesToKeep = ReadList(keyPath + "\\CookiesToKeep", policies.CookiesToKeepByMachine);
    return policies;
}

bool ApplyPolicies(const Policies& policies, OptionsRecord& options, bool timerOn) {
    if (policies.UseQuickDelete) options.QuickDelete = *policies.UseQuickDelete;
    if (policies.WriteToLog) options.WriteToLog = *policies.WriteToLog;
    if (policies.ScheduleMinutes) options.IntervalMinutes = *policies.ScheduleMinutes;
    if (!policies.ScheduleSet) return timerOn;
    bool timer = (*policies.ScheduleSet & ScheduleEveryNMinutes) != 0;
    if (timer && !timerOn) options.LastAutoWashTime = NowAsDateTime();
    options.ScheduleSet = *policies.ScheduleSet;
    return timer;
}
