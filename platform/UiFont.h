#pragma once
// The face that shows the language in use. The templates' "MS Shell Dlg" and the lists' Arial
// show Latin and Cyrillic everywhere, but Japanese, Chinese and Korean only where the system's
// own language links a font of that script to them: elsewhere those texts are boxes.
#include <windows.h>

#include <string>

// The face of an installed font that covers the language's script: the system's usual UI font
// for it when installed, else any font of its character set; empty when the language needs
// none (its script is in every font) or the system has none.
std::wstring LanguageFontFace(LANGID language);
// The character set of the language's script; DEFAULT_CHARSET for the others.
BYTE LanguageCharset(LANGID language);
// A copy of base (size, weight) in the language's face; nullptr when base serves as it is.
// The caller deletes it.
HFONT CreateLanguageFont(HFONT base, LANGID language);
// Gives a form whose template font cannot show the language in use the language's face: the
// form and every control that has the template's font. The new font goes to ownedFont, which
// the form deletes after its window.
void UseLanguageFont(HWND form, HFONT& ownedFont);
// Realizes a font once (from any thread), so that a window made later with the same font finds
// it ready: the system keeps the fonts it has realized.
void PrepareFont(const LOGFONTW& font);
