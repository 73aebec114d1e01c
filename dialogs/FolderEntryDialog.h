#pragma once
// FolderEntryDialog: the editor of one folder/file entry. The caller puts the entry into Entry,
// shows the dialog modally and, after mrOK, takes Entry back with the controls stored in it.
#include <string>

#include "catalogue/WashItem.h"
#include "platform/Form.h"

class FolderEntryDialog : public Form {
public:
    FolderEntryDialog();

    std::string Caption = "Add Edit Folder";
    FolderEntry Entry;

    // Entry transfer: load copies Entry into the controls, store the controls into Entry
    // (texts without surrounding blanks).
    void TransferEntry(bool load);

    // Closes with mrOK when a name is given and the chosen kind names its place in full;
    // an empty name does nothing, a relative path, a key without a root or an age limit that
    // is no whole number of hours is refused. An entry that comes to name a protected place
    // asks first (once: not when it named it already).
    void OnSave();
    void OnCancel() { Close(mrCancel); }
    void OnHelp() { ShowHelp(); }
    void OnSelectFile();
    // Puts the folder and mask picked in the select-by-wildcard dialog into the folder box.
    void OnSelectByWildcard();
    void OnRegedit();

protected:
    void FormCreate() override;
};
