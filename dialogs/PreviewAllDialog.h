#pragma once
// PreviewAllDialog: a summary of each checked wash item (tab "Summary"), then the special
// items (tab "Clean Special"), files (tab "Clean Folder/File") and registry rows (tab "Clean
// Registry Entry") of all checked wash items, each with a check mark.
#include "dialogs/PreviewCommon.h"
#include "dialogs/SummaryList.h"

class PreviewAllDialog : public PreviewDialogBase {
public:
    PreviewAllDialog();

    CheckList SpecialList;
    CheckList FileList;
    CheckList RegistryList;
    // Its Rows are filled by the caller, one per checked wash item.
    SummaryList Summary;

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
    bool Notify(NMHDR* header, LRESULT& result) override;
    void DpiChanged() override;
};
