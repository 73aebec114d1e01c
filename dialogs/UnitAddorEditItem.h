#pragma once
// TFormAddEditItem: the editor of a wash item's name and active flag. The caller sets the
// fields, shows it modally and, after mrOK, reads the fields back; every check beyond "a name
// is given" is the caller's.
#include <string>

#include "platform/Form.h"

class TFormAddEditItem : public TForm {
public:
    TFormAddEditItem();

    std::string Caption = "Add or Edit Item";
    // In: the name shown. Out (after mrOK): the name typed, without surrounding blanks.
    std::string Edititemname;
    bool Chisactive = true;
    // The wash item file, shown read-only.
    std::string LabelStore;

    // Closes with mrOK unless the name is empty or blank; then nothing happens.
    void btnSaveClick();
    void btncancelClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
};
