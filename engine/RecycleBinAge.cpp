#include "engine/RecycleBinAge.h"

#include <windows.h>

#include <cstring>

#include "engine/RecycleBinLinks.h"
#include "engine/WashEngine.h"
#include "platform/NativeFileSystem.h"
#include "platform/WideText.h"

namespace {
// A record is small; anything larger is not one.
constexpr DWORD MaxRecordBytes = 64 * 1024;

struct BinEntry {
    std::string Record, Item;
    bool Known = false;  // the record gave a deletion time
    uint64_t Deleted = 0;
};

uint64_t ReadUint64(const std::string& bytes, size_t offset) {
    uint64_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

std::string ReadRecord(const std::string& path) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(MaxRecordBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), MaxRecordBytes, &read, nullptr)) read = 0;
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

uint64_t NowTicks() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The names in folder matching pattern, files only.
std::vector<std::string> FileNames(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Narrow(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// Each item of a bin folder with its record: $I<id> and $R<id> on Windows, info\<name>.trashinfo
// and files\<name> in the desktop's trash (a folder named "files" beside "info").
std::vector<BinEntry> BinEntries(const std::vector<std::string>& folders) {
    std::vector<BinEntry> entries;
    for (const auto& folder : folders) {
        const size_t slash = folder.find_last_of('\\');
        const bool trash = slash != std::string::npos && _stricmp(folder.c_str() + slash + 1, "files") == 0;
        if (trash) {
            const std::string info = folder.substr(0, slash) + "\\info";
            for (const auto& name : FileNames(info, "*.trashinfo")) {
                // The pattern also matches short names: only the whole extension counts.
                if (name.size() <= 10 || _stricmp(name.c_str() + name.size() - 10, ".trashinfo") != 0) continue;
                BinEntry entry{info + "\\" + name, folder + "\\" + name.substr(0, name.size() - 10)};
                entry.Known = ParseTrashInfo(ReadRecord(entry.Record), entry.Deleted);
                entries.push_back(entry);
            }
        } else {
            for (const auto& name : FileNames(folder, "$I*")) {
                if (name.size() <= 2) continue;
                BinEntry entry{folder + "\\" + name, folder + "\\$R" + name.substr(2)};
                entry.Known = ParseRecycleRecord(ReadRecord(entry.Record), entry.Deleted);
                entries.push_back(entry);
            }
        }
    }
    return entries;
}

bool IsLink(const std::string& path, DWORD attrs) {
    return (attrs & FILE_ATTRIBUTE_REPARSE_POINT) || NameReachesAnotherFile(path);
}

uint64_t FileSize(const WIN32_FIND_DATAW& data) {
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Deletes a folder's tree, a link in it as a link; false when anything stays.
bool DeleteTree(const std::string& folder, uint64_t& freed) {
    bool all = true;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Narrow(data.cFileName);
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (IsLink(path, data.dwFileAttributes)) all = RemoveAsLink(path) && all;
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) all = DeleteTree(path, freed) && all;
            else if (WashOneFile(path, true)) freed += FileSize(data);
            else all = false;
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return all && RemoveDirectoryW(WidePath(folder).c_str());
}

// Deletes one item: a link as a link, a folder as a tree, a file; true when it is gone.
bool DeleteItem(const std::string& item, uint64_t& freed) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(item).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;  // only the record is left
    FindClose(find);
    // Links inside a folder go first: a tree that still holds one is not walked at all.
    if (IsLink(item, data.dwFileAttributes)) return RemoveAsLink(item);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return RemoveLinksBelow({item}).empty() && DeleteTree(item, freed);
    if (!WashOneFile(item, true)) return false;
    freed += FileSize(data);
    return true;
}

BinAgeResult WalkBin(const std::vector<std::string>& folders, int days, bool remove) {
    BinAgeResult result;
    NativeFileSystem native;
    const uint64_t now = NowTicks();
    for (const auto& entry : BinEntries(folders)) {
        if (!entry.Known || !DeletedMoreThan(entry.Deleted, now, days)) {
            ++result.Kept;
            continue;
        }
        if (!remove) {
            ++result.Deleted;
            continue;
        }
        if (DeleteItem(entry.Item, result.FreedBytes) && DeleteFileW(WidePath(entry.Record).c_str())) ++result.Deleted;
        else result.Failed.push_back(entry.Item);
    }
    return result;
}
}  // namespace

bool ParseRecycleRecord(const std::string& bytes, uint64_t& deleted) {
    // Version 1: a fixed 260-character path at 24; version 2: its length at 24, the path at 28.
    if (bytes.size() < 28) return false;
    const uint64_t version = ReadUint64(bytes, 0);
    if (version == 1 && bytes.size() < 24 + 520) return false;
    if (version == 2) {
        uint32_t length = 0;
        std::memcpy(&length, bytes.data() + 24, sizeof(length));
        if (length == 0 || length > 32768 || bytes.size() < 28 + 2ull * length) return false;
    }
    if (version != 1 && version != 2) return false;
    deleted = ReadUint64(bytes, 16);
    return deleted != 0 && deleted < 0x7fffffffffffffffull;
}

bool ParseTrashInfo(const std::string& text, uint64_t& deleted) {
    const std::string key = "\nDeletionDate=";
    const size_t at = ("\n" + text).find(key);
    if (at == std::string::npos) return false;
    const std::string value = text.substr(at + key.size() - 1, 19);
    // Exactly YYYY-MM-DDTHH:MM:SS.
    const char* shape = "dddd-dd-ddTdd:dd:dd";
    if (value.size() != 19) return false;
    for (size_t i = 0; i < 19; ++i)
        if (shape[i] == 'd' ? (value[i] < '0' || value[i] > '9') : value[i] != shape[i]) return false;
    auto number = [&](size_t from, size_t count) { return static_cast<WORD>(std::stoi(value.substr(from, count))); };
    SYSTEMTIME local{};
    local.wYear = number(0, 4);
    local.wMonth = number(5, 2);
    local.wDay = number(8, 2);
    local.wHour = number(11, 2);
    local.wMinute = number(14, 2);
    local.wSecond = number(17, 2);
    SYSTEMTIME utc;
    FILETIME time;
    // SystemTimeToFileTime refuses a day or an hour out of range.
    if (local.wYear < 1601 || !SystemTimeToFileTime(&local, &time)) return false;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &time)) return false;
    deleted = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return true;
}

bool DeletedMoreThan(uint64_t deleted, uint64_t now, int days) {
    return deleted < now && now - deleted > static_cast<uint64_t>(days) * TicksPerDay;
}

BinAgeResult CountBinOlderThan(const std::vector<std::string>& folders, int days) {
    return WalkBin(folders, days, false);
}

BinAgeResult EmptyBinOlderThan(const std::vector<std::string>& folders, int days) {
    return WalkBin(folders, days, true);
}
