#pragma once
// SelectByWildcardDialog: picks a folder in the shell's folder tree and a file mask from the
// wildcard list (which its button edits).
#include <string>

#include "dialogs/ShellTree.h"
#include "platform/Form.h"

// Sent to the dialog: selects the file-system folder whose path lParam points to (a char
// string), expanding the tree down to it. The result is TRUE when the folder was found.
inline constexpr UINT SelectFolderMessage = WM_APP + 20;

class SelectByWildcardDialog : public Form {
public:
    explicit SelectByWildcardDialog(std::string settingsFile);  // program dir + "wildcard.ini"
    // After ShowModal returned mrOK: the folder path, a backslash unless it ends in one,
    // then the mask trimmed of blanks.
    std::string JoinedPattern() const;

    void OnFolderChanged();
    void OnEditWildcards();
    void OnOk();
    void OnCancel() { Close(mrCancel); }

protected:
    void FormCreate() override;
    void FormDestroy() override;
    void DpiChanged() override;
    bool Notify(NMHDR* header, LRESULT& result) override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Steps of the form's creation that the wildcard editor's OK repeats.
    void LoadWildcards();

    std::string settingsFile_;
    ShellTree FolderTree;
    bool comReady_ = false;
    std::string folder_;
    std::string mask_;
};
