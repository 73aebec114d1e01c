#pragma once
// RegistryEntryDialog: the editor of one registry entry. The caller puts the entry into Entry, shows
// the dialog modally and, after mrOK, takes Entry back with the controls stored in it.
#include <string>

#include "catalogue/WashItem.h"
#include "platform/Form.h"

class RegistryEntryDialog : public Form {
public:
    RegistryEntryDialog();

    std::string Caption = "Add Edit Register";
    RegistryEntry Entry;

    // Entry transfer: load copies Entry into the controls, store the controls into Entry
    // (texts without surrounding blanks).
    void TransferEntry(bool load);

    // Closes with mrOK when a name and a key are given and the key starts with a root key name;
    // a missing name or key does nothing, a key without a known root or below it is refused.
    void OnSave();
    void OnCancel() { Close(mrCancel); }
    void OnHelp() { ShowHelp(); }
    void OnRegedit();

protected:
    void FormCreate() override;
};
