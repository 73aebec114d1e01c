#pragma once
// The program directory (folder of the running exe, with a trailing backslash) and the
// program's files in it. Tests point it at a folder of their own.
#include <string>

const std::string& ProgramDir();
void SetProgramDir(const std::string& dir);
// Program directory of the running executable.
std::string ExecutableDir();

inline std::string SettingsFilePath() { return ProgramDir() + "wildcard.ini"; }
inline std::string OrderFilePath() { return ProgramDir() + "order.ini"; }
inline std::string LogFilePath() { return ProgramDir() + "log.htm"; }
