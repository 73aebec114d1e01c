#pragma once
// Files handed to the Windows shell's default action for their type.
#include <windows.h>

#include <functional>
#include <string>

// ShellExecuteA with no verb, parameters or working folder, shown normally; the shell's
// answer is not examined.
void ShellOpen(HWND owner, const std::string& path);

// When set, receives every file in place of the shell (tests).
inline std::function<void(const std::string& path)> ShellOpenHook;
