#pragma once
// TFormPreviewregister: the registry rows of the selected registry entry, each with a check mark.
#include "dialogs/PreviewCommon.h"

class TFormPreviewregister : public TFormPreview {
public:
    TFormPreviewregister();

    CheckList CheckListBoxPreviewregister;
    // Set before the dialog is shown: why the entry lists nothing, shown below the list.
    std::string Note;

    void btnSelectallClick();
    void btnUnselectAllClick();
    // Washes the checked rows, sets the registry counters and closes the dialog.
    void btnwasherClick();
    void SpeedButton1Click();

protected:
    void FormCreate() override;
};
