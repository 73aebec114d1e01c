// The wash of a browser's checked items when its last process ends: a stand-in program running
// as chrome.exe that ends.
#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "engine/RunningPrograms.h"
#include "tests/support/LogText.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/Program.h"
#include "tests/support/Wait.h"

namespace {
class BrowserCloseWash : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        std::string items = "[Common]\r\nTotal=3\r\nItem0=Google Chrome Cookies\r\nItem1=Firefox Cache\r\nItem2=Temp Files\r\n";
        const std::pair<const char*, const char*> sections[] = {
            {"Google Chrome Cookies", "chrome"}, {"Firefox Cache", "firefox"}, {"Temp Files", "temp"}};
        for (const auto& [name, folder] : sections)
            items += std::string("[") + name + "]\r\nIsActive=1\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=All\r\n" +
                     "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=" + Data(folder) +
                     "\\*.*\r\ntFolder0.IsIncludeSubfolder=0\r\n";
        return items;
    }
    void AddFiles() override {
        CreateDirectoryA(Data("").c_str(), nullptr);
        for (const char* folder : {"chrome", "firefox", "temp", "browser"}) CreateDirectoryA(Data(folder).c_str(), nullptr);
        for (const char* file : {"chrome\\Cookies", "firefox\\cache.bin", "temp\\a.tmp", "browser\\held.txt"})
            WriteTextFile(Data(file), "x");
    }
    std::string Data(const std::string& name) const { return dir.Path() + "data\\" + name; }

    // The holder program copied as chrome.exe, started holding a file of its own.
    PROCESS_INFORMATION StartChrome() {
        const std::string exe = dir.Path() + "chrome.exe";
        PROCESS_INFORMATION process{};
        if (!CopyFileA(VARNOLT_HOLDER_EXE, exe.c_str(), FALSE)) return process;
        std::string command = "\"" + exe + "\" \"" + Data("browser\\held.txt") + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        StartWithRetry(exe, [&] {
            return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process) != FALSE;
        });
        WaitUntil([] { return BrowserRunning("chrome.exe"); });
        return process;
    }
    static void EndChrome(PROCESS_INFORMATION& process) {
        if (!process.hProcess) return;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }
};
}  // namespace

// Once the stand-in ends, Chrome's checked item is washed with nothing asked; the other browser's
// item and the ordinary one stay, the tray tip tells the space freed and the log has the wash.
TEST_F(BrowserCloseWash, TheLastProcessEndingWashesThatBrowsersCheckedItemsOnly) {
    PROCESS_INFORMATION chrome = StartChrome();
    ASSERT_NE(chrome.hProcess, nullptr);
    ASSERT_TRUE(BrowserRunning("chrome.exe"));
    MainWindow& main = Open();
    main.Options.WashBrowserOnClose = true;
    main.UpdateBrowserWatch();
    HandlePending();
    EXPECT_TRUE(FileExists(Data("chrome\\Cookies")));
    EndChrome(chrome);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(Data("chrome\\Cookies")); }, 20000));
    EXPECT_TRUE(WaitForClosedLog(dir.Path() + "log.htm"));
    EXPECT_TRUE(FileExists(Data("firefox\\cache.bin")));
    EXPECT_TRUE(FileExists(Data("temp\\a.tmp")));
    EXPECT_NE(main.TrayTip().find("Freed"), std::string::npos) << main.TrayTip();
    EXPECT_NE(ReadTextFile(dir.Path() + "log.htm").find("Cookies"), std::string::npos);
}

// A browser running again when its wash comes is left alone; a browser without checked items
// washes nothing.
TEST_F(BrowserCloseWash, ABrowserRunningAgainIsLeftAlone) {
    PROCESS_INFORMATION chrome = StartChrome();
    ASSERT_NE(chrome.hProcess, nullptr);
    MainWindow& main = Open();
    main.WashClosedBrowser("chrome.exe");
    EXPECT_TRUE(FileExists(Data("chrome\\Cookies")));
    EXPECT_FALSE(FileExists(dir.Path() + "log.htm"));
    EndChrome(chrome);
    main.WashClosedBrowser("brave.exe");
    EXPECT_FALSE(FileExists(dir.Path() + "log.htm"));
    main.WashClosedBrowser("chrome.exe");
    EXPECT_FALSE(FileExists(Data("chrome\\Cookies")));
    EXPECT_TRUE(FileExists(Data("temp\\a.tmp")));
}
