#pragma once
// The value that starts the program when the user logs on: "Varnolt" under the current user's
// Run key, holding the executable's path in quotes.
#include <string>

inline constexpr const char* RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* RunValueName = "Varnolt";

// Writes the value under HKEY_CURRENT_USER\runKey (created when missing); a refused write
// raises "Failed to set data for 'Varnolt'".
void WriteRunValue(const std::string& runKey, const std::string& executable);
// Removes the value under HKEY_CURRENT_USER\runKey and, where the user may, an old one under
// HKEY_LOCAL_MACHINE\runKey. An absent value is no error.
void RemoveRunValue(const std::string& runKey);
// The path of the running executable.
std::string ExecutablePath();
