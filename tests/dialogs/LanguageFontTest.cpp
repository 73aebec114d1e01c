// A language chosen in Preferences reads on a system of another language: Japanese, Chinese and
// Korean texts show in the fonts of the forms and lists (the tests run on an English system), and
// the Summary page's titles fit their columns in every language.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "tests/support/LanguageScope.h"

namespace {
// The characters of text that font has no glyph for (line breaks and tabs aside).
std::string MissingGlyphs(HFONT font, const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::wstring missing;
    for (size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF && text[i] >= L' ' && missing.find(text[i]) == std::wstring::npos) missing += text[i];
    return Narrow(missing);
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// True when the font's own face has the character set, not through a font the system links to
// it (a system without such links shows boxes otherwise).
bool FaceHasCharset(HFONT font, BYTE charset) {
    LOGFONTW shown{};
    GetObjectW(font, sizeof(shown), &shown);
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    wcscpy_s(wanted.lfFaceName, shown.lfFaceName);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, Found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::wstring HeaderText(HWND header, int column) {
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    return text;
}

int TextWidth(HFONT font, const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}
}  // namespace

TEST(LanguageFont, FormsAndListsShowEveryTextOfTheEastAsianLanguages) {
    const struct {
        LANGID language;
        BYTE charset;
    } languages[] = {{MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SHIFTJIS_CHARSET},
                     {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), GB2312_CHARSET},
                     {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), HANGUL_CHARSET}};
    for (const auto& [language, charset] : languages) {
        LanguageScope scope(language);
        std::wstring texts;
        for (const auto& entry : TableOf(language)) texts += Widen(entry.second);
        PreviewAllDialog dialog;
        HWND window = dialog.CreateModeless(nullptr);
        ASSERT_NE(window, nullptr);
        const char* tag = LanguageOf(language).Tag;
        HWND header = ListView_GetHeader(GetDlgItem(window, IDC_PreviewAll_Summary));
        const struct {
            HWND window;
            const char* what;
        } shown[] = {{GetDlgItem(window, IDC_PreviewAll_Wash), "the form's font"},
                     {GetDlgItem(window, IDC_PreviewAll_Files), "the list's font"},
                     {header, "the Summary page's titles"}};
        for (const auto& [control, what] : shown) {
            EXPECT_EQ(MissingGlyphs(FontOf(control), texts), "") << tag << ": " << what;
            EXPECT_TRUE(FaceHasCharset(FontOf(control), charset)) << tag << ": " << what;
        }
    }
}

TEST(LanguageFont, SummaryTitlesFitTheirColumnsInEveryLanguage) {
    // A header item draws its text between margins of three edges on either side.
    const int margins = 6 * GetSystemMetrics(SM_CXEDGE);
    for (const LanguageInfo& info : Languages()) {
        LanguageScope scope(info.Id);
        PreviewAllDialog dialog;
        HWND window = dialog.CreateModeless(nullptr);
        ASSERT_NE(window, nullptr);
        HWND list = GetDlgItem(window, IDC_PreviewAll_Summary);
        HWND header = ListView_GetHeader(list);
        for (int column = 1; column < 4; ++column) {
            const std::wstring title = HeaderText(header, column);
            EXPECT_GE(ListView_GetColumnWidth(list, column), TextWidth(FontOf(header), title) + margins)
                << info.Tag << ": " << Narrow(title);
        }
    }
}
