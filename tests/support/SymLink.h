#pragma once
// Symbolic links for tests. Under Wine a host symbolic link shows as a reparse point, so the
// link is made by the host's ln when the system call doesn't make one.
#include <string>

// Makes linkPath a symbolic link to the folder target; false when no link could be made.
bool MakeFolderLink(const std::string& target, const std::string& linkPath);
