#pragma once
// The program directory (folder of the running exe, with a trailing backslash), the user
// directory that holds the user's own files, and the program's files in them. Tests point them
// at folders of their own.
#include <windows.h>

#include <string>

const std::string& ProgramDir();
// Sets the program directory; the user directory follows it until UseWritableUserDir.
void SetProgramDir(const std::string& dir);
// Program directory of the running executable.
std::string ExecutableDir();

// Where const\user.txt, plugin\, wildcard.ini, order.ini and log.htm live: the program directory,
// or %LOCALAPPDATA%\Varnolt\ when the program directory cannot be written.
const std::string& UserDir();
void SetUserDir(const std::string& dir);
// True when a file can be created in folder (a real write of a file removed again). A folder on
// a full disk can be written: it only lacks space, and a write that fails for it is an error.
bool FolderCanBeWritten(const std::string& folder);
// Whether the error of a failed write says the folder cannot be written at all (access denied,
// a write-protected or absent medium), unlike a lack of space.
bool WriteErrorMeansReadOnly(DWORD error);
// The user directory for this program directory: itself when it can be written, else
// localAppData\Varnolt\ with its const\ and plugin\ folders made, and the user's files left in
// the program directory by an earlier installation copied there once (none is overwritten).
std::string ChooseUserDir(const std::string& programDir, const std::string& localAppData);
// ChooseUserDir for the program directory and %LOCALAPPDATA%, made the user directory.
void UseWritableUserDir();

inline std::string SettingsFilePath() { return UserDir() + "wildcard.ini"; }
inline std::string OrderFilePath() { return UserDir() + "order.ini"; }
inline std::string LogFilePath() { return UserDir() + "log.htm"; }
inline std::string UserItemsPath() { return UserDir() + "const\\user.txt"; }
inline std::string PluginDirPath() { return UserDir() + "plugin\\"; }
// Where an import puts winapp2.ini: the user directory, which can be written.
inline std::string Winapp2ImportPath() { return UserDir() + "winapp2.ini"; }
// winapp2.ini as read: the user's own (an import's) when there is one, else the one beside the
// program (an administrator's, or an earlier installation's).
std::string Winapp2FilePath(const std::string& programDir, const std::string& userDir);
