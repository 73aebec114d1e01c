#pragma once
// PreviewRegistryDialog: the registry rows of the selected registry entry, each with a check mark.
#include "dialogs/PreviewCommon.h"

class PreviewRegistryDialog : public PreviewDialogBase {
public:
    PreviewRegistryDialog();

    CheckList RegistryList;
    // Set before the dialog is shown: why the entry lists nothing, shown below the list.
    std::string Note;

    void OnSelectAll();
    void OnUnselectAll();
    // Washes the checked rows, sets the registry counters and closes the dialog.
    void OnWash();
    void OnClose();

protected:
    void FormCreate() override;
};
