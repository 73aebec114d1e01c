#pragma once
// Protected places: folders and files that no row of a supplied item, a plug-in, winapp2.ini or a
// shred may reach (drive roots, the Windows folder but its caches, the Program Files folders,
// the profile folders themselves, a browser's settings and passwords). A row of the user's own
// items that reaches one is held: unchecked, washed only when checked by hand.
#include <windows.h>

#include <string>
#include <vector>

// True when the file or folder at path (full, UTF-8) is a protected place. attributes are those
// the listing gave (INVALID_FILE_ATTRIBUTES when unknown: a folder row, or a file named alone);
// the check reads the path text only, but for a link, whose target it checks too.
bool IsProtectedPlace(const std::string& path, DWORD attributes);

// A folder by the name the system resolves it to (links and junctions followed, long names),
// without a trailing backslash; empty when it cannot be opened or names no other place.
std::string ResolvedFolder(const std::string& folder);

// The protected rows among rows get the row guard marker: held for the user's own items
// (ownItems), refused otherwise. A row below a folder that folders resolves to another place
// (pairs of the folder as named and as resolved) is checked in both places. Folder rows
// (RemoveFolderMarker) are checked as folders.
struct ResolvedRoot {
    std::string Named;
    std::string Resolved;
};
void GuardProtectedRow(std::string& row, DWORD attributes, bool ownItems, const std::vector<ResolvedRoot>& roots);

// True when a registry row reaches a protected place: the Session Manager key (which holds
// PendingFileRenameOperations), a file association's UserChoice, another program's value of a
// Run or RunOnce key; for a key row (isKey) also a key that holds one of them. keyPath is the
// full path with its root name; valueName is empty for a key row.
bool IsProtectedRegistryPlace(const std::string& keyPath, const std::string& valueName, bool isKey);

// The database a journal file belongs to: "...\History" for "...\History-journal", ".sqlite" files
// for their "-wal" and "-shm"; empty for any other name. Deleting a journal while its database
// stays can corrupt the database.
std::string DatabaseOfJournal(const std::string& path);
// True when path is a journal whose database exists now.
bool JournalOfExistingDatabase(const std::string& path);
// Guards the journal rows among rows whose database exists and is not a row of rows as well:
// held for the user's own items (ownItems), refused otherwise.
void GuardDatabaseJournals(std::vector<std::string>& rows, bool ownItems);
