// Registry deletion: key rows (a key with its subkeys) and value rows (one value).
#include <cstdio>
#include <cstring>

#include "catalogue/RootKeys.h"
#include "engine/EngineTexts.h"
#include "engine/WashEngine.h"
#include "platform/Language.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

// Root and key path below it, without surrounding blanks and without a trailing backslash
// (the entry's own key row ends in one).
RegistryPath KeyOfRow(const std::string& keyPath) {
    RegistryPath path = SplitRegistryPath(Trim(keyPath));
    while (!path.keyPath.empty() && path.keyPath.back() == '\\') path.keyPath.pop_back();
    return path;
}

std::string HexBytes(const BYTE* data, DWORD size) {
    std::string text;
    char byte[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof(byte), i ? " %02X" : "%02X", data[i]);
        text += byte;
    }
    return text;
}

// Text data up to the first NUL; numbers in decimal, other data as hex bytes.
std::string ValueText(HKEY key, const std::string& name) {
    const std::wstring wName = Widen(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, wName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    std::string data(size + 4, '\0');
    DWORD got = size;
    if (RegQueryValueExW(key, wName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS)
        return {};
    const BYTE* bytes = reinterpret_cast<const BYTE*>(data.data());
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_MULTI_SZ:
            return Narrow(reinterpret_cast<const wchar_t*>(data.data()),
                          wcsnlen(reinterpret_cast<const wchar_t*>(data.data()), got / sizeof(wchar_t)));
        case REG_DWORD:
            if (got >= 4) {
                DWORD number;
                std::memcpy(&number, bytes, 4);
                return std::to_string(number);
            }
            break;
        case REG_QWORD:
            if (got >= 8) {
                unsigned long long number;
                std::memcpy(&number, bytes, 8);
                return std::to_string(number);
            }
            break;
    }
    return HexBytes(bytes, got);
}

}  // namespace

bool DeleteRegistryRow(RegistryKey& registry, const std::string& keyPath, const std::string& valueName,
                       bool wholeKey) {
    RegistryPath path = KeyOfRow(keyPath);
    // A name that is no root key's stands for none; a key path naming a root key itself would
    // empty the whole root: never.
    if (!path.root || (wholeKey && !path.NamesKeyBelowRoot())) return false;
    registry.SetRoot(path.root);
    if (!registry.OpenKey(path.keyPath)) return false;
    bool done;
    if (wholeKey) {
        registry.CloseKey();
        done = registry.DeleteKey(path.keyPath);
    } else {
        done = registry.DeleteValue(valueName);
    }
    registry.CloseKey();
    return done;
}

void WashRegistryList(const CheckListModel& list, bool writeLog, int& successCount, int& failCount) {
    WashTally tally;
    WashRegistryList(list, writeLog, tally);
    successCount = tally.Washed;
    failCount = tally.Failed;
}

void WashRegistryList(const CheckListModel& list, bool writeLog, WashTally& tally) {
    tally = WashTally();
    RegistryKey registry;
    const int count = list.Count();
    std::string keyPath, valueName;
    for (int i = 0; i < count; ++i) {
        const std::string& row = list.Text(i);
        // A row in a protected place that the user did not pick himself never goes.
        if (GuardOf(row) == RowGuard::Refused) {
            tally.Refused.push_back(RegistryRowName(row));
            if (writeLog)
                WriteWashLogRow(WashRowKind::RegistryEntry, false, false, tally.Refused.back(), Text(IDS_Protected));
            continue;
        }
        if (!list.Checked(i)) continue;
        bool done;
        std::string item;
        if (!HasRegistryRowMarker(row)) {
            // Not a row entry expansion makes: nothing is deleted.
            done = false;
            item = row;
        } else if (SplitRegistryRow(row, keyPath, valueName)) {
            done = DeleteRegistryRow(registry, keyPath, valueName, true);
            item = keyPath;
        } else {
            done = DeleteRegistryRow(registry, keyPath, valueName, false);
            item = keyPath + valueName;
        }
        ++(done ? tally.Washed : tally.Failed);
        if (!done) tally.Failures.push_back({item, "", "not_deleted"});
        if (writeLog) WriteWashLogRow(WashRowKind::RegistryEntry, false, done, item, "");
    }
}

std::string ReadRowValueText(const std::string& row) {
    std::string keyPath, valueName;
    if (!HasRegistryRowMarker(row) || SplitRegistryRow(row, keyPath, valueName)) return {};
    RegistryPath path = KeyOfRow(keyPath);
    if (!path.root) return {};
    RegistryKey registry(path.root);
    if (!registry.OpenKey(path.keyPath)) return {};
    return ValueText(registry.Handle(), valueName);
}
