#pragma once
// PreviewFilesDialog: the files of the selected folder/file entry, each with a check mark.
#include "dialogs/PreviewCommon.h"

class PreviewFilesDialog : public PreviewDialogBase {
public:
    PreviewFilesDialog();

    CheckList FileList;

    void OnSelectAll();
    void OnUnselectAll();
    // Washes the checked files, sets the file counters and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;
};
