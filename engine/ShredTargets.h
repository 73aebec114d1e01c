#pragma once
// What "Shred with Varnolt" destroys: the files named, and for a folder every file below it
// (links are neither entered nor listed) followed by rows that remove each folder once it is
// empty, deepest first. Drive roots, the Windows and Program Files folders and profile roots
// are refused.
#include <string>
#include <vector>

// Empty when path may be shredded; otherwise a message naming it.
std::string ShredRefusal(const std::string& path);
// Appends the rows of a file preview list for the paths (file rows, then folder rows ending in
// RemoveFolderMarker) to rows; a refused path adds none. Returns the refusals, in order.
std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, std::vector<std::string>& rows);
