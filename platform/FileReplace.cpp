#include "platform/FileReplace.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/WideText.h"

void RewriteFile(const std::string& path, const std::function<void(const std::string& temp)>& write) {
    const std::string temp = path + ".new";
    const std::wstring wideTemp = WidePath(temp), widePath = WidePath(path);
    const AppError refused(FormatMessageText("Unable to write to %s", path));
    DeleteFileW(wideTemp.c_str());
    try {
        write(temp);
    } catch (const AppError&) {
        DeleteFileW(wideTemp.c_str());
        throw refused;
    }
    // The profile functions create no file for an empty list: the new content is then empty.
    if (GetFileAttributesW(wideTemp.c_str()) == INVALID_FILE_ATTRIBUTES) {
        HANDLE empty = CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
        if (empty == INVALID_HANDLE_VALUE) throw refused;
        CloseHandle(empty);
    }
    DWORD attrs = GetFileAttributesW(widePath.c_str());
    // A read-only file is refused as the system refuses it to anyone but an administrator.
    if ((attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) ||
        !MoveFileExW(wideTemp.c_str(), widePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(wideTemp.c_str());
        throw refused;
    }
}
