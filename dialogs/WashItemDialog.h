#pragma once
// WashItemDialog: the editor of a wash item's name and active flag. The caller sets the
// fields, shows it modally and, after mrOK, reads the fields back; every check beyond "a name
// is given" is the caller's.
#include <string>

#include "platform/Form.h"

class WashItemDialog : public Form {
public:
    WashItemDialog();

    std::string Caption = "Add or Edit Item";
    // In: the stored name (a supplied one shows in the language in use). Out (after mrOK): the name
    // typed, without surrounding blanks, or the stored name when the shown one was left unchanged.
    std::string ItemName;
    bool Active = true;
    // The wash item file, shown read-only.
    std::string ItemFile;

    // Closes with mrOK unless the name is empty or blank; then nothing happens.
    void OnSave();
    void OnCancel() { Close(mrCancel); }

protected:
    void FormCreate() override;
};
