#include "engine/SpecialItems.h"

#include <shellapi.h>

#include "engine/DatabaseRows.h"
#include "engine/EngineTexts.h"
#include "engine/RecycleBinAge.h"
#include "engine/RecycleBinLinks.h"
#include "engine/UrlHistory.h"
#include "platform/BusyCursor.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

namespace {

using EmptyRecycleBinFunction = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);

// SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND
constexpr DWORD EmptyRecycleBinFlags = 7;

// The folder held by a text value with a trailing backslash; empty when there is none.
std::string FolderValue(const RegistryKey& key, const std::string& name) {
    std::string folder;
    try {
        folder = key.ReadString(name);
    } catch (const AppError&) {
        return {};
    }
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

// Items and bytes in the Recycle Bins of all drives; zero when the shell can't tell.
SHQUERYRBINFO RecycleBinContents() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    if (FAILED(SHQueryRecycleBinW(nullptr, &info))) info.i64NumItems = info.i64Size = 0;
    return info;
}

}  // namespace

void EmptyRecycleBin(HWND owner) {
    HMODULE shell = LoadLibraryA("Shell32.dll");
    if (!shell) return;
    auto empty = reinterpret_cast<EmptyRecycleBinFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHEmptyRecycleBinA")));
    if (empty) empty(owner, "", EmptyRecycleBinFlags);
    FreeLibrary(shell);
}

std::string RecycleBinAgeNote(const BinAgeResult& bin, int days) {
    return FormatText(IDS_RecycleBinByAge, bin.Deleted, bin.Kept, days);
}

std::string RecycleBinPreviewNote() {
    const int days = ReadRecycleBinDays(SettingsFilePath());
    return days > 0 ? RecycleBinAgeNote(CountBinOlderThan(RecycleBinFolders(), days), days) : std::string();
}

void WashSpecialItem(const std::string& name, bool writeLog, HWND owner, WashSummary* wash) {
    BusyCursor busy;
    WashSummary summary;
    if (IsDatabaseItem(name)) {
        // Washed before the log opens: an error raises with no row written.
        WashSummary washed;
        WashDatabaseItemInto(name, washed);
        if (writeLog) {
            OpenWashLog();
            WriteDatabaseLogRows(name, washed.Databases);
            if (wash) CloseWashLog();
            else CloseWashLog(washed);
        }
        if (wash) AddDatabaseRows(*wash, washed.Databases);
        return;
    }
    std::string note;
    bool success = true;
    const int days = name == RecycleBinItem ? ReadRecycleBinDays(SettingsFilePath()) : 0;
    if (days > 0) {
        // Item by item: only those deleted more than days ago go.
        const BinAgeResult bin = EmptyBinOlderThan(RecycleBinFolders(), days);
        note = RecycleBinAgeNote(bin, days);
        success = bin.Failed.empty();
        summary.Files.Washed = bin.Deleted;
        summary.Files.FreedBytes = bin.FreedBytes;
        summary.Files.Failed = static_cast<int>(bin.Failed.size());
        for (const auto& item : bin.Failed)
            summary.Files.Failures.push_back({item, Text(IDS_RecycleBinItemStays), "not_deleted"});
    } else if (name == RecycleBinItem) {
        // A link in the bin goes as a link first; while one stays, the shell may not empty the bin.
        const std::vector<std::string> links = RemoveLinksBelow(RecycleBinFolders());
        if (!links.empty()) {
            note = FormatText(IDS_RecycleBinLinks, links.front());
            success = false;
            summary.Files.Failed = static_cast<int>(links.size());
            for (const auto& link : links) summary.Files.Failures.push_back({link, note, "refused"});
        } else {
            // What went is what the bins held before and no longer hold.
            SHQUERYRBINFO before = RecycleBinContents();
            EmptyRecycleBin(owner);
            SHQUERYRBINFO after = RecycleBinContents();
            if (before.i64NumItems > after.i64NumItems)
                summary.Files.Washed = static_cast<int>(before.i64NumItems - after.i64NumItems);
            if (before.i64Size > after.i64Size)
                summary.Files.FreedBytes = static_cast<uint64_t>(before.i64Size - after.i64Size);
        }
    }
    if (name == UrlHistoryItem) ClearUrlHistory();
    if (wash) {
        wash->Files.Washed += summary.Files.Washed;
        wash->Files.Failed += summary.Files.Failed;
        wash->Files.FreedBytes += summary.Files.FreedBytes;
        wash->Files.Failures.insert(wash->Files.Failures.end(), summary.Files.Failures.begin(),
                                    summary.Files.Failures.end());
    }
    if (writeLog) {
        OpenWashLog();
        WriteWashLogRow(WashRowKind::SpecialItem, false, success, TranslateUiText(name), note);
        if (wash) CloseWashLog();
        else CloseWashLog(summary);
    }
}

SpecificFileList ReadSpecificFileList(HKEY root, const std::string& keyPath) {
    SpecificFileList files;
    RegistryKey key(root);
    if (!key.OpenKey(keyPath)) return files;
    // A missing value gives no row rather than a path at the root of the drive.
    std::string cookies = FolderValue(key, "Cookies");
    if (!cookies.empty()) files.push_back(cookies + "index.dat");
    std::string cache = FolderValue(key, "Cache");
    if (!cache.empty()) files.push_back(cache + "Content.IE5" + "\\index.dat");
    return files;
}

SpecificFileList BuildSpecificFileList() { return ReadSpecificFileList(HKEY_CURRENT_USER, ShellFoldersKey); }
