#pragma once
// PreviewItemDialog: the files (tab "Washer Folder") and registry rows (tab
// "Washer Register") of the current wash item, each with a check mark.
#include "dialogs/PreviewCommon.h"

class PreviewItemDialog : public PreviewDialogBase {
public:
    PreviewItemDialog();

    CheckList FileList;
    CheckList RegistryList;
    // Shown under the file list: why files of the item's entries are not listed; may be empty.
    std::string FileNote;

    void OnSelectAllFiles();
    void OnUnselectAllFiles();
    void OnSelectAllRegistry();
    void OnUnselectAllRegistry();
    // Washes the checked files and registry rows, sets all four counters and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;
};
