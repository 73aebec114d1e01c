#pragma once
// A pseudo-language for test builds: every text of the tables accented, bracketed and 40 %
// longer, so a text still written into the code, or a control too tight for a longer language,
// shows at once.
#include <windows.h>

#include <string>
#include <vector>

// English turned into the pseudo-language: placeholders, hot-key marks and escapes kept.
std::string PseudoText(const std::string& english);
// True for a text that came through the pseudo-language (or holds no letters at all).
bool LooksTranslated(const std::string& text);

// Visible captions of a window and its controls (and its tabs' names) that did not come from
// the tables: one line each.
std::vector<std::string> HardCodedTexts(HWND window);
// Hot-key letters used twice among a window's visible controls: one line each.
std::vector<std::string> HotKeyClashes(HWND window);
