#include "tests/support/PseudoLanguage.h"

#include <commctrl.h>

#include <cctype>
#include <map>

#include "platform/WideText.h"

namespace {
// Accented forms of the ASCII letters, as UTF-8.
const char* Accented(char c) {
    static const std::map<char, const char*> letters = {
        {'a', "\xC3\xA1"}, {'e', "\xC3\xA9"}, {'i', "\xC3\xAD"}, {'o', "\xC3\xB3"}, {'u', "\xC3\xBA"},
        {'c', "\xC3\xA7"}, {'n', "\xC3\xB1"}, {'y', "\xC3\xBD"}, {'A', "\xC3\x81"}, {'E', "\xC3\x89"},
        {'I', "\xC3\x8D"}, {'O', "\xC3\x93"}, {'U', "\xC3\x9A"}, {'C', "\xC3\x87"}, {'N', "\xC3\x91"},
    };
    auto it = letters.find(c);
    return it == letters.end() ? nullptr : it->second;
}

const char* const Open = "\xE2\x9F\xA6";   // U+27E6
const char* const Close = "\xE2\x9F\xA7";  // U+27E7

bool HasLetter(const std::string& text) {
    for (unsigned char c : text)
        if (std::isalpha(c) || c >= 0x80) return true;
    return false;
}

std::string WindowText(HWND window) {
    wchar_t text[1024];
    int n = GetWindowTextW(window, text, 1024);
    return Narrow(text, static_cast<size_t>(n > 0 ? n : 0));
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool HoldsCaption(HWND control) {
    std::string cls = ClassOf(control);
    return cls == "Static" || cls == "Button";
}

std::vector<std::string> TabNames(HWND tab) {
    std::vector<std::string> names;
    int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        names.push_back(Narrow(text));
    }
    return names;
}
}  // namespace

std::string PseudoText(const std::string& english) {
    std::string out = Open;
    for (size_t i = 0; i < english.size(); ++i) {
        char c = english[i];
        if (c == '%' && i + 1 < english.size()) {  // a placeholder stays whole
            out += c;
            out += english[++i];
            if (english[i] == 'l' && i + 1 < english.size()) out += english[++i];
            continue;
        }
        const char* accented = Accented(c);
        out += accented ? accented : std::string(1, c);
    }
    for (size_t i = 0; i < (english.size() * 2 + 4) / 5; ++i) out += "\xC2\xB7";  // middle dot
    return out + Close;
}

bool LooksTranslated(const std::string& text) {
    return !HasLetter(text) || text.find(Open) != std::string::npos;
}

std::vector<std::string> HardCodedTexts(HWND window) {
    std::vector<std::string> found;
    std::string caption = WindowText(window);
    if (!LooksTranslated(caption)) found.push_back("caption \"" + caption + "\"");
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        if (ClassOf(child) == WC_TABCONTROLA) {
            for (const std::string& name : TabNames(child))
                if (!LooksTranslated(name)) found.push_back(caption + ": tab \"" + name + "\"");
            continue;
        }
        if (!HoldsCaption(child)) continue;
        std::string text = WindowText(child);
        if (!LooksTranslated(text))
            found.push_back(caption + ": #" + std::to_string(GetDlgCtrlID(child)) + " \"" + text + "\"");
    }
    return found;
}

std::vector<std::string> HotKeyClashes(HWND window) {
    std::map<std::wstring, std::string> seen;
    std::vector<std::string> clashes;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !HoldsCaption(child)) continue;
        wchar_t text[1024];
        int n = GetWindowTextW(child, text, 1024);
        for (int i = 0; i + 1 < n; ++i) {
            if (text[i] != L'&') continue;
            if (text[i + 1] == L'&') {
                ++i;
                continue;
            }
            auto upper = reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(text[i + 1]))));
            std::wstring key(1, static_cast<wchar_t>(upper));
            std::string name = Narrow(text, static_cast<size_t>(n));
            auto [it, added] = seen.emplace(key, name);
            if (!added) clashes.push_back(WindowText(window) + ": \"" + it->second + "\" and \"" + name + "\"");
            break;
        }
    }
    return clashes;
}
