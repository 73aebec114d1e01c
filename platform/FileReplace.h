#pragma once
// Rewrites a file whole without risking the old one: the new content goes to a temporary file
// beside it, which then takes the old file's place. A refused or interrupted write leaves the
// old file as it was.
#include <functional>
#include <string>

// write receives the temporary path to fill. Any failure raises "Unable to write to %s" with
// path, after removing the temporary file.
void RewriteFile(const std::string& path, const std::function<void(const std::string& temp)>& write);
