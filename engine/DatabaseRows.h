#pragma once
// Database items in a wash: what each database row says in the log, the lists and the console,
// the counts a wash adds up, and the browsers an item waits for.
#include <string>
#include <vector>

#include "engine/WashEngine.h"

// True when the database was left alone for a reason the user must hear of: its browser runs,
// another program holds it, its layout is unknown or it is damaged. A database not found is
// nothing to wash, not a failure.
bool DatabaseLeftAlone(const DatabaseRow& row);
// "Chrome — Work (Profile 1): C:\...\History"
std::string DatabaseRowName(const DatabaseRow& row);
// The row's text, with the space given back once washed: "1,234 visits of 456 sites; 1.2 MB
// given back".
std::string DatabaseRowNote(const DatabaseRow& row);
// What the rows of an item count: "1,234 removed, 12 kept", after "1 left alone; " when any is.
std::string DatabaseTotalsText(const std::vector<DatabaseRow>& rows);

// Adds the rows, the space they gave back and those left alone (as failures) to summary.
void AddDatabaseRows(WashSummary& summary, const std::vector<DatabaseRow>& rows);
// Washes the database item and adds its rows, the space given back and its left-alone
// databases (as failures) to summary.
void WashDatabaseItemInto(const std::string& name, WashSummary& summary);
// One row per database of the item to the open log (one "Not found" row when it has none).
void WriteDatabaseLogRows(const std::string& name, const std::vector<DatabaseRow>& rows);

// Image names of the browsers whose databases the item changes ("chrome.exe"); every known
// browser for an item of all browsers, none for a name that is no database item.
std::vector<std::string> DatabaseItemBrowsers(const std::string& name);
