// Why a file stayed, and the summary of a wash.
#include "engine/EngineTexts.h"
#include "engine/RunningPrograms.h"
#include "engine/WashEngine.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

std::vector<std::string> ProcessesHoldingFile(const std::string& path) {
    std::vector<DWORD> ids;
    std::vector<std::string> names;
    if (!RestartManagerHolders({WidePath(path)}, ids)) return names;
    for (DWORD id : ids) {
        std::string name = ProcessImageName(id);
        if (name.empty()) continue;
        bool known = false;
        for (const auto& n : names) known = known || SameText(n, name);
        if (!known) names.push_back(name);
    }
    return names;
}

namespace {
WashFailure FileFailureOf(const std::string& path, DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: {
            std::vector<std::string> holders = ProcessesHoldingFile(path);
            if (holders.empty()) break;
            std::string names;
            for (size_t i = 0; i < holders.size(); ++i) names += (i ? ", " : "") + holders[i];
            return {path, FormatText(IDS_InUseBy, names), "in_use"};
        }
        case ERROR_ACCESS_DENIED: return {path, Text(IDS_AccessDenied), "access_denied"};
        case ERROR_CANT_RESOLVE_FILENAME: return {path, Text(IDS_LinkLeftAlone), "refused"};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return {path, Text(IDS_NotFound), "not_found"};
        default: break;
    }
    return {path, Text(IDS_FileLocked), "locked"};
}
}  // namespace

WashFailure FileFailure(const std::string& path, DWORD error) {
    WashFailure failure = FileFailureOf(path, error);
    failure.Error = error;
    return failure;
}

bool IsInUseFailure(const WashFailure& failure) {
    return failure.Code == "in_use" || failure.Error == ERROR_SHARING_VIOLATION ||
           failure.Error == ERROR_LOCK_VIOLATION;
}

std::string FileFailureReason(const std::string& path, DWORD error) { return FileFailure(path, error).Reason; }

std::string FileBlockedReason(const std::string& path) {
    const std::wstring wide = WidePath(path);
    HANDLE file;
    {
        NativeFileSystem native;
        file = CreateFileW(wide.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return {};
    }
    return FileFailureReason(path, GetLastError());
}

std::string WashSummaryText(const WashSummary& summary) {
    return FormatText(IDS_WashSummary, summary.Files.Washed, FormatSpace(summary.Files.FreedBytes),
                      summary.Files.Failed + summary.Registry.Failed);
}
