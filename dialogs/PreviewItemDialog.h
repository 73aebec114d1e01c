#pragma once
// PreviewItemDialog: the files (tab "Washer Folder") and registry rows (tab
// "Washer Register") of the current wash item, each with a check mark; for a database item, its
// databases instead (tab "Databases"), one row per database of every profile.
#include <map>

#include "dialogs/PreviewCommon.h"
#include "engine/DatabaseItems.h"

class PreviewItemDialog : public PreviewDialogBase {
public:
    PreviewItemDialog();

    CheckList FileList;
    CheckList RegistryList;
    // Shown under the file list: why files of the item's entries are not listed; may be empty.
    std::string FileNote;
    // A database item: its name and what a wash would do, database by database. A database that
    // would be washed is checked; one left alone is refused, with its reason in the note column.
    // The marks follow the item: the wash runs the item when any database is checked.
    std::string DatabaseItem;
    CheckList DatabaseList;
    void SetDatabaseRows(const std::vector<DatabaseRow>& rows);

    void OnSelectAllFiles();
    void OnUnselectAllFiles();
    void OnSelectAllRegistry();
    void OnUnselectAllRegistry();
    // Washes the checked files and registry rows, sets all four counters and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;

private:
    std::map<std::string, DatabaseRow> databaseRows_;  // by the list row's path
};
