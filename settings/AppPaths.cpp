#include "settings/AppPaths.h"

#include <windows.h>

#include "platform/Text.h"

namespace {
std::string& Dir() {
    static std::string dir;
    return dir;
}
}  // namespace

const std::string& ProgramDir() { return Dir(); }

void SetProgramDir(const std::string& dir) {
    Dir() = dir;
    if (!Dir().empty() && Dir().back() != '\\') Dir() += '\\';
}

std::string ExecutableDir() {
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    return ExtractFilePath(std::string(path, n));
}
