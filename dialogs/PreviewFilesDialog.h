#pragma once
// PreviewFilesDialog: the files of the selected folder/file entry, each with a check mark.
#include "dialogs/PreviewCommon.h"

class PreviewFilesDialog : public PreviewDialogBase {
public:
    PreviewFilesDialog();

    CheckList FileList;
    // Shown under the list: why files of the entry are not listed (its age limit); may be empty.
    std::string Note;

    void OnSelectAll();
    void OnUnselectAll();
    // Washes the checked files, sets the file counters and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;
};
