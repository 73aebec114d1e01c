#pragma once
// What the entry editors share: the registry editor button and the checks of paths and key
// names that would otherwise widen what a wash deletes.
#include <windows.h>

#include <string>

// The filter of an open dialog that shows every file ("All files (*.*)"), NUL-separated.
std::wstring AllFilesFilter();

// Starts "regedit" through the shell in a normal window; the result is not checked.
void StartRegistryEditor(HWND owner);

// A path that names the same place whatever the current folder: a drive and a backslash
// ("C:\..."), a UNC path ("\\server\share...") or a folder macro first ("{windows}...").
// An empty path names nothing and passes.
bool IsFullEntryPath(const std::string& path);

// A key path whose root is one of the seven root key names, followed by a backslash and a
// key below it.
bool IsRootedRegistryKey(const std::string& keyName);

// The refusals of the two checks above.
std::string RelativePathMessage(const std::string& path);
std::string UnrootedKeyMessage(const std::string& keyName);
