#pragma once
// Folder macros resolved through the shell's known folders: "{localappdata}", "{userprofile}",
// "{temp}", "{programdata}" and "{locallow}".
#include <string>

// Replaces the first occurrence of each of these macros, in the order above, letter case
// ignored. A macro whose folder the system does not give, or whose path has a character the
// ANSI code page cannot hold, stays in the text unchanged. A text without any of them causes
// no platform call.
std::string ExpandKnownFolders(const std::string& text);

// The folder a known-folder macro stands for, without a trailing backslash (a drive root keeps
// its own); false when the macro is not one of them or the system gives no usable path.
bool KnownFolderPath(const std::string& macro, std::string& path);
