#pragma once
// WildcardListDialog: edits the wildcard list of the settings file; "&Ok" writes it.
#include <string>

#include "platform/Form.h"

class WildcardListDialog : public Form {
public:
    explicit WildcardListDialog(std::string settingsFile);  // program dir + "wildcard.ini"

    void OnAdd();
    void OnDelete();
    void OnDeleteAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnOk();
    void OnCancel() { Close(mrCancel); }
    void OnHelp();

protected:
    void FormCreate() override;
    void DpiChanged() override;

private:
    void ShowButtonImages();
    HWND WildcardBox() const;
    std::string settingsFile_;
};
