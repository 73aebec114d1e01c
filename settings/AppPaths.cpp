#include "settings/AppPaths.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
std::string& Dir() {
    static std::string dir;
    return dir;
}

std::string& User() {
    static std::string dir;
    return dir;
}

std::string WithBackslash(std::string dir) {
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return dir;
}

bool FileExists(const std::string& path) {
    DWORD attrs = GetFileAttributesW(WidePath(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies from\name to to\name unless the target is there already.
void CopyIfMissing(const std::string& from, const std::string& to, const std::string& name) {
    if (FileExists(from + name) && !FileExists(to + name))
        CopyFileW(WidePath(from + name).c_str(), WidePath(to + name).c_str(), TRUE);
}
}  // namespace

const std::string& ProgramDir() { return Dir(); }

void SetProgramDir(const std::string& dir) {
    Dir() = WithBackslash(dir);
    User() = Dir();
}

const std::string& UserDir() { return User(); }

void SetUserDir(const std::string& dir) { User() = WithBackslash(dir); }

std::string ExecutableDir() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n;
    while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    path.resize(n);
    return ExtractFilePath(Narrow(path));
}

bool FolderCanBeWritten(const std::string& folder) {
    std::wstring probe = WidePath(WithBackslash(folder) + "varnolt-write-test-" +
                                  std::to_string(GetCurrentProcessId()) + ".tmp");
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return !WriteErrorMeansReadOnly(GetLastError());
    DWORD written = 0;
    bool wrote = WriteFile(file, "x", 1, &written, nullptr) && written == 1;
    const DWORD error = wrote ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    return wrote || !WriteErrorMeansReadOnly(error);
}

bool WriteErrorMeansReadOnly(DWORD error) {
    return error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL;
}

std::string ChooseUserDir(const std::string& programDir, const std::string& localAppData) {
    const std::string program = WithBackslash(programDir);
    if (localAppData.empty() || FolderCanBeWritten(program)) return program;
    const std::string user = WithBackslash(localAppData) + "Varnolt\\";
    for (const std::string& dir : {user, user + "const\\", user + "plugin\\"})
        CreateDirectoryW(WidePath(dir).c_str(), nullptr);
    for (const char* name : {"const\\user.txt", "wildcard.ini", "order.ini", "log.htm"}) CopyIfMissing(program, user, name);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(program + "plugin\\*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                CopyIfMissing(program + "plugin\\", user + "plugin\\", Narrow(found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return user;
}

void UseWritableUserDir() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH * 2);
    std::string localAppData = n > 0 && n < MAX_PATH * 2 ? Narrow(std::wstring(buffer, n)) : std::string();
    SetUserDir(ChooseUserDir(ProgramDir(), localAppData));
}

std::string Winapp2FilePath(const std::string& programDir, const std::string& userDir) {
    const std::string own = (userDir.empty() ? programDir : userDir) + "winapp2.ini";
    return FileExists(own) ? own : programDir + "winapp2.ini";
}
