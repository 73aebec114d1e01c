// Netscape profile detection: the check at first activation, the drive search and the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "catalogue/Macros.h"
#include "dialogs/NetscapeDetectDialog.h"
#include "dialogs/NetscapeDetectDialogRes.h"
#include "platform/Profile.h"
#include "settings/ProfileSearch.h"
#include "tests/support/Dialogs.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"
#include "tests/support/Wait.h"

namespace {
std::string UserSection() { return ExpandMacros("{username}"); }

// A drive letter of the test prefix mapped to a folder while it lives: a link in the
// prefix's dosdevices folder, as winecfg makes one.
class MappedDrive {
public:
    MappedDrive(const std::string& letter, const std::string& target) : root_(letter + ":\\") {
        const char* prefix = getenv("WINEPREFIX");
        if (!prefix || GetFileAttributesA(root_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
        link_ = std::string(prefix) + "/dosdevices/" + letter + ":";
        StartHost("/bin/ln -s \"" + HostPath(target) + "\" \"" + link_ + "\"");
        WaitUntil([this] { return Mapped(); }, 5000);
    }
    ~MappedDrive() {
        if (link_.empty()) return;
        StartHost("/bin/rm -f \"" + link_ + "\"");
        WaitUntil([this] { return !Mapped(); }, 5000);
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    bool Mapped() const { return GetFileAttributesA(root_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    const std::string& Root() const { return root_; }

private:
    std::string root_;
    std::string link_;
};

class DetectTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"tree", "tree\\a", "tree\\a\\Profile.SLT", "tree\\a\\Profile.SLT\\inner.slt",
                                   "tree\\b.slt", "tree\\hidden.slt", "tree\\.dot", "tree\\.dot\\x.slt",
                                   "other", "other\\linked.slt"})
            CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
        SetFileAttributesA((dir.Path() + "tree\\hidden.slt").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
        WriteTextFile(dir.Path() + "tree\\file.slt", "not a folder");
    }
    std::string Ini() const { return dir.Path() + "wildcard.ini"; }

    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    TestKey key{"Detect"};
};
}  // namespace

TEST_F(DetectTest, CheckRunsOnlyWithTheKeyAndWithoutAnExistingProfile) {
    std::string netscape = "\\" + key.Path() + "\\Netscape";
    EXPECT_FALSE(NetscapeCheckNeeded(Ini(), netscape));  // no Netscape key
    key.Create("Netscape");
    EXPECT_TRUE(NetscapeCheckNeeded(Ini(), netscape));  // no stored path
    ProfileFile ini(Ini());
    ini.WriteString(UserSection(), "Netscape Path", dir.Path() + "tree\\b.slt");
    EXPECT_FALSE(NetscapeCheckNeeded(Ini(), netscape));
    ini.WriteString(UserSection(), "Netscape Path", dir.Path() + "tree\\gone.slt");
    EXPECT_TRUE(NetscapeCheckNeeded(Ini(), netscape));
    ini.WriteBool("Detect", "Detect directory at load", false);
    EXPECT_FALSE(NetscapeCheckNeeded(Ini(), netscape));
}

TEST_F(DetectTest, SearchFindsPlainProfileFoldersOnAMappedDriveWithoutFollowingLinks) {
    FolderLink link(dir.Path() + "other", dir.Path() + "tree\\a\\link");
    ASSERT_TRUE(link.Made());
    MappedDrive drive("q", dir.Path() + "tree\\");
    ASSERT_TRUE(drive.Mapped());
    ASSERT_EQ(GetDriveTypeA(drive.Root().c_str()), static_cast<UINT>(DRIVE_FIXED));
    std::vector<std::string> found;
    ProfileSearch search;
    search.OnFound = [&](const std::string& path) { found.push_back(path); };
    EXPECT_TRUE(search.Run({drive.Root(), "?:\\", "a:\\"}));
    // A folder's own matches first, then its subfolders; capital letters match too.
    EXPECT_EQ(found, (std::vector<std::string>{"q:\\b.slt", "q:\\a\\Profile.SLT", "q:\\a\\Profile.SLT\\inner.slt"}));

    int ticks = 0;
    search.KeepGoing = [&] { return ++ticks < 1; };
    search.OnFound = [&](const std::string&) {};
    WriteTextFile(dir.Path() + "tree\\many.txt", "");
    for (int i = 0; i < 100; ++i) CreateDirectoryA((dir.Path() + "tree\\a\\d" + std::to_string(i)).c_str(), nullptr);
    EXPECT_FALSE(search.Run({drive.Root()}));  // stopped
    EXPECT_EQ(ticks, 1);
}

TEST_F(DetectTest, DialogAutoDetectStoresTheChosenFolderAndTheCheckBox) {
    MappedDrive drive("q", dir.Path() + "tree\\");
    ASSERT_TRUE(drive.Mapped());
    ProfileFile(Ini()).WriteBool("Detect", "Detect directory at load", false);
    NetscapeDetectDialog form;
    form.SettingsFile = Ini();
    form.UserSection = "Tester";
    form.SearchRoots = {drive.Root()};
    const int result = RunDialog(form, "Detect Netscape Directory", [&](UiDriver& driver, HWND w) {
        // The stored choice is shown: closing keeps detection off.
        EXPECT_EQ(SendDlgItemMessageA(w, IDC_NetscapeDetect_DontShowAgain, BM_GETCHECK, 0, 0), BST_CHECKED);
        UiDriver::Click(w, IDC_NetscapeDetect_Ok);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box),
                  "Please click Auto or Manually Detect Folder button\rto detect Netscape profile "
                  "directory and select one");
        driver.Answer(box, IDOK);
        ASSERT_TRUE(driver.WaitGone(box));
        UiDriver::Click(w, IDC_NetscapeDetect_Auto);
        box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "This may take a few minutes,continue?");
        driver.Answer(box, IDYES);
        ASSERT_TRUE(driver.WaitGone(box));
        WaitUntil([&] { return SendDlgItemMessageA(w, IDC_NetscapeDetect_Folders, LB_GETCOUNT, 0, 0) >= 3; }, 2000);
        EXPECT_EQ(SendDlgItemMessageA(w, IDC_NetscapeDetect_Folders, LB_GETCURSEL, 0, 0), 0);
        UiDriver::Click(w, IDC_NetscapeDetect_Ok);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.Candidates.size(), 3u);
    EXPECT_EQ(ProfileFile(Ini()).ReadString("Tester", "Netscape Path"), "q:\\b.slt");
    EXPECT_EQ(ProfileFile(Ini()).ReadString("Detect", "Detect directory at load"), "0");

    // A second showing offers the same candidates; unchecking the box turns detection on.
    RunDialog(form, "Detect Netscape Directory", [&](UiDriver&, HWND w) {
        EXPECT_EQ(SendDlgItemMessageA(w, IDC_NetscapeDetect_Folders, LB_GETCOUNT, 0, 0), 3);
        SendDlgItemMessageA(w, IDC_NetscapeDetect_DontShowAgain, BM_SETCHECK, BST_UNCHECKED, 0);
        UiDriver::Click(w, IDC_NetscapeDetect_Cancel);
    });
    EXPECT_EQ(ProfileFile(Ini()).ReadString("Detect", "Detect directory at load"), "1");
}

TEST_F(DetectTest, AFolderThatIsNoProfileIsStoredOnlyAfterAWarning) {
    NetscapeDetectDialog form;
    form.SettingsFile = Ini();
    form.UserSection = "Tester";
    form.SetManualFolder(dir.Path() + "other");
    for (int answer : {IDNO, IDYES}) {
        RunDialog(form, "Detect Netscape Directory", [&](UiDriver& driver, HWND w) {
            HWND box = driver.ClickForMessageBox(w, IDC_NetscapeDetect_Ok);
            ASSERT_NE(box, nullptr);
            std::string text = UiDriver::MessageBoxText(box);
            EXPECT_NE(text.find(dir.Path() + "other"), std::string::npos) << text;
            EXPECT_NE(text.find("{netscape}"), std::string::npos) << text;
            driver.Answer(box, answer);
            ASSERT_TRUE(driver.WaitGone(box));
            ASSERT_TRUE(driver.WaitClicksHandled());
            EXPECT_EQ(IsWindowVisible(w) != FALSE, answer == IDNO);
            if (answer == IDNO) {
                EXPECT_EQ(ProfileFile(Ini()).ReadString("Tester", "Netscape Path"), "");
                UiDriver::Click(w, IDC_NetscapeDetect_Cancel);
            }
        });
    }
    EXPECT_EQ(ProfileFile(Ini()).ReadString("Tester", "Netscape Path"), dir.Path() + "other");
}
