#pragma once
// TFormPreviewAll: the special items (tab "Clean Special"), files (tab "Clean Folder/File") and
// registry rows (tab "Clean Registry Entry") of all checked wash items, each with a check mark.
#include "dialogs/PreviewCommon.h"

class TFormPreviewAll : public TFormPreview {
public:
    TFormPreviewAll();

    CheckList CheckListBoxSpecial;
    CheckList CheckListBoxPreviewFolder;
    CheckList CheckListBoxPreviewregister;

    void AllbtnSelectallClick();
    void AllbtnUnselectAllClick();
    void btnSelectallClick();
    void btnUnselectAllClick();
    void NewbtnSelectallClick();
    void NewbtnUnselectAllClick();
    // Washes the checked files and registry rows in one log block, sets all four counters,
    // runs each checked special item, and closes the dialog.
    void btnWashAllClick();
    void SpeedButton2Click();

protected:
    void FormCreate() override;
};
