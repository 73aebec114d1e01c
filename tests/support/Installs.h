#pragma once
// What the installer tests share: host paths, running a command, the installed program's kind
// and the uninstall entries the user sees.
#include <windows.h>

#include <string>

// A host path ("/work/...") as Wine's Z: drive path.
std::string HostPath(std::string path);
// Runs a command line and returns its exit code, -1 when it did not end in two minutes, -2
// when it did not start.
int RunCommand(std::string commandLine);
// The machine field of a program's PE header: IMAGE_FILE_MACHINE_AMD64 or _I386; 0 for none.
WORD Machine(const std::string& exe);
// Uninstall entries named Varnolt that the user sees: the current user's and both views of the
// machine's, less the hidden ones (SystemComponent 1).
int VarnoltEntries();
// A shell folder of the current user or the machine (a CSIDL_ value).
std::string ShellFolder(int csidl);
// The program file the Application log's source "Varnolt" names; empty when it isn't registered.
std::string EventMessageFile();
// The current user's Start-menu shortcut of the program.
std::string StartMenuShortcut();
