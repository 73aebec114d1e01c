#include "dialogs/EditorCommon.h"

#include <shellapi.h>

#include "catalogue/RootKeys.h"
#include "dialogs/DialogTexts.h"
#include "platform/Language.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
// The macros that stand for a whole folder; "{username}" is a bare name and does not count.
const char* const FolderMacros[] = {"{windows}", "{system}", "{program files}", "{personal}", "{appdata}",
                                    "{netscape}"};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

std::wstring AllFilesFilter() {
    std::wstring filter = Widen(Text(IDS_Dlg_AllFilesFilter));
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';  // the string's own terminator ends the list
    return filter;
}

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
    return FormatText(IDS_Dlg_RelativePath, Trim(path));
}

std::string UnrootedKeyMessage(const std::string& keyName) {
    return FormatText(IDS_Dlg_UnrootedKey, Trim(keyName));
}

std::string ShownName(const std::string& stored) { return TranslateUiText(stored); }

std::string NameToStore(const std::string& stored, const std::string& typed) {
    return typed == ShownName(stored) ? stored : typed;
}
