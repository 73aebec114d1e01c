#include "catalogue/UnitMacro.h"

#include "catalogue/KnownFolders.h"

#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "settings/AppPaths.h"

namespace {
const char* const ShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Replaced(const std::string& text, const std::string& macro, const std::string& value) {
    size_t at = FindMacro(text, macro);
    if (at == std::string::npos) return text;
    return text.substr(0, at) + value + text.substr(at + macro.size());
}

// The logged-on user's name; false when the platform gives none.
bool UserName(std::string& name) {
    char buffer[201];
    DWORD size = sizeof(buffer);
    if (WNetGetUserA(nullptr, buffer, &size) != NO_ERROR || !buffer[0]) return false;
    name = buffer;
    return true;
}

// A folder from GetWindowsDirectoryA or GetSystemDirectoryA, whatever its length.
template <class Call>
std::string SystemFolder(Call call) {
    std::string buffer(MAX_PATH, '\0');
    UINT n = call(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n >= buffer.size()) {
        buffer.assign(n + 1, '\0');
        n = call(buffer.data(), static_cast<UINT>(buffer.size()));
        if (n >= buffer.size()) n = 0;
    }
    buffer.resize(n);
    return buffer;
}

std::string ExpandNetscape(const std::string& text) {
    try {
        std::string user;
        if (!UserName(user)) return text;
        std::string path = ProfileFile(SettingsFilePath()).ReadString(user, "Netscape Path");
        return path.empty() ? text : Replaced(text, "{netscape}", path);
    } catch (...) {
        return text;
    }
}
}  // namespace

size_t FindMacro(const std::string& text, const std::string& macro) {
    if (macro.empty() || text.size() < macro.size()) return std::string::npos;
    for (size_t at = 0; at + macro.size() <= text.size(); ++at) {
        size_t k = 0;
        while (k < macro.size() && Upper(text[at + k]) == Upper(macro[k])) ++k;
        if (k == macro.size()) return at;
    }
    return std::string::npos;
}

std::string ExpandRegistryMacro(const std::string& text, const std::string& macro, HKEY root,
                                const std::string& key, const std::string& valueName) {
    RegistryKey registry(root);
    if (!registry.OpenKey(key)) return text;
    std::string value = registry.ReadString(valueName);
    return value.empty() ? text : Replaced(text, macro, value);
}

std::string ExpandMacros(const std::string& text) {
    std::string current = text;
    if (FindMacro(current, "{username}") != std::string::npos) {
        std::string user;
        if (!UserName(user)) return {};
        current = Replaced(current, "{username}", user);
    }
    if (FindMacro(current, "{windows}") != std::string::npos)
        current = Replaced(current, "{windows}", SystemFolder(GetWindowsDirectoryA));
    if (FindMacro(current, "{system}") != std::string::npos)
        current = Replaced(current, "{system}", SystemFolder(GetSystemDirectoryA));
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
