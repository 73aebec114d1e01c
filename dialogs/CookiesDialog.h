#pragma once
// CookiesDialog: left, the sites with cookies or site data in the browsers' profiles, with
// counts and a filter; right, the sites whose cookies every wash keeps. Sites move across both
// ways; Delete and Delete All remove the data of sites on the left at once, after a question.
// OK stores the kept list in the settings file; an administrator's list is shown greyed.
#include <functional>
#include <string>
#include <vector>

#include "engine/SiteData.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "settings/Policies.h"

class CookiesDialog : public Form {
public:
    CookiesDialog();

    // Inputs, set before the dialog is shown.
    std::string SettingsFile;
    const Policies* Held = nullptr;
    // The profiles whose sites are listed; read again after a deletion (none: the profiles as given).
    std::vector<SiteDataProfile> Profiles;
    std::function<std::vector<SiteDataProfile>()> FindProfiles;
    // Answers the file dialogs of Import and Export in place of the user when set (tests).
    std::function<std::string(const FileDialogRequest&)> FileDialogChoice;

    // The kept sites as the right list holds them now.
    const std::vector<std::string>& Kept() const { return kept_; }
    // The sites the left list shows now (not kept, matching the filter), in order.
    std::vector<std::string> ShownSites() const;

    void OnFilterChanged();
    void OnKeep();
    void OnRelease();
    void OnDelete() { DeleteSites(false); }
    void OnDeleteAll() { DeleteSites(true); }
    void OnImport();
    void OnExport();
    void OnOK();
    void OnCancel() { Close(mrCancel); }
    // Adds the sites of a keep-list file, naming the lines refused.
    void ImportFile(const std::string& path);

protected:
    void FormCreate() override;
    void DpiChanged() override;

private:
    bool PolicyHeld() const { return Held && Held->CookiesToKeepHeld(); }
    void FillSites();
    void FillKept();
    void SetColumnWidths();
    std::vector<int> SelectedSiteRows() const;
    // Removes the data of the selected sites (all: every site shown) after the question.
    void DeleteSites(bool all);
    std::string ChooseFile(const FileDialogRequest& request);

    std::vector<SiteData> sites_;
    std::vector<size_t> shown_;  // index into sites_ of each left row
    std::vector<std::string> kept_;
};
