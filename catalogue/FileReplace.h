#pragma once
// Rewrites a file through a copy beside it, so that a refused or interrupted write never leaves
// the file half-written.
#include <functional>
#include <string>

// Copies the file (if it exists) beside it, runs write against the copy's path, then puts the
// copy in place of the file. A read-only file, a write that raises "Unable to write to ..." or a
// copy that cannot be made or put in place leaves the file as it was and raises
// "Unable to write to %s" with the file's own path. The copy never outlives the call.
void RewriteThroughCopy(const std::string& path, const std::function<void(const std::string& copyPath)>& write);
