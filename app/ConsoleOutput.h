#pragma once
// Lines of the command line to the standard handles, or to the console the program was started
// from when they are not set (a windowed program's usual case).
#include <windows.h>

#include <string>

// A line to the standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE) or the starting console.
void WriteConsoleLine(DWORD which, const std::string& text);
// True when a line to that handle goes somewhere (a file, a pipe or a console).
bool HasConsoleOutput(DWORD which);
