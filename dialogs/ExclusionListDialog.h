#pragma once
// ExclusionListDialog: edits the exclusion list of the settings file; "A&pply" writes it.
#include <string>

#include "platform/Form.h"

class ExclusionListDialog : public Form {
public:
    explicit ExclusionListDialog(std::string settingsFile);  // program dir + "wildcard.ini"

    // Reading: section "Exclude Files" into ExclusionBox; writing: ExclusionBox into the section.
    void TransferExclusionList(bool read);

    void OnAddByWildcard();
    void OnAddByFileName();
    void OnMoveUp();
    void OnMoveDown();
    void OnDelete();
    void OnDeleteAll();
    void OnApply();
    void OnCancel() { Close(mrCancel); }
    void OnHelp();

protected:
    void FormCreate() override;
    void DpiChanged() override;

private:
    void ShowButtonImages();
    HWND ExclusionBox() const;
    std::string settingsFile_;
};
