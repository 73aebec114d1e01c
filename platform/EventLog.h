#pragma once
// The Windows event log: one event with one text to the Application log.
#include <windows.h>

#include <string>

// Writes the event under source (UTF-8 text); false when the log refused it.
bool WriteApplicationEvent(const wchar_t* source, WORD type, DWORD id, const std::string& text);
