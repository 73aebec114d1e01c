#pragma once
// The four kinds of message the program shows.
#include <windows.h>

#include <string>

inline constexpr const char* AppTitle = "Varnolt";

// Warning icon, Yes and No: true only for Yes.
bool AskQuestion(HWND owner, const std::string& text);
// Question icon, Yes, No and Cancel: IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(HWND owner, const std::string& text);
// Error icon, OK.
void ShowRefusal(HWND owner, const std::string& text);
// Warning icon, OK: a choice the user has not made.
void ShowMissingChoice(HWND owner, const std::string& text);
// Information icon, OK.
void ShowNote(HWND owner, const std::string& text);
