#pragma once
// Rewrites a file through a copy beside it, so that a refused or interrupted write never leaves
// the file half-written.
#include <functional>
#include <string>

// What a rewrite does with the file's old text: builds on it (the copy starts as the file), or
// replaces it whole (the copy starts empty).
enum class OldText { Kept, Replaced };

// Copies the file (if it exists) beside it, runs write against the copy's path, then puts the
// copy in place of the file. A read-only file, a write that raises "Unable to write to ..." or a
// copy that cannot be made or put in place leaves the file as it was and raises
// "Unable to write to %s" with the file's own path. The copy never outlives the call.
// With OldText::Kept, a file the profile functions can't read (bytes that are no text) is kept
// as it is and the rewrite refused with the reason; UTF-16 without its mark gets the mark first.
void RewriteThroughCopy(const std::string& path, const std::function<void(const std::string& copyPath)>& write,
                        OldText oldText = OldText::Kept);
