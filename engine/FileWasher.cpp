// File deletion: quick delete, secure delete (one pass of 'A'), and the list wash.
#include <algorithm>
#include <cstring>

#include "catalogue/WashItem.h"
#include "engine/Unitwasher.h"
#include "platform/Text.h"

namespace {

// The path a handle really refers to, without the "\\?\" prefix; empty when unknown.
std::string FinalPath(HANDLE handle) {
    char text[MAX_PATH * 4];
    DWORD n = GetFinalPathNameByHandleA(handle, text, sizeof(text), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= sizeof(text)) return {};
    std::string path(text, n);
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) return path.erase(2, 6);
    if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

// Case-insensitive, every character counting (no word sort).
bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// True when an open handle of path reaches another file than the one named: the name is a
// symbolic link that the system followed (as Wine does with a host symlink). Deleting or
// writing through such a handle would hit the file it points to.
bool ReachesAnotherFile(HANDLE file, const std::string& path) {
    std::string reached = FinalPath(file);
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (reached.empty() || n == 0 || n >= sizeof(full)) return false;
    std::string named(full, n);
    if (SamePath(reached, named)) return false;

    // Other spellings of the same file: short names, or a folder reached through a link.
    if (ExtractFileName(named).find('~') != std::string::npos) {
        char longPath[MAX_PATH * 4];
        n = GetLongPathNameA(named.c_str(), longPath, sizeof(longPath));
        if (n > 0 && n < sizeof(longPath)) named.assign(longPath, n);
    }
    HANDLE folder = CreateFileA(ExtractFilePath(named).c_str(), 0,
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
    HANDLE file = CreateFileA(path.c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    FILE_ATTRIBUTE_TAG_INFO info;
    if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof(info)) ||
        (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (!(info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && ReachesAnotherFile(file, path))) {
        CloseHandle(file);
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

// Writes whole chunks from offset 0 until the old end of the file is covered. A write that
// fails or writes nothing ends the loop with false.
bool OverwriteFile(HANDLE file, const char* chunk) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return false;
    LONGLONG position = 0;
    while (position < size.QuadPart) {
        DWORD written = 0;
        if (!WriteFile(file, chunk, OverwriteChunkSize, &written, nullptr) || written == 0) return false;
        position += written;
    }
    return true;
}

// Clears the read-only bit only (hidden, system and archive stay) and deletes the file.
bool QuickDeleteFile(const std::string& path, DWORD attrs) {
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(path.c_str()) != FALSE;
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
        const std::string& row = list.Text(i);
        folders.push_back(row.substr(0, row.size() - strlen(RemoveFolderMarker)));
    }
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const auto& folder : folders) {
        DWORD attrs = GetFileAttributesA(folder.c_str());
        if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY) ||
            (attrs & FILE_ATTRIBUTE_REPARSE_POINT) || ExtractFilePath(folder).size() <= 3 ||
            !RemoveDirectoryA(folder.c_str()))
            continue;
        ++successCount;
        if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, folder, "");
    }
}

}  // namespace

bool SecureDeleteFile(const std::string& path) {
    char chunk[OverwriteChunkSize];
    std::memset(chunk, 0x41, sizeof(chunk));
    DWORD attrs = 0;
    HANDLE file = OpenNamedFile(path, GENERIC_WRITE | DELETE, 0, attrs);
    if (file == INVALID_HANDLE_VALUE) return false;
    // A link is removed as a link; nothing is written through it.
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteAndClose(file);
    // The system refuses a read-only file for writing (to all but an administrator): refuse it alike.
    if ((attrs & FILE_ATTRIBUTE_READONLY) || !OverwriteFile(file, chunk)) {
        CloseHandle(file);
        return false;
    }
    return DeleteAndClose(file);
}

bool WashOneFile(const std::string& path, bool useQuick) {
    return useQuick ? QuickDeleteFile(path, GetFileAttributesA(path.c_str())) : SecureDeleteFile(path);
}

int SpecificFileIndex(const SpecificFileList& specificFiles, const std::string& path) {
    for (size_t i = 0; i < specificFiles.size(); ++i)
        if (AnsiCompareText(specificFiles[i], path) == 0) return static_cast<int>(i);
    return -1;
}

void WashFileList(const CheckListModel& list, bool useQuick, bool writeLog,
                  const SpecificFileList& specificFiles, int& successCount, int& failCount) {
    successCount = 0;
    failCount = 0;
    const int count = list.Count();
    std::vector<int> folderRows;
    for (int i = 0; i < count; ++i) {
        if (!list.Checked(i)) continue;
        const std::string& path = list.Text(i);
        if (IsFolderRow(path)) {
            folderRows.push_back(i);
            continue;
        }
        // Quick delete tries the common case first; a failure is looked at below.
        bool deleted = useQuick && DeleteFileA(path.c_str());
        if (!deleted) {
            DWORD attrs = GetFileAttributesA(path.c_str());
            if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) continue;
            deleted = useQuick ? QuickDeleteFile(path, attrs) : SecureDeleteFile(path);
        }
        if (deleted) {
            ++successCount;
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, path, "");
        } else if (SpecificFileIndex(specificFiles, path) < 0) {
            ++failCount;
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, false, path, "File Locked");
        } else {
            ++successCount;
            if (writeLog) WriteWashLogRow(WashRowKind::FolderFile, useQuick, true, path, "Specific File");
        }
    }
    RemoveEmptiedFolders(list, folderRows, useQuick, writeLog, successCount);
}
