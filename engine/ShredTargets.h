#pragma once
// What "Shred with Varnolt" destroys: the files named, and for a folder every file below it
// (links are neither entered nor listed) followed by rows that remove each folder once it is
// empty, deepest first. Drive roots, the Windows and Program Files folders and profile roots
// are refused; a row in a protected place (catalogue/ProtectedPlaces.h) is refused alone.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

// Empty when path may be shredded; otherwise a message naming it.
std::string ShredRefusal(const std::string& path);
// What a shred covers so far: the rows of a file preview list with the space on disk of each
// (a folder row has none), every file and folder once, whichever path named it.
struct ShredRows {
    std::vector<std::string> Rows;
    std::vector<uint64_t> Spaces;
    std::unordered_set<std::wstring> Seen;  // full paths in upper case, of every row collected
};
// Appends the rows of the paths to rows (file rows, then folder rows ending in
// RemoveFolderMarker), leaving out what rows.Seen holds; a refused path adds none. Returns the
// refusals, in order.
std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, ShredRows& rows);
// The same for one list of rows, without their spaces.
std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, std::vector<std::string>& rows);
