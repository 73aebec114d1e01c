#pragma once
// Paths and keys as winapp2.ini writes them: %Variables%, wildcards in any folder part,
// abbreviated registry roots, and the folders a rule from outside may never sweep.
#include <string>
#include <unordered_map>
#include <vector>

// Replaces every %Variable% the format knows. %ProgramFiles% and %CommonProgramFiles% give
// both program folders on a 64-bit system, so the result may hold two paths. An unknown or
// unset variable gives no path at all (never a relative one).
// cache, when given, keeps each variable's values for later calls (one detection pass).
using Winapp2VariableCache = std::unordered_map<std::string, std::vector<std::string>>;
std::vector<std::string> ExpandWinapp2Variables(const std::string& text, Winapp2VariableCache* cache = nullptr);

// "*" and "?" against a name, letter case ignored; "*" matches any run, dots included.
bool WildcardMatch(const std::string& name, const std::string& mask);

// True when some part of the folder holds "*" or "?".
bool HasWildcard(const std::string& text);

// The existing paths that a path with wildcards in any part names, in enumeration order.
// Folders that are reparse points are neither entered nor returned. With foldersOnly, only
// folders are returned. A path without wildcards gives itself when it exists.
std::vector<std::string> MatchWildcardPath(const std::string& path, bool foldersOnly);

// Why washing files in folder (absolute, no final "\") is refused; empty when it is not.
// A path that is not absolute, has "." or ".." parts, is a drive root, or the Windows or system
// folder is always refused; the program, profile, users and shared data folders are refused with
// subfolders.
std::string UnsafeFolderReason(const std::string& folder, bool subfolders);

// "HKCU\Software\X" to "HKEY_CURRENT_USER\Software\X"; the long root names pass unchanged.
// False for an unknown root.
bool Winapp2RegistryKey(const std::string& text, std::string& fullName);
