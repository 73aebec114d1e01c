// File deletion: quick delete, secure delete (one pass of 'A', then the size and the name hidden),
// and the list wash.
#include <algorithm>
#include <cstring>

#include "catalogue/ProtectedPlaces.h"
#include "catalogue/WashItem.h"
#include "engine/EngineTexts.h"
#include "engine/SecureDelete.h"
#include "engine/SecureDeleteQueue.h"
#include "engine/WashAhead.h"
#include "engine/WashEngine.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

// The path a handle really refers to, without the "\\?\" prefix; empty when unknown.
std::string FinalPath(HANDLE handle) {
    // Most paths fit the first try: each call asks the system for the name anew.
    std::wstring text(MAX_PATH + 64, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= text.size()) {
        text.assign(n, L'\0');
        n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n >= text.size()) return {};
    }
    if (n == 0) return {};
    text.resize(n);
    std::string path = Narrow(text);
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) return path.erase(2, 6);
    if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

// Case-insensitive, every character counting (no word sort).
bool SamePath(const std::string& a, const std::string& b) {
    std::wstring wa = Widen(a), wb = Widen(b);
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE | SORT_STRINGSORT, wa.data(), static_cast<int>(wa.size()),
                          wb.data(), static_cast<int>(wb.size())) == CSTR_EQUAL;
}

// A system call that fills a wide buffer, as UTF-8; empty when it fails.
template <typename Call>
std::string WideResult(Call call) {
    DWORD size = call(nullptr, 0);
    if (size == 0) return {};
    std::wstring text(size, L'\0');
    DWORD n = call(text.data(), size);
    if (n == 0 || n >= size) return {};
    text.resize(n);
    return Narrow(text);
}

// The full path without a "\\?\" prefix.
std::string FullPath(const std::string& path) {
    std::wstring wide = Widen(path);
    std::string full = WideResult([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    });
    if (full.rfind("\\\\?\\UNC\\", 0) == 0) return full.erase(2, 6);
    if (full.rfind("\\\\?\\", 0) == 0) return full.substr(4);
    return full;
}

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// True when the system opened the very file named (a full path): its own name for the open file
// is that path, under Wine as "\??\" and the path, on Windows as a volume's device and the path
// below the drive. One call, and none to the volume manager, which a final path needs.
bool OpenedAsNamed(HANDLE file, const std::string& named) {
    if (named.size() < 3 || named[1] != ':' || named[2] != '\\') return false;
    const std::string opened = Narrow(OpenedObjectName(file));
    if (opened.rfind("\\??\\", 0) == 0) return SamePath(opened.substr(4), named);
    if (opened.rfind("\\Device\\", 0) != 0) return false;
    const size_t below = opened.find('\\', 8);
    return below != std::string::npos && SamePath(opened.substr(below), named.substr(2));
}

// True when an open handle of path reaches another file than the one named: the name is a
// symbolic link that the system followed (as Wine does with a host symlink). Deleting or
// writing through such a handle would hit the file it points to.
bool ReachesAnotherFile(HANDLE file, const std::string& path) {
    std::string named = FullPath(path);
    if (OpenedAsNamed(file, named)) return false;
    std::string reached = FinalPath(file);
    if (reached.empty() || named.empty()) return false;
    if (SamePath(reached, named)) return false;

    // Other spellings of the same file: short names, or a folder reached through a link.
    if (ExtractFileName(named).find('~') != std::string::npos) {
        std::wstring shortPath = WidePath(named);
        std::string longPath = WideResult([&](wchar_t* buffer, DWORD size) {
            return GetLongPathNameW(shortPath.c_str(), buffer, size);
        });
        if (!longPath.empty()) named = FullPath(longPath);
    }
    HANDLE folder = CreateFileW(WidePath(ExtractFilePath(named)).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return true;
    std::string folderPath = FinalPath(folder);
    CloseHandle(folder);
    std::string expected = WithoutTrailingBackslash(folderPath) + "\\" + ExtractFileName(named);
    return folderPath.empty() || !SamePath(expected, reached);
}

// Opens the file a name stands for itself: a link as the link, never the file it points to.
// No handle for a folder, or for a name the system resolves to another file.
HANDLE OpenNamedFile(const std::string& path, DWORD access, DWORD share, DWORD& attrs) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof(info)) ||
        (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (!(info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && ReachesAnotherFile(file, path))) {
        const bool folder = info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        CloseHandle(file);
        SetLastError(folder ? ERROR_ACCESS_DENIED : ERROR_CANT_RESOLVE_FILENAME);
        return INVALID_HANDLE_VALUE;
    }
    attrs = info.FileAttributes;
    return file;
}

// Marks the open file for deletion and closes it; true when it is gone.
bool DeleteAndClose(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    bool marked = SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition));
    bool closed = CloseHandle(file) != FALSE;
    return marked && closed;
}

// Deletes the file a name stands for itself, never through a name the system resolves to another
// file; a read-only file loses that bit only (hidden, system and archive stay) and goes. False
// with the last error set when it stays.
bool QuickDeleteFile(const std::string& path) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    // The common case in four calls: the name opened as itself (never a folder: no backup
    // semantics), the file the system opened checked to be the one named, marked, closed.
    HANDLE file = CreateFileW(WidePath(path).c_str(), DELETE, share, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        if (OpenedAsNamed(file, FullPath(path)) &&
            SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)))
            return CloseHandle(file) != FALSE;
        // Another name for the file, or a read-only one: the careful way.
        CloseHandle(file);
    }
    DWORD attrs = 0;
    file = OpenNamedFile(path, DELETE, share, attrs);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (attrs & FILE_ATTRIBUTE_READONLY) {
        // Only the name itself (checked above) loses the bit: a link never passes it on.
        CloseHandle(file);
        SetFileAttributesW(WidePath(path).c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
        file = OpenNamedFile(path, DELETE, share, attrs);
        if (file == INVALID_HANDLE_VALUE) return false;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition))) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        return false;
    }
    return CloseHandle(file) != FALSE;
}

bool IsFolderRow(const std::string& row) {
    const size_t n = strlen(RemoveFolderMarker);
    return row.size() > n && row.compare(row.size() - n, n, RemoveFolderMarker) == 0;
}

// Folder rows go after every file, the deepest first, whatever the order of the list. Only a
// folder that is empty by now goes; one that still holds something stays and is not counted.
void RemoveEmptiedFolders(const CheckListModel& list, std::vector<int>& rows, bool useQuick, bool writeLog,
                          int& successCount) {
    std::vector<std::string> folders;
    for (int i : rows) {
        const std::string row = Unguarded(list.Text(i));
        folders.push_back(row.substr(0, row.size() - strlen(RemoveFolderMarker)));
    }
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const auto& folder : folders) {
        const std::wstring wide = WidePath(folder);
        bool removed;
        {
            NativeFileSystem native;
            DWORD attrs = GetFileAttributesW(wide.c_str());
            removed = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(attrs & FILE_ATTRIBUTE_REPARSE_POINT) && ExtractFilePath(folder).size() > 3 &&
                      RemoveDirectoryW(wide.c_str());
        }
        if (!removed) continue;
        ++successCount;
        if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, folder, "");
    }
}

}  // namespace

bool SecureDeleteFile(const std::string& path) {
    char chunk[OverwriteChunkSize];
    std::memset(chunk, 0x41, sizeof(chunk));
    NativeFileSystem native;
    DWORD attrs = 0;
    HANDLE file = OpenNamedFile(path, GENERIC_WRITE | DELETE, 0, attrs);
    if (file == INVALID_HANDLE_VALUE) return false;
    // A link is removed as a link; nothing is written through it.
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteAndClose(file);
    // The system refuses a read-only file for writing (to all but an administrator): refuse it alike.
    std::string hiddenPath;
    if ((attrs & FILE_ATTRIBUTE_READONLY) || !OverwriteOpenFile(file, chunk) ||
        !OverwriteFileStreams(file, path, chunk) || !EmptyAndRenameFile(file, path, hiddenPath)) {
        CloseHandle(file);
        return false;
    }
    return DeleteAndClose(file);
}

bool NameReachesAnotherFile(const std::string& path) {
    NativeFileSystem native;
    HANDLE file = CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILE_ATTRIBUTE_TAG_INFO info{};
    const bool reaches = GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof(info)) &&
                         !(info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && ReachesAnotherFile(file, path);
    CloseHandle(file);
    return reaches;
}

bool WashOneFile(const std::string& path, bool useQuick) {
    if (!useQuick) return SecureDeleteFile(path);
    NativeFileSystem native;
    return QuickDeleteFile(path);
}

int SpecificFileIndex(const SpecificFileList& specificFiles, const std::string& path) {
    for (size_t i = 0; i < specificFiles.size(); ++i)
        if (AnsiCompareText(specificFiles[i], path) == 0) return static_cast<int>(i);
    return -1;
}

void WashFileList(const CheckListModel& list, bool useQuick, bool writeLog,
                  const SpecificFileList& specificFiles, int& successCount, int& failCount) {
    WashTally tally;
    WashFileList(list, useQuick, writeLog, specificFiles, tally);
    successCount = tally.Washed;
    failCount = tally.Failed;
}

void WashFileList(const CheckListModel& list, bool useQuick, bool writeLog,
                  const SpecificFileList& specificFiles, WashTally& tally, WashAhead* ahead) {
    tally = WashTally();
    const int count = list.Count();
    std::vector<int> folderRows;
    // Counts and logs one file's result, in the order of the list.
    auto record = [&](int i, const std::string& path, bool deleted, DWORD error) {
        if (deleted) {
            ++tally.Washed;
            tally.FreedBytes += list.Space(i);
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, path, "");
        } else if (SpecificFileIndex(specificFiles, path) < 0) {
            ++tally.Failed;
            WashFailure failure = FileFailure(path, error);
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, false, path, failure.Reason);
            tally.Failures.push_back(std::move(failure));
        } else {
            ++tally.Washed;
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, path, Text(IDS_SpecificFile));
        }
    };
    // Secure deletes run several at once (their threads start with the first file); a file that
    // is gone by its turn (a folder, or a name listed twice) is neither counted nor logged.
    SecureDeleteQueue secure;
    auto takeSecureResult = [&] {
        SecureDeleteQueue::Result done = secure.Next();
        if (done.What != SecureDeleteQueue::Outcome::Missing)
            record(done.Row, done.Path, done.What == SecureDeleteQueue::Outcome::Deleted, done.Error);
    };
    std::string unguarded;
    for (int i = 0; i < count; ++i) {
        const std::string& text = list.Text(i);
        const RowGuard guard = GuardOf(text);
        // A row in a protected place that the user did not pick himself never goes.
        if (guard == RowGuard::Refused) {
            const UINT reason = DatabaseOfJournal(text).empty() ? IDS_Protected : IDS_Db_JournalStays;
            tally.Refused.push_back(FileRowText(text));
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, false, tally.Refused.back(), Text(reason));
            continue;
        }
        if (!list.Checked(i)) continue;
        if (guard == RowGuard::Held) unguarded = Unguarded(text);
        const std::string& path = guard == RowGuard::Held ? unguarded : text;
        // A journal goes only with its database: one whose database is still there (not listed,
        // or held by a running program) stays, or the database could be left corrupt.
        const std::string database = DatabaseOfJournal(path);
        if (!database.empty()) {
            while (secure.Pending() && secure.Holds(database)) takeSecureResult();
            if (JournalOfExistingDatabase(path)) {
                ++tally.Failed;
                const std::string reason = Text(IDS_Db_JournalStays);
                tally.Failures.push_back({path, reason, "refused"});
                if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, false, path, reason);
                continue;
            }
        }
        if (IsFolderRow(path)) {
            folderRows.push_back(i);
            continue;
        }
        if (!useQuick) {
            while (secure.Pending() >= SecureDeleteQueue::DefaultWindow || (secure.Pending() && secure.Holds(path)))
                takeSecureResult();
            secure.Add(i, path);
            continue;
        }
        if (ahead && ahead->Take(path)) {
            record(i, path, true, 0);
            continue;
        }
        const std::wstring wide = WidePath(path);
        bool deleted;
        DWORD error = 0;
        {
            NativeFileSystem native;
            SetLastError(ERROR_SUCCESS);  // a refusal that sets no error reads as "File Locked"
            deleted = QuickDeleteFile(path);
            if (!deleted) {
                error = GetLastError();
                // A file gone by its turn (a name listed twice), or a folder, is no file row.
                DWORD attrs = GetFileAttributesW(wide.c_str());
                if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) continue;
            }
        }
        record(i, path, deleted, error);
    }
    while (secure.Pending() > 0) takeSecureResult();
    RemoveEmptiedFolders(list, folderRows, useQuick, writeLog, tally.Washed);
}
