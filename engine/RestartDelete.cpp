#include "engine/RestartDelete.h"

#include <algorithm>

#include "catalogue/ProtectedPlaces.h"
#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {
const wchar_t* const SessionManagerKey = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char* const MarkedAtPrefix = "Marked=";

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::any_of(paths.begin(), paths.end(), [&](const std::string& p) { return AnsiCompareText(p, path) == 0; });
}

uint64_t Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// Without the right to change the Session Manager's key, MoveFileEx can't mark anything.
bool CanMarkForRestart() {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, SessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 26);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}
}  // namespace

std::vector<std::string> RestartCandidates(const WashTally& files) {
    std::vector<std::string> candidates;
    for (const auto& failure : files.Failures) {
        if (!IsInUseFailure(failure) || Contains(candidates, failure.Path)) continue;
        DWORD attrs;
        {
            NativeFileSystem native;
            attrs = GetFileAttributesW(WidePath(failure.Path).c_str());
        }
        if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (IsProtectedPlace(failure.Path, attrs)) continue;
        candidates.push_back(failure.Path);
    }
    return candidates;
}

RestartMarking MarkForRestart(const std::vector<std::string>& files, std::vector<std::string>& marked) {
    marked.clear();
    if (!CanMarkForRestart()) return RestartMarking::NeedsAdministrator;
    NativeFileSystem native;
    for (const auto& path : files) {
        if (MoveFileExW(WidePath(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) marked.push_back(path);
        else if (marked.empty() && GetLastError() == ERROR_ACCESS_DENIED) return RestartMarking::NeedsAdministrator;
    }
    return RestartMarking::Marked;
}

std::string RestartListPath() { return UserDir() + "restart.txt"; }

bool ReadRestartList(const std::string& path, RestartList& list) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    RestartList read;
    bool timed = false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (!timed && line.rfind(MarkedAtPrefix, 0) == 0) {
            read.MarkedAt = std::strtoull(line.c_str() + strlen(MarkedAtPrefix), nullptr, 10);
            timed = true;
        } else if (timed) {
            read.Files.push_back(line);
        }
    }
    if (!timed) return false;
    list = std::move(read);
    return true;
}

bool WriteRestartList(const std::string& path, const RestartList& list) {
    std::string text = MarkedAtPrefix + std::to_string(list.MarkedAt) + "\r\n";
    for (const auto& file : list.Files) text += file + "\r\n";
    const std::wstring target = WidePath(path);
    const std::wstring temporary = target + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok) ok = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool RememberForRestart(const std::vector<std::string>& marked) {
    if (marked.empty()) return true;
    RestartList list;
    ReadRestartList(RestartListPath(), list);
    for (const auto& path : marked)
        if (!Contains(list.Files, path)) list.Files.push_back(path);
    list.MarkedAt = Now();
    return WriteRestartList(RestartListPath(), list);
}

uint64_t BootTime() { return Now() - GetTickCount64() * 10000; }

std::vector<std::string> PendingRestartDeletes() {
    std::vector<std::string> pending;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SessionManagerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return pending;
    DWORD type = 0, size = 0;
    std::wstring data;
    if (RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size > 0) {
        data.resize(size / sizeof(wchar_t) + 1);
        if (RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size) != ERROR_SUCCESS)
            data.clear();
        else data.resize(size / sizeof(wchar_t));
    }
    RegCloseKey(key);
    // Pairs of source and target; an empty target deletes the source.
    std::vector<std::wstring> names;
    for (size_t start = 0; start < data.size();) {
        size_t end = data.find(L'\0', start);
        if (end == std::wstring::npos) end = data.size();
        names.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = 0; i + 1 < names.size(); i += 2) {
        if (names[i].empty() || !names[i + 1].empty()) continue;
        std::wstring source = names[i];
        if (source.rfind(L"\\??\\", 0) == 0) source.erase(0, 4);
        pending.push_back(Narrow(source));
    }
    return pending;
}

bool RestartHasRun(const RestartList& list, uint64_t bootTime, const std::vector<std::string>& pending) {
    if (bootTime > list.MarkedAt) return true;
    return std::none_of(list.Files.begin(), list.Files.end(),
                        [&](const std::string& file) { return Contains(pending, file); });
}

RestartOutcome CheckRestartList() {
    RestartOutcome outcome;
    RestartList list;
    const std::string path = RestartListPath();
    if (!ReadRestartList(path, list) || !RestartHasRun(list, BootTime(), PendingRestartDeletes())) return outcome;
    outcome.Ran = true;
    outcome.Total = static_cast<int>(list.Files.size());
    {
        NativeFileSystem native;
        for (const auto& file : list.Files)
            if (GetFileAttributesW(WidePath(file).c_str()) != INVALID_FILE_ATTRIBUTES)
                outcome.StillThere.push_back(file);
    }
    WriteRestartLogBlock(outcome.Total - static_cast<int>(outcome.StillThere.size()), outcome.Total,
                         outcome.StillThere);
    DeleteFileW(WidePath(path).c_str());
    return outcome;
}
