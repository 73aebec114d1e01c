#include "dialogs/CookiesDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "catalogue/CookiesToKeep.h"
#include "dialogs/CookiesDialogRes.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ListBoxRows.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/SettingsTexts.h"

namespace {
const UINT ColumnTitles[] = {IDS_Dlg_CookiesSite, IDS_Dlg_CookiesCount, IDS_Dlg_CookiesStorage};

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string SiteListFilter() { return Text(IDS_Dlg_CookiesFileFilter) + "|*.txt"; }

// The lines of a list, at most a screenful, for a message.
std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < 20; ++i) text += "\n" + lines[i];
    if (lines.size() > 20) text += "\n...";
    return text;
}
}  // namespace

CookiesDialog::CookiesDialog() : Form(IDD_CookiesDialog) { HelpContext = 71; }

void CookiesDialog::FormCreate() {
    HWND list = Control(IDC_Cookies_Sites);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    for (int c = 0; c < 3; ++c) {
        std::wstring title = Widen(Text(ColumnTitles[c]));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    SetColumnWidths();

    kept_ = PolicyHeld() ? KeepListInForce(SettingsFile, *Held) : ReadKeepList(SettingsFile);
    std::sort(kept_.begin(), kept_.end());
    if (Profiles.empty() && FindProfiles) Profiles = FindProfiles();
    sites_ = ListSiteData(Profiles);
    FillKept();
    FillSites();
    if (PolicyHeld()) {
        for (int id : {IDC_Cookies_Kept, IDC_Cookies_Keep, IDC_Cookies_Release, IDC_Cookies_Import})
            EnableControl(id, false);
        SetControlText(IDC_Cookies_Held, Text(IDS_SetByAdministrator));
    }

    Bind(IDC_Cookies_Filter, EN_CHANGE, [this] { OnFilterChanged(); });
    OnClick(IDC_Cookies_Keep, [this] { OnKeep(); });
    OnClick(IDC_Cookies_Release, [this] { OnRelease(); });
    OnClick(IDC_Cookies_Delete, [this] { OnDelete(); });
    OnClick(IDC_Cookies_DeleteAll, [this] { OnDeleteAll(); });
    OnClick(IDC_Cookies_Import, [this] { OnImport(); });
    OnClick(IDC_Cookies_Export, [this] { OnExport(); });
    OnClick(IDC_Cookies_OK, [this] { OnOK(); });
    OnClick(IDC_Cookies_Cancel, [this] { OnCancel(); });
    OnClick(IDC_Cookies_Help, [this] { ShowHelp(); });
}

void CookiesDialog::DpiChanged() { SetColumnWidths(); }

void CookiesDialog::SetColumnWidths() {
    HWND list = Control(IDC_Cookies_Sites);
    RECT rc;
    GetClientRect(list, &rc);
    // The numbers' columns are wide enough for their titles in every language.
    auto fit = [&](UINT title, int least) {
        const int text = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0,
                                                       reinterpret_cast<LPARAM>(Widen(Text(title)).c_str())));
        return std::max(Scale(least), text + Scale(16));
    };
    const int count = fit(IDS_Dlg_CookiesCount, 48), storage = fit(IDS_Dlg_CookiesStorage, 52);
    const int rest = rc.right - rc.left - GetSystemMetrics(SM_CXVSCROLL) - count - storage;
    ListView_SetColumnWidth(list, 0, std::max(rest, Scale(80)));
    ListView_SetColumnWidth(list, 1, count);
    ListView_SetColumnWidth(list, 2, storage);
}

std::vector<std::string> CookiesDialog::ShownSites() const {
    std::vector<std::string> hosts;
    for (size_t i : shown_) hosts.push_back(sites_[i].Host);
    return hosts;
}

void CookiesDialog::FillSites() {
    const std::string filter = LowerAscii(Trim(ControlText(IDC_Cookies_Filter)));
    HWND list = Control(IDC_Cookies_Sites);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    shown_.clear();
    for (size_t i = 0; i < sites_.size(); ++i) {
        const SiteData& site = sites_[i];
        if (KeepsSite(kept_, site.Host) || (!filter.empty() && site.Host.find(filter) == std::string::npos)) continue;
        const int row = static_cast<int>(shown_.size());
        shown_.push_back(i);
        const std::wstring cells[] = {Widen(site.Host), std::to_wstring(site.Cookies), std::to_wstring(site.Storage)};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(cells[0].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 3; ++c) {
            LVITEMW cell{};
            cell.iSubItem = c;
            cell.pszText = const_cast<wchar_t*>(cells[c].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    EnableControl(IDC_Cookies_DeleteAll, !shown_.empty());
}

void CookiesDialog::FillKept() {
    SetListBoxRows(Control(IDC_Cookies_Kept), kept_);
    FitHorizontalExtent(Control(IDC_Cookies_Kept));
}

std::vector<int> CookiesDialog::SelectedSiteRows() const {
    std::vector<int> rows;
    HWND list = Control(IDC_Cookies_Sites);
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0; row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void CookiesDialog::OnFilterChanged() { FillSites(); }

void CookiesDialog::OnKeep() {
    if (PolicyHeld()) return;
    for (int row : SelectedSiteRows()) AddSite(kept_, sites_[shown_[row]].Host);
    std::sort(kept_.begin(), kept_.end());
    FillKept();
    FillSites();
}

void CookiesDialog::OnRelease() {
    if (PolicyHeld()) return;
    HWND box = Control(IDC_Cookies_Kept);
    std::vector<std::string> remaining;
    for (int i = 0; i < static_cast<int>(kept_.size()); ++i)
        if (SendMessageW(box, LB_GETSEL, i, 0) <= 0) remaining.push_back(kept_[i]);
    kept_ = std::move(remaining);
    FillKept();
    FillSites();
}

void CookiesDialog::DeleteSites(bool all) {
    // The sites are fixed before the question: what is removed is what the user was asked about.
    std::vector<SiteData> chosen;
    if (all) {
        for (size_t i : shown_) chosen.push_back(sites_[i]);
    } else {
        for (int row : SelectedSiteRows()) chosen.push_back(sites_[shown_[row]]);
    }
    if (chosen.empty()) return;
    const std::string question = chosen.size() == 1
                                     ? FormatText(IDS_Dlg_CookiesDeleteOne, chosen[0].Host)
                                     : FormatText(IDS_Dlg_CookiesDeleteMany, static_cast<int>(chosen.size()));
    if (!AskQuestion(Handle(), question)) return;
    std::vector<std::string> left;
    for (const auto& site : chosen) {
        if (KeepsSite(kept_, site.Host)) continue;
        for (auto& place : RemoveSiteData(site, Profiles)) left.push_back(std::move(place));
    }
    sites_ = ListSiteData(Profiles);
    FillSites();
    if (!left.empty()) ShowRefusal(Handle(), Text(IDS_Dlg_CookiesNotDeleted) + Lines(left));
}

std::string CookiesDialog::ChooseFile(const FileDialogRequest& request) {
    return FileDialogChoice ? FileDialogChoice(request) : ShowFileDialog(Handle(), request);
}

void CookiesDialog::OnImport() {
    if (PolicyHeld()) return;
    FileDialogRequest request{false, Text(IDS_Dlg_CookiesImportTitle), SiteListFilter(), "txt",
                              OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING};
    const std::string source = ChooseFile(request);
    if (!source.empty()) ImportFile(source);
}

void CookiesDialog::ImportFile(const std::string& path) {
    RunGuarded(Handle(), [&] {
        ParsedSiteList read = ReadSiteListFile(path);
        for (const auto& site : read.Sites) AddSite(kept_, site);
        std::sort(kept_.begin(), kept_.end());
        FillKept();
        FillSites();
        if (!read.Refused.empty()) ShowRefusal(Handle(), Text(IDS_Dlg_CookiesRefusedLines) + Lines(read.Refused));
    });
}

void CookiesDialog::OnExport() {
    FileDialogRequest request{true, Text(IDS_Dlg_CookiesExportTitle), SiteListFilter(), "txt",
                              OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING};
    const std::string target = ChooseFile(request);
    if (!target.empty()) RunGuarded(Handle(), [&] { WriteSiteListFile(target, kept_); });
}

void CookiesDialog::OnOK() {
    if (PolicyHeld()) {
        Close(mrOK);
        return;
    }
    // A refused write shows its error and keeps the dialog open with the user's changes.
    if (RunGuarded(Handle(), [this] { WriteKeepList(SettingsFile, kept_); })) Close(mrOK);
}
