// The Cookies dialog: the sites with data beside the kept sites, moving across, deleting, the
// filter, import, and the administrator's list shown greyed.
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/CookiesToKeep.h"
#include "dialogs/CookiesDialog.h"
#include "dialogs/CookiesDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/support/ListCells.h"
#include "tests/support/PolicyKey.h"

namespace {
class CookiesDialogTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"ff", "ff\\storage", "ff\\storage\\default", "cr", "cr\\IndexedDB"})
            CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
        for (const char* site : {"https+++www.bank.example", "https+++ads.tracker.example", "http+++a.localhost+8080"})
            CreateDirectoryA(Storage(site).c_str(), nullptr);
        for (const char* site : {"https_ads.tracker.example_0.indexeddb.leveldb", "https_news.example_0.indexeddb.leveldb"})
            CreateDirectoryA((dir.Path() + "cr\\IndexedDB\\" + site).c_str(), nullptr);
        WriteTextFile(Storage("https+++www.bank.example") + "\\ls.sqlite", "signed in");
        form.SettingsFile = Settings();
        form.Profiles = {{true, dir.Path() + "ff", "Firefox"}, {false, dir.Path() + "cr", "Chromium"}};
    }
    std::string Settings() const { return dir.Path() + "wildcard.ini"; }
    std::string Storage(const std::string& origin) const { return dir.Path() + "ff\\storage\\default\\" + origin; }
    static void SelectSite(HWND dialog, int row) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageA(GetDlgItem(dialog, IDC_Cookies_Sites), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    static std::vector<std::string> Sites(HWND dialog) { return ListRows(GetDlgItem(dialog, IDC_Cookies_Sites), 3); }

    TempDir dir;
    CookiesDialog form;
};
}  // namespace

// A kept site leaves the left list with its subdomains; Delete All takes the sites the filter
// shows, after the question, and never a kept one; OK stores the kept list.
TEST_F(CookiesDialogTest, KeptSitesMoveAcrossAndDeletingSparesThem) {
    std::vector<std::string> before, kept, filtered, question;
    RunDialog(form, "Cookies", [&](UiDriver& driver, HWND dialog) {
        before = Sites(dialog);
        SelectSite(dialog, 3);
        SendClick(dialog, IDC_Cookies_Keep);
        kept = ListBoxTexts(GetDlgItem(dialog, IDC_Cookies_Kept));
        SetText(GetDlgItem(dialog, IDC_Cookies_Filter), "EXAMPLE");
        filtered = Sites(dialog);
        HWND box = driver.ClickForMessageBox(dialog, IDC_Cookies_DeleteAll);
        ASSERT_NE(box, nullptr);
        question.push_back(UiDriver::MessageBoxText(box));
        driver.Answer(box, IDYES);
        EXPECT_TRUE(driver.WaitGone(box));
        SetText(GetDlgItem(dialog, IDC_Cookies_Filter), "");
        question.push_back(std::to_string(Sites(dialog).size()));
        UiDriver::Click(dialog, IDC_Cookies_OK);
    });
    EXPECT_EQ(before, (std::vector<std::string>{"a.localhost|0|1", "ads.tracker.example|0|2", "news.example|0|1",
                                                "www.bank.example|0|1"}));
    EXPECT_EQ(kept, (std::vector<std::string>{"www.bank.example"}));
    EXPECT_EQ(filtered, (std::vector<std::string>{"ads.tracker.example|0|2", "news.example|0|1"}));
    EXPECT_EQ(question, (std::vector<std::string>{"Delete the cookies and site data of 2 sites now? You will be "
                                                  "signed out of them.", "1"}));
    EXPECT_TRUE(FileExists(Storage("https+++www.bank.example") + "\\ls.sqlite"));
    EXPECT_TRUE(FileExists(Storage("http+++a.localhost+8080")));
    EXPECT_FALSE(FileExists(Storage("https+++ads.tracker.example")));
    EXPECT_FALSE(FileExists(dir.Path() + "cr\\IndexedDB\\https_news.example_0.indexeddb.leveldb"));
    EXPECT_EQ(ReadKeepList(Settings()), (std::vector<std::string>{"www.bank.example"}));
}

// Import adds the file's sites and names the lines it refused; Cancel stores nothing.
TEST_F(CookiesDialogTest, ImportAddsTheFilesSitesAndNamesTheRefusedLines) {
    WriteKeepList(Settings(), {"mine.example"});
    WriteTextFile(dir.Path() + "sites.txt", "Bank.Example\r\nnot a site\r\n\r\nmine.example\r\n");
    form.FileDialogChoice = [&](const FileDialogRequest&) { return dir.Path() + "sites.txt"; };
    std::vector<std::string> kept;
    std::string refusal;
    RunDialog(form, "Cookies", [&](UiDriver& driver, HWND dialog) {
        HWND box = driver.ClickForMessageBox(dialog, IDC_Cookies_Import);
        ASSERT_NE(box, nullptr);
        refusal = UiDriver::MessageBoxText(box);
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        kept = ListBoxTexts(GetDlgItem(dialog, IDC_Cookies_Kept));
        UiDriver::Click(dialog, IDC_Cookies_Cancel);
    });
    EXPECT_EQ(refusal, "These lines are not host names of sites (like example.com) and were not imported:\nnot a site");
    EXPECT_EQ(kept, (std::vector<std::string>{"bank.example", "mine.example"}));
    EXPECT_EQ(ReadKeepList(Settings()), (std::vector<std::string>{"mine.example"}));
}

// The administrator's list is shown greyed in place of the user's, keeps its sites out of the left
// list, and OK leaves the user's own list as it was.
TEST_F(CookiesDialogTest, ThePolicyListIsShownGreyedAndTheUsersListKept) {
    WriteKeepList(Settings(), {"a.localhost"});
    PolicyKey key("Software\\Policies\\VarnoltTests_CookiesDialog" + std::to_string(GetCurrentProcessId()));
    key.SetList(HKEY_CURRENT_USER, "CookiesToKeep", {"tracker.example"});
    const Policies held = ReadPolicies(key.Path());
    form.Held = &held;
    std::vector<std::string> kept, sites;
    bool listEnabled = true, keepEnabled = true;
    RunDialog(form, "Cookies", [&](UiDriver&, HWND dialog) {
        kept = ListBoxTexts(GetDlgItem(dialog, IDC_Cookies_Kept));
        sites = Sites(dialog);
        listEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_Cookies_Kept));
        keepEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_Cookies_Keep));
        UiDriver::Click(dialog, IDC_Cookies_OK);
    });
    EXPECT_EQ(kept, (std::vector<std::string>{"tracker.example"}));
    EXPECT_EQ(sites, (std::vector<std::string>{"a.localhost|0|1", "news.example|0|1", "www.bank.example|0|1"}));
    EXPECT_FALSE(listEnabled);
    EXPECT_FALSE(keepEnabled);
    EXPECT_EQ(ReadKeepList(Settings()), (std::vector<std::string>{"a.localhost"}));
}
