#pragma once
// The text side of folder macros: finding a macro and putting a value in its place.
// Plain C++, no system calls.
#include <string>

// Position of the first occurrence of macro in text, letter case ignored; npos when none.
size_t FindMacro(const std::string& text, const std::string& macro);

// The text with the first occurrence of macro replaced by value, exactly the macro's length
// removed; the text unchanged when it holds no such macro.
std::string ReplaceMacro(const std::string& text, const std::string& macro, const std::string& value);
