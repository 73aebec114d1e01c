#pragma once
// NetscapeDetectDialog: finds Netscape profile folders (names ending in ".slt") on the drives or lets
// the user pick one, and stores the chosen folder as "Netscape Path" of the user's section.
// One object lives for the whole run; its candidates and selection outlast each showing.
#include <string>
#include <vector>

#include "platform/Form.h"

class NetscapeDetectDialog : public Form {
public:
    NetscapeDetectDialog();

    // Inputs.
    std::string SettingsFile;
    std::string UserSection;  // the section named by the user name
    std::vector<std::string> SearchRoots;

    // The candidates and the selected one (-1: none), kept between showings.
    std::vector<std::string> Candidates;
    int SelectedRow = -1;

    // Auto detect: asks, then searches the drives with the hourglass; Cancel stops it.
    void OnAutoDetect();
    // Manually detect: the folder browser.
    void OnManualDetect();
    // A folder picked by hand replaces every candidate.
    void SetManualFolder(const std::string& folder);
    // "&Ok": stores the selected folder, asking first when it is no profile folder.
    void OnOk();
    void OnCancel();
    bool Searching() const { return searching_; }

protected:
    void FormCreate() override;
    void CloseQuery() override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillList();
    void Finish(int result);
    bool PumpDuringSearch();

    bool searching_ = false;
    bool cancelSearch_ = false;
};

// The check at the first activation: true when detection is on, the Netscape key exists
// under HKEY_CURRENT_USER and "{netscape}" names no existing folder.
bool NetscapeCheckNeeded(const std::string& settingsFile, const std::string& netscapeKey = "\\Software\\Netscape");
