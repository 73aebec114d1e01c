#pragma once
// Texts inside the program are UTF-8; the system is called with wide (UTF-16) texts.
// Texts that still arrive through an 8-bit call are in the ANSI code page: Widen tells the two
// apart (such a text is almost never valid UTF-8) and decodes each by its own code page.
#include <string>

// UTF-8 (or, when not valid UTF-8, ANSI) to UTF-16.
std::wstring Widen(const std::string& text);
// UTF-16 to UTF-8.
std::string Narrow(const std::wstring& text);
std::string Narrow(const wchar_t* text, size_t length);
// True when text is well-formed UTF-8 (plain ASCII included).
bool IsUtf8(const std::string& text);
// A path for the wide file calls: long paths are made absolute and given the "\\?\" prefix
// ("\\?\UNC\" for a share), so they are not cut at 260 characters.
std::wstring WidePath(const std::string& path);
// The ANSI code page's bytes for text, or false when a character has no exact counterpart there.
bool ToAnsi(const std::wstring& text, std::string& ansi);
