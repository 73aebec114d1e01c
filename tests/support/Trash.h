#pragma once
// The Recycle Bin as Wine keeps it (the desktop's trash folder), for tests that put items in it.
#include <windows.h>

#include <string>

#include "tests/support/TempDir.h"

// The Recycle Bin's folder, only when the test runner put it into the build tree (the user's own
// is never touched); empty otherwise.
inline std::string TestTrashFolder() {
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof(value));
    std::string stage = VARNOLT_STAGE_DIR, xdg = n && n < sizeof(value) ? value : "";
    if (xdg.rfind(stage.substr(0, stage.rfind("/stage/")) + "/", 0) != 0) return {};
    std::string folder = "Z:" + xdg + "/Trash/";
    for (char& c : folder) c = c == '/' ? '\\' : c;
    return FileExists(folder) ? folder : std::string();
}

// The info record of a Recycle Bin item as the desktop stores it; the item itself goes to
// trash + "files\\" + name.
inline void AddTrashInfo(const std::string& trash, const std::string& name,
                         const std::string& deleted = "2024-01-02T03:04:05") {
    WriteTextFile(trash + "info\\" + name + ".trashinfo",
                  "[Trash Info]\nPath=/tmp/" + name + "\nDeletionDate=" + deleted + "\n");
}

// A DeletionDate value (local time) of days ago.
inline std::string TrashDateDaysAgo(int days) {
    FILETIME now, local;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    ticks.QuadPart -= static_cast<ULONGLONG>(days) * 864000000000ull;
    now = {ticks.LowPart, ticks.HighPart};
    FileTimeToLocalFileTime(&now, &local);
    SYSTEMTIME t;
    FileTimeToSystemTime(&local, &t);
    char text[32];
    wsprintfA(text, "%04u-%02u-%02uT%02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

// One file in the Recycle Bin with its info record.
inline std::string AddTrashItem(const std::string& trash, const std::string& name) {
    AddTrashInfo(trash, name);
    WriteTextFile(trash + "files\\" + name, "trashed");
    return trash + "files\\" + name;
}
