// File deletion: quick delete, secure delete (one pass of 'A'), and the list wash.
#include <cstring>

#include "engine/Unitwasher.h"
#include "platform/Text.h"

namespace {

bool IsExistingFile(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

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

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// True when an open handle of path reaches another file than the one named: the name is a
// symbolic link whose target the handle opened (what Wine does with a host symlink).
bool ReachesAnotherFile(HANDLE file, const std::string& path) {
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (n == 0 || n >= sizeof(full)) return false;
    char longPath[MAX_PATH * 4];
    n = GetLongPathNameA(full, longPath, sizeof(longPath));
    std::string named = n > 0 && n < sizeof(longPath) ? std::string(longPath, n) : std::string(full);

    HANDLE folder = CreateFileA(ExtractFilePath(named).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    std::string folderPath = FinalPath(folder);
    CloseHandle(folder);
    std::string filePath = FinalPath(file);
    if (folderPath.empty() || filePath.empty()) return false;
    std::string expected = WithoutTrailingBackslash(folderPath) + "\\" + ExtractFileName(named);
    return AnsiCompareText(expected, filePath) != 0;
}

bool IsLink(HANDLE file, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    return ReachesAnotherFile(file, path);
}

// Writes whole chunks from offset 0 until the old end of the file is covered.
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

}  // namespace

bool SecureDeleteFile(const std::string& path) {
    char chunk[OverwriteChunkSize];
    std::memset(chunk, 0x41, sizeof(chunk));

    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteFileA(path.c_str()) != FALSE;
    // A read-only file can't be opened for writing (an administrator could: refuse the same way).
    if (attrs & FILE_ATTRIBUTE_READONLY) return false;

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (IsLink(file, path)) {
        CloseHandle(file);
        return DeleteFileA(path.c_str()) != FALSE;
    }
    bool overwritten = OverwriteFile(file, chunk);
    bool closed = CloseHandle(file) != FALSE;
    if (!overwritten || !closed) return false;
    return DeleteFileA(path.c_str()) != FALSE;
}

bool WashOneFile(const std::string& path, bool useQuick) {
    if (!useQuick) return SecureDeleteFile(path);
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(path.c_str()) != FALSE;
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
    for (int i = 0; i < count; ++i) {
        if (!list.Checked(i)) continue;
        const std::string& path = list.Text(i);
        if (!IsExistingFile(path)) continue;
        if (WashOneFile(path, useQuick)) {
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
}
