#pragma once
// Stops and hides the browser windows of the shell's window collection. File Explorer folder
// windows share the collection on today's Windows; they are left alone.
#include <string>

// Empty on success; otherwise the system's text of the error that kept the collection from
// being read. Errors on single windows are ignored.
std::string HideBrowserWindows();
// True when the executable that hosts a window of the collection is File Explorer.
bool IsFileExplorerHost(const std::string& fullName);
