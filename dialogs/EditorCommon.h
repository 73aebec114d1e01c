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

// A stored item or entry name as the editors show it: a supplied name in the language in use.
std::string ShownName(const std::string& stored);
// The name to store from the text typed over ShownName(stored): the stored name while the shown
// one is left as it was, so a supplied name keeps the English that order.ini, user.txt, plug-ins
// and policies know it by; otherwise the text typed.
std::string NameToStore(const std::string& stored, const std::string& typed);

// The refusals of the two checks above.
std::string RelativePathMessage(const std::string& path);
std::string UnrootedKeyMessage(const std::string& keyName);
