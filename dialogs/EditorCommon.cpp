#include "dialogs/EditorCommon.h"

#include <shellapi.h>

#include "catalogue/RootKeys.h"
#include "platform/Text.h"

namespace {
// The macros that stand for a whole folder; "{username}" is a bare name and does not count.
const char* const FolderMacros[] = {"{windows}", "{system}", "{program files}", "{personal}", "{appdata}",
                                    "{netscape}"};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

void StartRegistryEditor(HWND owner) { ShellExecuteA(owner, nullptr, "regedit", nullptr, nullptr, SW_SHOWNORMAL); }

bool IsFullEntryPath(const std::string& path) {
    std::string text = Trim(path);
    if (text.empty()) return true;
    if (text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '\\') return true;
    if (text.size() >= 3 && text[0] == '\\' && text[1] == '\\' && text[2] != '\\') return true;
    for (const char* macro : FolderMacros) {
        std::string name(macro);
        if (text.size() >= name.size() && SameText(text.substr(0, name.size()), name)) return true;
    }
    return false;
}

bool IsRootedRegistryKey(const std::string& keyName) { return SplitRegistryPath(Trim(keyName)).NamesKeyBelowRoot(); }

std::string RelativePathMessage(const std::string& path) {
    return "The path '" + Trim(path) +
           "' is not a full path. Please enter a path that begins with a drive (C:\\), a network share "
           "(\\\\server\\share) or a folder macro such as {windows}.";
}

std::string UnrootedKeyMessage(const std::string& keyName) {
    return "The registry key '" + Trim(keyName) +
           "' does not begin with a root key such as HKEY_CURRENT_USER followed by a key below it. Please "
           "retry.";
}
