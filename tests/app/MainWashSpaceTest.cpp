// The space a wash frees beside the counters and in the tray's tip, why a file stayed, and the
// question about a running browser holding files (a test program running as chrome.exe).
#include "tests/app/MainWashFixture.h"

#include <cstdio>

#include "dialogs/PreviewAllDialogRes.h"
#include "platform/DiskSpace.h"
#include "tests/support/Dialogs.h"
#include "tests/support/Program.h"
#include "tests/support/Wait.h"

namespace {
// Starts the holder as chrome.exe holding file; waits until the file is held or it has ended
// (a slow start under load is no reason to go on).
PROCESS_INFORMATION StartHolderOnce(const std::string& exe, const std::string& file) {
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!StartWithRetry(exe, [&] {
            return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process) != FALSE;
        }))
        return process;
    WaitUntil(
        [&] {
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) return true;
            HANDLE probe = CreateFileA(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
            if (probe == INVALID_HANDLE_VALUE) return true;
            CloseHandle(probe);
            return false;
        },
        30000);
    return process;
}

// Copies the holder program as chrome.exe into folder and starts it holding file. A holder that
// could not open the file (exit code 1: Wine still had it open from the case before) is started
// again, and said so.
PROCESS_INFORMATION StartChrome(const std::string& folder, const std::string& file) {
    std::string exe = folder + "chrome.exe";
    if (!CopyFileA(VARNOLT_HOLDER_EXE, exe.c_str(), FALSE)) return {};
    PROCESS_INFORMATION process{};
    WaitUntil([&] {
        process = StartHolderOnce(exe, file);
        DWORD code = 0;
        if (!process.hProcess || !GetExitCodeProcess(process.hProcess, &code) || code != 1) return true;
        std::printf("the stand-in browser could not open %s yet: started again\n", file.c_str());
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
        return false;
    });
    return process;
}

// Writes "x" to path once nothing holds it: a file deleted while a closing program still had it
// open stays, pending, until that program has ended.
void WriteWhenFree(const std::string& path) {
    WaitUntil(
        [&] {
            WriteTextFile(path, "x");
            HANDLE alone = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (alone == INVALID_HANDLE_VALUE) return false;
            CloseHandle(alone);
            return true;
        },
        5000);
}

void EndProcess(PROCESS_INFORMATION& process) {
    if (!process.hProcess) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
}
}  // namespace

// Only the file that went counts, the one held open says why it stayed; an automatic wash
// shows the same total in the tray's tip.
TEST_F(MainWashTest, FreedSpaceShowsBesideTheCountersAndInTheTrayTipAfterAnAutomaticWash) {
    const uint64_t cluster = ClusterSizeOf(Data(""));
    ASSERT_GT(cluster, 0u);
    WriteTextFile(Data("a.log"), std::string(static_cast<size_t>(cluster) + 1, 'x'));
    HANDLE holder = CreateFileA(Data("sub\\b.log").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    MainWindow& main = Open();
    // The held file is offered for deletion at restart: not now.
    Answering([&] { main.OnWashChecked(); }, IDNO);
    CloseHandle(holder);
    EXPECT_EQ(Counters(), "1,1;2,0");
    EXPECT_EQ(main.LastWash.Files.FreedBytes, 2 * cluster);
    EXPECT_EQ(main.ControlText(IDC_FreedSpace), "Freed " + FormatSpace(2 * cluster));
    ASSERT_EQ(main.LastWash.Files.Failures.size(), 1u);
    EXPECT_EQ(main.LastWash.Files.Failures[0].Path, Data("sub\\b.log"));
    EXPECT_FALSE(main.LastWash.Files.Failures[0].Reason.empty());

    // Now b.log (one cluster) goes too, with c.log (two clusters).
    WriteTextFile(Data("c.log"), std::string(static_cast<size_t>(cluster) + 1, 'x'));
    main.AutomaticWash("Timed wash", true);
    EXPECT_FALSE(FileExists(Data("c.log")) || FileExists(Data("sub\\b.log")));
    EXPECT_EQ(main.ControlText(IDC_FreedSpace), "Freed " + FormatSpace(3 * cluster));
    EXPECT_EQ(std::string(main.TrayTip()), "Varnolt - Freed " + FormatSpace(3 * cluster));
}

// Yes closes the browser as its close button would and washes its file; No washes the rest and
// leaves the held file; Cancel washes nothing. An automatic wash asks nothing and closes nothing.
TEST_F(MainWashTest, RunningBrowserHoldingFilesIsAskedAboutBeforeAWashTheUserStarts) {
    struct Case {
        int answer;  // 0: automatic wash, no question
        bool held, others, closed;
    } cases[] = {{IDYES, false, false, true}, {IDNO, true, false, false}, {IDCANCEL, true, true, false},
                 {0, true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        for (const char* file : {"a.log", "sub\\b.log"}) WriteWhenFree(Data(file));
        PROCESS_INFORMATION chrome = StartChrome(dir.Path(), Data("a.log"));
        ASSERT_NE(chrome.hProcess, nullptr);
        DWORD chromeCode = 0;
        ASSERT_TRUE(GetExitCodeProcess(chrome.hProcess, &chromeCode) && chromeCode == STILL_ACTIVE)
            << "the stand-in browser ended before the wash, exit code " << chromeCode;
        MainWindow& main = Open();
        if (c.answer) {
            RunWithDriver([&] { main.OnWashChecked(); },
                          [&](UiDriver& driver) {
                              HWND box = driver.WaitForMessageBox();
                              ASSERT_NE(box, nullptr);
                              EXPECT_EQ(UiDriver::MessageBoxText(box),
                                        "Google Chrome is running and holds files this wash removes. Close it first?");
                              EXPECT_EQ(UiDriver::ButtonIds(box), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
                              driver.Answer(box, c.answer);
                              EXPECT_TRUE(driver.WaitGone(box));
                              if (c.answer != IDNO) return;
                              // The file left held is offered for deletion at restart: not now.
                              box = driver.WaitForMessageBox();
                              ASSERT_NE(box, nullptr);
                              EXPECT_EQ(UiDriver::MessageBoxText(box),
                                        "1 file is in use. Delete it when Windows restarts?");
                              driver.Answer(box, IDNO);
                              EXPECT_TRUE(driver.WaitGone(box));
                          });
        } else {
            Quietly([&] { main.AutomaticWash("Timed wash", true); });
        }
        EXPECT_EQ(FileExists(Data("a.log")), c.held);
        EXPECT_EQ(FileExists(Data("sub\\b.log")), c.others);
        EXPECT_EQ(WaitForSingleObject(chrome.hProcess, 0) == WAIT_OBJECT_0, c.closed);
        // a.log is listed by two entries: a held a.log fails twice.
        if (c.answer != IDCANCEL) {
            EXPECT_EQ(main.LastWash.Files.Failed, c.held ? 2 : 0);
        }
        EndProcess(chrome);
        form.reset();
    }
}

// The Summary page of Preview All counts each checked item's files (a file named by two entries
// twice, a folder row never), their space and its registry rows.
TEST_F(MainWashTest, PreviewAllSummarisesEachCheckedItem) {
    MainWindow& main = Open();
    const std::string space = FormatSpace(3 * ClusterSizeOf(Data("")));
    std::vector<std::string> rows;
    RunDialog([&] { main.OnPreviewChecked(); }, "Preview All Wash Item Checked", [&](UiDriver&, HWND dialog) {
        rows = ListRows(GetDlgItem(dialog, IDC_PreviewAll_Summary), 4);
        UiDriver::Click(dialog, IDC_PreviewAll_Close);
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"Temp Files|3|" + space + "|2", "Custom Special|0|0 bytes|0"}));
}

// A row in a protected place is never washed, so the summary does not count it among the files.
class MainWashProtectedTest : public MainWashTest {
protected:
    std::string SystemItems() const override {
        std::string items = MainWashTest::SystemItems();
        items.replace(items.find("Total=3\r\n"), 9, "Total=4\r\nItem3=Windows Ini\r\n");
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        return items + "[Windows Ini]\r\nIsActive=1\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Ini\r\n"
                       "tFolder0.isactive=1\r\ntFolder0.bycategory=2\r\ntFolder0.deletefilename=" +
               std::string(windows) + "\\win.ini\r\n";
    }
};

TEST_F(MainWashProtectedTest, PreviewAllSummaryLeavesProtectedRowsOut) {
    MainWindow& main = Open();
    std::vector<std::string> rows;
    RunDialog([&] { main.OnPreviewChecked(); }, "Preview All Wash Item Checked", [&](UiDriver&, HWND dialog) {
        rows = ListRows(GetDlgItem(dialog, IDC_PreviewAll_Summary), 4);
        UiDriver::Click(dialog, IDC_PreviewAll_Close);
    });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], "Windows Ini|0|0 bytes|0");
}
