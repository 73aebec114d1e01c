#include "platform/UiFont.h"

#include <map>
#include <mutex>

#include "platform/Language.h"

namespace {
struct ScriptFonts {
    LANGID Language;
    BYTE Charset;
    // The system's UI fonts for the script, best first.
    const wchar_t* Faces[4];
};

const ScriptFonts Scripts[] = {
    {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SHIFTJIS_CHARSET,
     {L"Meiryo UI", L"Yu Gothic UI", L"MS UI Gothic", L"MS Gothic"}},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), GB2312_CHARSET,
     {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun", L"NSimSun"}},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), CHINESEBIG5_CHARSET,
     {L"Microsoft JhengHei UI", L"Microsoft JhengHei", L"PMingLiU", L"MingLiU"}},
    {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), HANGUL_CHARSET, {L"Malgun Gothic", L"Gulim", L"Dotum", L"Batang"}},
};

const ScriptFonts* ScriptOf(LANGID language) {
    for (const ScriptFonts& script : Scripts)
        if (script.Language == language) return &script;
    return nullptr;
}

struct Found {
    std::wstring Face;
    bool Proportional = false;
};

// Keeps the first horizontal face, a proportional one over a fixed-pitch one.
int CALLBACK TakeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (font->lfFaceName[0] == L'@') return 1;  // the vertical-writing twin
    const bool proportional = (font->lfPitchAndFamily & 0x3) != FIXED_PITCH;
    if (found->Face.empty() || (proportional && !found->Proportional)) {
        found->Face = font->lfFaceName;
        found->Proportional = proportional;
    }
    return found->Proportional ? 0 : 1;
}

// The installed face of the charset named face (any face when face is empty); empty when none.
std::wstring InstalledFace(HDC dc, BYTE charset, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    if (face) lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    Found found;
    EnumFontFamiliesExW(dc, &wanted, TakeFace, reinterpret_cast<LPARAM>(&found), 0);
    return found.Face;
}

std::wstring ChooseFace(const ScriptFonts& script) {
    HDC dc = GetDC(nullptr);
    std::wstring face;
    for (const wchar_t* preferred : script.Faces)
        if (face.empty()) face = InstalledFace(dc, script.Charset, preferred);
    if (face.empty()) face = InstalledFace(dc, script.Charset, nullptr);
    ReleaseDC(nullptr, dc);
    return face;
}
}  // namespace

std::wstring LanguageFontFace(LANGID language) {
    const ScriptFonts* script = ScriptOf(language);
    if (!script) return {};
    // Fonts are not installed while the program runs: one look per language.
    static std::mutex lock;
    static std::map<LANGID, std::wstring> chosen;
    std::lock_guard<std::mutex> hold(lock);
    auto it = chosen.find(language);
    if (it == chosen.end()) it = chosen.emplace(language, ChooseFace(*script)).first;
    return it->second;
}

BYTE LanguageCharset(LANGID language) {
    const ScriptFonts* script = ScriptOf(language);
    return script ? script->Charset : static_cast<BYTE>(DEFAULT_CHARSET);
}

HFONT CreateLanguageFont(HFONT base, LANGID language) {
    const std::wstring face = LanguageFontFace(language);
    LOGFONTW font{};
    if (face.empty() || !base || !GetObjectW(base, sizeof(font), &font)) return nullptr;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    font.lfCharSet = LanguageCharset(language);
    return CreateFontIndirectW(&font);
}

void UseLanguageFont(HWND form, HFONT& ownedFont) {
    HFONT templateFont = reinterpret_cast<HFONT>(SendMessageW(form, WM_GETFONT, 0, 0));
    HFONT font = CreateLanguageFont(templateFont, LanguageInUse());
    if (!font) return;
    if (ownedFont) DeleteObject(ownedFont);
    ownedFont = font;
    SendMessageW(form, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == templateFont)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void PrepareFont(const LOGFONTW& description) {
    HFONT font = CreateFontIndirectW(&description);
    HDC dc = CreateCompatibleDC(nullptr);
    if (font && dc) {
        HGDIOBJ old = SelectObject(dc, font);
        // The metrics and the widths of the letters, as a dialog's units and a list's rows ask.
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        SIZE size;
        GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
        SelectObject(dc, old);
    }
    if (dc) DeleteDC(dc);
    if (font) DeleteObject(font);
}
