#include "settings/AppPaths.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/WideText.h"

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
    std::wstring path(MAX_PATH, L'\0');
    DWORD n;
    while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    path.resize(n);
    return ExtractFilePath(Narrow(path));
}
