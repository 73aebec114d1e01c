#pragma once
// "Shred with Varnolt" in Explorer's context menu of files and folders, for the current user:
// the verb key VarnoltShred under HKEY_CURRENT_USER\<classesKey>\*\shell and \Directory\shell,
// its command "<executable>" /shred "%1". The installers write the same keys.
#include <string>

inline constexpr const char* ClassesKeyPath = "Software\\Classes";

// The two verb keys below classesKey.
std::string FileShredVerbKey(const std::string& classesKey);
std::string FolderShredVerbKey(const std::string& classesKey);
// Writes both verbs; a refused write raises "Failed to set data for '%s'".
void WriteShredVerb(const std::string& classesKey, const std::string& executable);
// Removes both verbs; absent ones are no error.
void RemoveShredVerb(const std::string& classesKey);
// True when the verb of files is there.
bool ShredVerbPresent(const std::string& classesKey);
// The same under HKEY_LOCAL_MACHINE, where a per-machine installation writes it.
bool MachineShredVerbPresent(const std::string& classesKey);
