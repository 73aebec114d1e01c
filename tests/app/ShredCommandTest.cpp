// varnolt.exe /shred PATH...: what the preview lists, what it refuses, and that nothing goes
// before "&Wash".
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "app/CommandLine.h"
#include "catalogue/WashItem.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "engine/ShredTargets.h"
#include "tests/support/Dialogs.h"
#include "tests/support/ListCells.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"

namespace {

class ShredTest : public testing::Test {
protected:
    void SetUp() override {
        folder = temp.Path() + "Project";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\drafts").c_str(), nullptr);
        WriteTextFile(folder + "\\plan.txt", "plan");
        WriteTextFile(folder + "\\drafts\\one.txt", "draft");
        CreateDirectoryA((temp.Path() + "Elsewhere").c_str(), nullptr);
        WriteTextFile(temp.Path() + "Elsewhere\\keep.txt", "keep");
    }

    // Runs /shred on paths while script drives its preview.
    void Shred(const std::vector<std::wstring>& paths, const std::function<void(UiDriver&, HWND)>& script) {
        ProgramDirScope scope(temp.Path());
        RunDialog([&] { RunShredCommand(paths); }, "Shred with Varnolt", script);
    }

    TempDir temp;
    std::string folder;
};

}  // namespace

// The folder's files are shown and stay until "&Wash"; a link inside is neither listed nor
// entered, and the folder holding it stays.
TEST_F(ShredTest, AFolderIsShownWholeAndGoesOnlyOnWash) {
    FolderLink link(temp.Path() + "Elsewhere", folder + "\\drafts\\elsewhere");
    if (!link.Made()) GTEST_SKIP() << "needs folder links";
    std::wstring path(folder.begin(), folder.end());
    for (int button : {IDC_PreviewFiles_Close, IDC_PreviewFiles_Wash}) {
        SCOPED_TRACE(button);
        Shred({path}, [&](UiDriver&, HWND dialog) {
            const std::vector<std::string> shown = ListRows(GetDlgItem(dialog, IDC_PreviewFiles_Files));
            std::set<std::string> rows(shown.begin(), shown.end());
            EXPECT_TRUE(rows.count(folder + "\\plan.txt"));
            EXPECT_TRUE(rows.count(folder + "\\drafts\\one.txt"));
            for (const auto& row : rows) EXPECT_EQ(row.find("keep.txt"), std::string::npos) << row;
            EXPECT_EQ(ReadTextFile(folder + "\\plan.txt"), "plan");
            UiDriver::Click(dialog, button);
        });
        bool washed = button == IDC_PreviewFiles_Wash;
        EXPECT_EQ(FileExists(folder + "\\plan.txt"), !washed);
        EXPECT_EQ(FileExists(folder + "\\drafts\\one.txt"), !washed);
        EXPECT_EQ(ReadTextFile(temp.Path() + "Elsewhere\\keep.txt"), "keep");
    }
    // The folder holding the link is not empty: it and its parent stay.
    EXPECT_TRUE(FileExists(folder + "\\drafts"));
}

TEST_F(ShredTest, AnEmptiedFolderGoesWithItsFiles) {
    std::wstring path(folder.begin(), folder.end());
    Shred({path, path + L"\\plan.txt"}, [](UiDriver&, HWND dialog) { UiDriver::Click(dialog, IDC_PreviewFiles_Wash); });
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(FileExists(temp.Path() + "Elsewhere\\keep.txt"));
}

TEST(ShredTargets, RefusesWhatNoUserMeansToShred) {
    char windows[MAX_PATH], profile[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    std::string profiles = std::string(profile).substr(0, std::string(profile).find_last_of('\\'));
    TempDir temp;
    FolderLink link(temp.Path(), temp.Path() + "..\\link-" + std::to_string(GetCurrentProcessId()));
    struct Case {
        std::string path, says;
    };
    std::vector<Case> cases = {{temp.Path() + "missing.txt", "does not exist"},
                               {"C:\\", "whole drive"},
                               {"c:", "whole drive"},
                               {windows, "Windows folder"},
                               {std::string(windows) + "\\", "Windows folder"},
                               {std::string(windows, 3) + "Program Files", "Program Files"},
                               {profile, "profile folder"},
                               {profiles, "profile folder"},
                               {profiles + "\\Public", "profile folder"}};
    if (link.Made()) cases.push_back({temp.Path() + "..\\link-" + std::to_string(GetCurrentProcessId()), "link"});
    for (const auto& c : cases) {
        std::string refusal = ShredRefusal(c.path);
        EXPECT_NE(refusal.find(c.says), std::string::npos) << c.path << ": " << refusal;
        EXPECT_EQ(refusal.rfind(c.path, 0), 0u) << refusal;
    }
    std::vector<std::string> rows;
    auto refusals = CollectShredRows({"C:\\", temp.Path()}, rows);
    EXPECT_EQ(refusals.size(), 1u);
    EXPECT_EQ(rows, std::vector<std::string>{temp.Path() + RemoveFolderMarker});
    EXPECT_EQ(ShredRefusal(temp.Path()), "");
}
