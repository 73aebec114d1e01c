#pragma once
// PreviewAllDialog: the special items (tab "Clean Special"), files (tab "Clean Folder/File") and
// registry rows (tab "Clean Registry Entry") of all checked wash items, each with a check mark.
#include "dialogs/PreviewCommon.h"

class PreviewAllDialog : public PreviewDialogBase {
public:
    PreviewAllDialog();

    CheckList SpecialList;
    CheckList FileList;
    CheckList RegistryList;

    void OnSelectAllSpecials();
    void OnUnselectAllSpecials();
    void OnSelectAllFiles();
    void OnUnselectAllFiles();
    void OnSelectAllRegistry();
    void OnUnselectAllRegistry();
    // Washes the checked files and registry rows in one log block, sets all four counters,
    // runs each checked special item, and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;
};
