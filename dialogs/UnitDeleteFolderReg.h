#pragma once
// TFormPreviewFolderRegister: the files (tab "Washer Folder") and registry rows (tab
// "Washer Register") of the current wash item, each with a check mark.
#include "dialogs/PreviewCommon.h"

class TFormPreviewFolderRegister : public TFormPreview {
public:
    TFormPreviewFolderRegister();

    CheckList CheckListBoxPreviewFolder;
    CheckList CheckListBoxPreviewregister;

    void btnSelectallClick();
    void btnUnselectAllClick();
    void NewbtnSelectallClick();
    void NewbtnUnselectAllClick();
    // Washes the checked files and registry rows, sets all four counters and closes the dialog.
    void btnwasherClick();
    void SpeedButton1Click();

protected:
    void FormCreate() override;
};
