#pragma once
// TFormPreviewFolder: the files of the selected folder/file entry, each with a check mark.
#include "dialogs/PreviewCommon.h"

class TFormPreviewFolder : public TFormPreview {
public:
    TFormPreviewFolder();

    CheckList CheckListBoxPreviewFolder;

    void btnSelectallClick();
    void btnUnselectAllClick();
    // Washes the checked files, sets the file counters and closes the dialog.
    void btnwasherClick();
    void SpeedButton1Click();

protected:
    void FormCreate() override;
};
