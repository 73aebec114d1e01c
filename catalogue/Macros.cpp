#include "catalogue/Macros.h"

#include "catalogue/KnownFolders.h"
#include "catalogue/MacroText.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {
const char* const ShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The logged-on user's name; false when the platform gives none.
bool UserName(std::string& name) {
    wchar_t buffer[201];
    DWORD size = 201;
    if (WNetGetUserW(nullptr, buffer, &size) != NO_ERROR || !buffer[0]) return false;
    name = Narrow(buffer, wcslen(buffer));
    return true;
}

// A folder from GetWindowsDirectoryW or GetSystemDirectoryW, whatever its length.
template <class Call>
std::string SystemFolder(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    UINT n = call(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n >= buffer.size()) {
        buffer.assign(n + 1, L'\0');
        n = call(buffer.data(), static_cast<UINT>(buffer.size()));
        if (n >= buffer.size()) n = 0;
    }
    buffer.resize(n);
    return Narrow(buffer);
}

std::string ExpandNetscape(const std::string& text) {
    try {
        std::string user;
        if (!UserName(user)) return text;
        std::string path = ProfileFile(SettingsFilePath()).ReadString(user, "Netscape Path");
        return path.empty() ? text : ReplaceMacro(text, "{netscape}", path);
    } catch (...) {
        return text;
    }
}
}  // namespace

std::string ExpandRegistryMacro(const std::string& text, const std::string& macro, HKEY root,
                                const std::string& key, const std::string& valueName) {
    RegistryKey registry(root);
    if (!registry.OpenKey(key)) return text;
    std::string value = registry.ReadString(valueName);
    return value.empty() ? text : ReplaceMacro(text, macro, value);
}

std::string ExpandMacros(const std::string& text) {
    std::string current = text;
    if (FindMacro(current, "{username}") != std::string::npos) {
        std::string user;
        if (!UserName(user)) return {};
        current = ReplaceMacro(current, "{username}", user);
    }
    if (FindMacro(current, "{windows}") != std::string::npos)
        current = ReplaceMacro(current, "{windows}", SystemFolder(GetWindowsDirectoryW));
    if (FindMacro(current, "{system}") != std::string::npos)
        current = ReplaceMacro(current, "{system}", SystemFolder(GetSystemDirectoryW));
    if (FindMacro(current, "{program files}") != std::string::npos)
        current = ExpandRegistryMacro(current, "{program files}", HKEY_LOCAL_MACHINE,
                                      "\\software\\microsoft\\windows\\currentversion", "ProgramFilesDir");
    if (FindMacro(current, "{personal}") != std::string::npos)
        current = ExpandRegistryMacro(current, "{personal}", HKEY_CURRENT_USER, ShellFolders, "Personal");
    if (FindMacro(current, "{netscape}") != std::string::npos) current = ExpandNetscape(current);
    if (FindMacro(current, "{appdata}") != std::string::npos)
        current = ExpandRegistryMacro(current, "{appdata}", HKEY_CURRENT_USER, ShellFolders, "AppData");
    return ExpandKnownFolders(current);
}
