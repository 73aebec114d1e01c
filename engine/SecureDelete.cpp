// Overwriting the streams of an open file and hiding its size and name before it is deleted.
#include "engine/SecureDelete.h"

#include <cwctype>
#include <random>
#include <vector>

#include "engine/WashEngine.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION x, y;
    return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

bool SetSize(HANDLE file, LONGLONG size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof(end)) != FALSE;
}

// The names of the alternate data streams (":name:$DATA"); false when they can't be listed on
// a file system that has them.
bool ListStreams(HANDLE file, std::vector<std::wstring>& names) {
    std::vector<unsigned char> buffer(64 * 1024);
    while (!GetFileInformationByHandleEx(file, FileStreamInfo, buffer.data(), static_cast<DWORD>(buffer.size()))) {
        DWORD error = GetLastError();
        // No streams on this file system (FAT, or a system without the query).
        if (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
            error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_HANDLE_EOF)
            return true;
        if (error != ERROR_MORE_DATA || buffer.size() >= 16 * 1024 * 1024) return false;
        buffer.resize(buffer.size() * 4);
    }
    size_t offset = 0;
    for (;;) {
        auto* info = reinterpret_cast<FILE_STREAM_INFO*>(buffer.data() + offset);
        std::wstring name(info->StreamName, info->StreamNameLength / sizeof(wchar_t));
        if (!name.empty() && name != L"::$DATA") names.push_back(name);
        if (info->NextEntryOffset == 0) return true;
        offset += info->NextEntryOffset;
    }
}

bool IsDeviceName(const std::wstring& name) {
    std::wstring upper = name;
    for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    if (upper == L"CON" || upper == L"PRN" || upper == L"AUX" || upper == L"NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, L"COM") == 0 || upper.compare(0, 3, L"LPT") == 0) &&
           upper[3] >= L'1' && upper[3] <= L'9';
}

}  // namespace

bool OverwriteOpenFile(HANDLE file, const char* chunk) {
    LARGE_INTEGER size, start{};
    if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
    LONGLONG position = 0;
    while (position < size.QuadPart) {
        DWORD written = 0;
        if (!WriteFile(file, chunk, OverwriteChunkSize, &written, nullptr) || written == 0) return false;
        position += written;
    }
    return true;
}

bool OverwriteFileStreams(HANDLE file, const std::string& path, const char* chunk) {
    std::vector<std::wstring> names;
    if (!ListStreams(file, names)) return false;
    for (const auto& name : names) {
        // Opened by name: it must still be a stream of the file this handle holds.
        HANDLE stream = CreateFileW((WidePath(path) + name).c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (stream == INVALID_HANDLE_VALUE) return false;
        bool ok = SameFile(file, stream) && OverwriteOpenFile(stream, chunk) && FlushFileBuffers(stream) &&
                  SetSize(stream, 0);
        ok = CloseHandle(stream) && ok;
        if (!ok) return false;
    }
    return true;
}

std::wstring RandomFileName(size_t length) {
    static const wchar_t Letters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, 35);
    std::wstring name;
    do {
        name.assign(length, L'a');
        for (auto& c : name) c = Letters[pick(random)];
    } while (IsDeviceName(name));
    return name;
}

bool EmptyAndRenameFile(HANDLE file, const std::string& path, std::string& newPath) {
    // The overwrite must reach the disk before the size drops, or the cache may drop it.
    if (!FlushFileBuffers(file) || !SetSize(file, 0)) return false;
    std::wstring wide = WidePath(path);
    size_t slash = wide.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 >= wide.size()) return false;
    std::wstring folder = wide.substr(0, slash + 1);
    // "\\?\" (a long path) is "\??\" to the system; an ordinary path the system converts itself.
    if (folder.rfind(L"\\\\?\\", 0) == 0) folder[1] = L'?';
    const std::wstring current = wide.substr(slash + 1);
    // The extension stays: a file a wash left here when it was killed still matches its item's mask.
    const size_t dot = current.find_last_of(L'.');
    const std::wstring extension = dot != std::wstring::npos && dot > 0 ? current.substr(dot) : std::wstring();
    const size_t length = current.size() - extension.size();
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::wstring name = RandomFileName(length) + extension;
        // A short name may come out as the user's own: renaming it to itself would keep it.
        if (_wcsicmp(name.c_str(), current.c_str()) == 0) continue;
        std::wstring target = folder + name;
        std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = FALSE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
        target.copy(rename->FileName, target.size());
        if (SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
            newPath = ExtractFilePath(path) + Narrow(target.substr(folder.size()));
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}
