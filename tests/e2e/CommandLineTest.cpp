// varnolt.exe /wash, /list FILE and /? as scripts and the Task Scheduler run them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/CommandLine.h"
#include "engine/RestartDelete.h"
#include "platform/DiskSpace.h"
#include "tests/support/HeldFile.h"
#include "tests/support/Json.h"
#include "tests/support/PendingRenames.h"
#include "tests/support/StagedProgram.h"

namespace {
// Rows of log.htm of one kind ("Folder/File", "Registry Entry") and outcome ("Success", "Fail").
int LogRows(const std::string& log, const std::string& kind, const std::string& outcome) {
    int count = 0;
    for (size_t at = log.find("<tr>"); at != std::string::npos; at = log.find("<tr>", at + 4)) {
        std::string row = log.substr(at, log.find("</tr>", at) - at);
        if (row.find(">" + kind + "<") != std::string::npos && row.find(">" + outcome + "<") != std::string::npos)
            ++count;
    }
    return count;
}

// The report read back; fails the test when it is no valid JSON.
JsonValue ReadReport(const std::string& file) {
    JsonValue report;
    std::string error;
    EXPECT_TRUE(ParseJson(ReadTextFile(file), report, error)) << error << "\n" << ReadTextFile(file);
    return report;
}

bool IsoUtc(const std::string& text) {
    int y, mo, d, h, mi, se;
    char z = 0;
    return text.size() == 20 && std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &se, &z) == 7 &&
           z == 'Z';
}

class CommandLineTest : public StagedProgramTest {
protected:
    void SetUp() override {
        StagedProgramTest::SetUp();
        if (HasFatalFailure()) return;
        junk = temp.Path() + "junk\\";
        CreateDirectoryA(junk.c_str(), nullptr);
        CreateDirectoryA((junk + "sub").c_str(), nullptr);
        WriteTextFile(junk + "one.tmp", "1");
        WriteTextFile(junk + "sub\\caf\xe9.tmp", "2");  // é in the ANSI code page
        WriteTextFile(junk + "keep.txt", "3");
        key.Create("Traces\\Sub");
        key.Set("Traces", "Last", "x");
        key.Create("Kept");
        key.Set("Typo", "a", "x");
        // "Junk" is checked, "Kept" is not; both name files and keys. "Junk"'s second key has a
        // root that is no root key's name: it names nothing, under HKEY_CURRENT_USER neither.
        WriteItems("[Common]\r\nTotal=2\r\nItem0=Junk\r\nItem1=Kept\r\n"
                   "[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                   "tFolder0.ChildItemName=Junk files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                   "tFolder0.deletepath=" + junk + "*.tmp\r\ntFolder0.IsIncludeSubfolder=1\r\n"
                   "tRegister.Total=2\r\ntRegister0.ChildItemName=Traces\r\ntRegister0.isactive=1\r\n"
                   "tRegister0.RegisterKeyName=" + key.Full("Traces") + "\r\ntRegister0.CleanRegisterType=0\r\n"
                   "tRegister1.ChildItemName=Typo\r\ntRegister1.isactive=1\r\ntRegister1.CleanRegisterType=1\r\n"
                   "tRegister1.RegisterKeyName=HKEY_FOO\\" + key.Path() + "\\Typo\r\n"
                   "[Kept]\r\nIsActive=0\r\ntFolder.Total=1\r\n"
                   "tFolder0.ChildItemName=Text\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=2\r\n"
                   "tFolder0.deletefilename=" + junk + "keep.txt\r\n"
                   "tRegister.Total=1\r\ntRegister0.ChildItemName=Kept key\r\ntRegister0.isactive=1\r\n"
                   "tRegister0.RegisterKeyName=" + key.Full("Kept") + "\r\ntRegister0.CleanRegisterType=0\r\n");
        WriteSettings("[Log]\r\nWrite to Log=1\r\n[Delete Option]\r\nprompt Before=1\r\n");
    }

    TestKey key{"CommandLine"};
    std::string junk;
};
}  // namespace

TEST(CommandLineParse, OptionsFileNamesAndMistakes) {
    EXPECT_EQ(ParseCommandLine({}).Kind, CommandKind::None);
    EXPECT_EQ(ParseCommandLine({L"/WASH"}).Kind, CommandKind::Wash);
    EXPECT_EQ(ParseCommandLine({L"-wash"}).Kind, CommandKind::Wash);
    EXPECT_EQ(ParseCommandLine({L"/?"}).Kind, CommandKind::Usage);
    CommandLine list = ParseCommandLine({L"/List", L"C:\\out put\\rows.txt"});
    EXPECT_EQ(list.Kind, CommandKind::List);
    EXPECT_EQ(list.File, L"C:\\out put\\rows.txt");
    CommandLine report = ParseCommandLine({L"/wash", L"/Report", L"C:\\out\\r.json"});
    EXPECT_EQ(report.Kind, CommandKind::Wash);
    EXPECT_EQ(report.Report, L"C:\\out\\r.json");
    CommandLine wipe = ParseCommandLine({L"/WIPE", L"d:"});
    EXPECT_EQ(wipe.Kind, CommandKind::Wipe);
    EXPECT_EQ(wipe.File, L"d:");
    CommandLine shred = ParseCommandLine({L"/shred", L"C:\a b.txt", L"C:\folder"});
    EXPECT_EQ(shred.Kind, CommandKind::Shred);
    EXPECT_EQ(shred.Paths, (std::vector<std::wstring>{L"C:\a b.txt", L"C:\folder"}));
    for (const auto& args : std::vector<std::vector<std::wstring>>{
             {L"/list"}, {L"/list", L""}, {L"/list", L"a", L"b"}, {L"/wash", L"now"}, {L"/clean"}, {L"wash"},
             {L"/wash", L"/report"}, {L"/wash", L"/report", L""}, {L"/wash", L"/report", L"a", L"b"},
             {L"/list", L"/report", L"a"}, {L"/wipe"}, {L"/wipe", L"C:", L"D:"}, {L"/shred"}}) {
        CommandLine bad = ParseCommandLine(args);
        EXPECT_EQ(bad.Kind, CommandKind::Invalid) << args.size();
        EXPECT_FALSE(bad.Error.empty());
    }
}

TEST_F(CommandLineTest, ListWritesTheCheckedRowsAsUtf8AndDeletesNothing) {
    std::string out = temp.Path() + "rows.txt";
    ASSERT_EQ(Run("/list \"" + out + "\""), 0)
        << Console();
    // Rows as the previews show them: no internal marker.
    std::set<std::string> expected{junk + "one.tmp", junk + "sub\\caf\xc3\xa9.tmp", key.Full("Traces") + "\\Sub",
                                   key.Full("Traces") + "\\"};
    EXPECT_EQ(LinesOf(ReadTextFile(out)), expected);
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    EXPECT_TRUE(FileExists(junk + "sub\\caf\xe9.tmp"));
    EXPECT_TRUE(key.Exists("Traces\\Sub"));
    EXPECT_FALSE(FileExists(dir + "log.htm"));
    EXPECT_FALSE(FileExists(dir + "order.ini"));

    // A file that can't be created is a failure, said on the console.
    EXPECT_EQ(Run("/list \"" + temp.Path() + "missing\\rows.txt\""), 1);
    EXPECT_NE(Console().find("unable to write"), std::string::npos);
}

TEST_F(CommandLineTest, WashDeletesTheCheckedRowsLogsThemAndExitsZero) {
    ASSERT_EQ(Run("/wash"), 0) << Console();
    EXPECT_FALSE(FileExists(junk + "one.tmp"));
    EXPECT_FALSE(FileExists(junk + "sub\\caf\xe9.tmp"));
    EXPECT_TRUE(FileExists(junk + "keep.txt"));
    EXPECT_FALSE(key.Exists("Traces"));
    EXPECT_TRUE(key.Exists("Kept"));
    EXPECT_TRUE(key.Exists("Typo", "a"));
    std::string log = ReadTextFile(dir + "log.htm");
    EXPECT_NE(log.find(junk + "one.tmp"), std::string::npos);
    EXPECT_NE(log.find(key.Full("Traces") + "\\Sub"), std::string::npos);
    EXPECT_FALSE(FileExists(dir + "order.ini"));
    std::string console = Console();
    EXPECT_NE(console.find("Files: 2 washed, 0 failed"), std::string::npos);
    // The last line: what went and the exact bytes freed, whole clusters of the two files.
    const uint64_t cluster = ClusterSizeOf(junk);
    EXPECT_NE(console.find("Washed 2 files and 2 registry entries; freed " + std::to_string(2 * cluster) + " bytes (" +
                           FormatSpace(2 * cluster) + "); failures: 0."),
              std::string::npos)
        << console;
    EXPECT_NE(log.find("Files washed: 2, space freed: " + FormatSpace(2 * cluster) + ", failures: 0"), std::string::npos);
}

// A folder removed when empty is listed as a folder, never with the marker the wash reads.
TEST_F(CommandLineTest, ListShowsRemovedWhenEmptyFoldersAsFolders) {
    std::string system = ReadTextFile(dir + "const\\system.txt");
    system.replace(system.find("tRegister.Total=2"), 0, "tFolder0.RemoveSelf=1\r\n");
    WriteTextFile(dir + "const\\system.txt", system);
    std::string out = temp.Path() + "rows.txt";
    ASSERT_EQ(Run("/list \"" + out + "\""), 0);
    std::string text = ReadTextFile(out);
    EXPECT_EQ(text.find("<|>"), std::string::npos) << text;
    std::set<std::string> rows = LinesOf(text);
    EXPECT_EQ(rows.count(junk + "sub (folder, removed when empty)"), 1u) << text;
    EXPECT_EQ(rows.count(junk.substr(0, junk.size() - 1) + " (folder, removed when empty)"), 1u) << text;
}

TEST_F(CommandLineTest, WashExitsOneWhenAFileCannotBeDeleted) {
    std::string locked = junk + "one.tmp";
    HeldFile hold(locked);
    ASSERT_TRUE(hold.Held());
    int code = Run("/wash");
    hold.Release();
    EXPECT_EQ(code, 1);
    EXPECT_EQ(ReadTextFile(locked), "1");
    EXPECT_FALSE(FileExists(junk + "sub\\caf\xe9.tmp"));
    EXPECT_NE(ReadTextFile(dir + "log.htm").find("File Locked"), std::string::npos);
    // The console names the file that stayed, and why; the freed total leaves it out.
    std::string console = Console();
    EXPECT_NE(console.find("Not washed: " + locked + " (File Locked)"), std::string::npos) << console;
    const uint64_t cluster = ClusterSizeOf(junk);
    EXPECT_NE(console.find("freed " + std::to_string(cluster) + " bytes"), std::string::npos) << console;
    EXPECT_NE(console.find("failures: 1."), std::string::npos) << console;
}

TEST_F(CommandLineTest, WashRefusesWhileTheWindowRunsAndTouchesNothing) {
    RunningProgram window;
    HWND main = window.Open(dir);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Run("/wash"), 3);
    EXPECT_NE(Console().find("already running"), std::string::npos);
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    EXPECT_TRUE(key.Exists("Traces\\Sub"));
    EXPECT_FALSE(FileExists(dir + "log.htm"));
    // /list only reads, so it runs beside the window.
    EXPECT_EQ(Run("/list \"" + temp.Path() + "rows.txt\""), 0);
    EXPECT_TRUE(window.Close(main));
    EXPECT_EQ(window.ExitCode(), 0u);
}

TEST_F(CommandLineTest, UsageAndWrongArguments) {
    EXPECT_EQ(Run("/?"), 0);
    std::string usage = Console();
    EXPECT_NE(usage.find("/wash"), std::string::npos);
    EXPECT_NE(usage.find("/list FILE"), std::string::npos);
    EXPECT_NE(usage.find("Exit codes"), std::string::npos);
    EXPECT_EQ(Run("/wash everything"), 2);
    EXPECT_NE(Console().find("Too many arguments"), std::string::npos);
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
}

// Kappa and Iota with tonos differ in one UTF-8 byte that an 8-bit upper-casing would merge.
TEST_F(CommandLineTest, ListKeepsEveryFileNamedOutsideTheCodePage) {
    const std::string kappa = junk + "\xCE\x9A.tmp", iota = junk + "\xCE\x8A.tmp";
    WriteTextFile(kappa, "k");
    WriteTextFile(iota, "i");
    std::string out = temp.Path() + "rows.txt";
    ASSERT_EQ(Run("/list \"" + out + "\""), 0);
    std::set<std::string> rows = LinesOf(ReadTextFile(out));
    EXPECT_EQ(rows.count(kappa), 1u);
    EXPECT_EQ(rows.count(iota), 1u);
}

// The report says per item what went and what failed, with totals that agree with the log.
TEST_F(CommandLineTest, WashReportAgreesWithTheLogAndTheExitCode) {
    const std::string locked = junk + "one.tmp", out = temp.Path() + "report.json";
    WriteTextFile(out, "an earlier report, replaced whole");
    HeldFile hold(locked);
    ASSERT_TRUE(hold.Held());
    int code = Run("/wash /report \"" + out + "\"");
    hold.Release();
    ASSERT_EQ(code, 1) << Console();

    JsonValue report = ReadReport(out);
    EXPECT_EQ(report["program"].text, "Varnolt");
    EXPECT_EQ(report["version"].text, "1.02");
    EXPECT_FALSE(report["computer"].text.empty());
    EXPECT_FALSE(report["user"].text.empty());
    EXPECT_TRUE(IsoUtc(report["start"].text)) << report["start"].text;
    EXPECT_TRUE(IsoUtc(report["end"].text)) << report["end"].text;
    EXPECT_LE(report["start"].text, report["end"].text);
    EXPECT_EQ(report["exitCode"].Int(), 1);
    ASSERT_EQ(report["items"].items.size(), 1u) << "only the checked item";
    const JsonValue& item = report["items"].items[0];
    EXPECT_EQ(item["name"].text, "Junk");
    EXPECT_EQ(item["filesWashed"].Int(), 1);
    EXPECT_EQ(item["bytesFreed"].kind, JsonValue::Kind::Number);
    ASSERT_EQ(item["failures"].items.size(), 1u);
    EXPECT_EQ(item["failures"].items[0]["path"].text, locked);
    EXPECT_EQ(item["failures"].items[0]["reason"].text, "File Locked");

    const std::string log = ReadTextFile(dir + "log.htm");
    const JsonValue& totals = report["totals"];
    EXPECT_EQ(totals["filesWashed"].Int(), LogRows(log, "Folder/File", "Success"));
    EXPECT_EQ(totals["registryEntriesWashed"].Int(), LogRows(log, "Registry Entry", "Success"));
    EXPECT_EQ(totals["failures"].Int(), LogRows(log, "Folder/File", "Fail") + LogRows(log, "Registry Entry", "Fail"));
    EXPECT_EQ(totals["registryEntriesWashed"].Int(), item["registryEntriesWashed"].Int());
    EXPECT_GT(totals["registryEntriesWashed"].Int(), 0);
    // Nothing of the temporary file is left beside the report.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((out + ".tmp*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A refused /wash still reports, with its exit code and why; a report that can't be written
// makes a clean wash exit 1.
TEST_F(CommandLineTest, WashReportOfARefusedWashAndAnUnwritableReport) {
    const std::string out = temp.Path() + "refused.json";
    {
        HANDLE other = CreateMutexA(nullptr, TRUE, "Local\\Varnolt.CommandLineWash");
        ASSERT_EQ(Run("/wash /report \"" + out + "\""), 3);
        CloseHandle(other);
    }
    JsonValue report = ReadReport(out);
    EXPECT_EQ(report["exitCode"].Int(), 3);
    EXPECT_NE(report["error"].text.find("already running"), std::string::npos);
    EXPECT_TRUE(report["items"].items.empty());
    EXPECT_TRUE(FileExists(junk + "one.tmp"));

    EXPECT_EQ(Run("/wash /report \"" + temp.Path() + "missing\\r.json\""), 1);
    EXPECT_NE(Console().find("unable to write"), std::string::npos);
    EXPECT_FALSE(FileExists(junk + "one.tmp")) << "the wash itself ran";
}

// /restart-delete marks the file another process holds, and only that one; the report lists a
// row in a protected place as refused, not as a failure. After "wineboot -r" (Wine's restart,
// which runs the pending deletions) the next start logs what went.
TEST_F(CommandLineTest, RestartDeleteMarksTheFileLeftInUseAndTheNextStartLogsIt) {
    PendingRenamesScope pendingScope;
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string winIni = std::string(windows) + "\\win.ini", locked = junk + "one.tmp";
    const std::string out = temp.Path() + "report.json";
    CreateDirectoryA((dir + "plugin").c_str(), nullptr);
    WriteTextFile(dir + "plugin\\ini.txt", "[Common]\r\nTotal=1\r\nItem0=Ini\r\n[Ini]\r\nIsActive=1\r\n"
                                           "tFolder.Total=1\r\ntFolder0.ChildItemName=Ini\r\ntFolder0.isactive=1\r\n"
                                           "tFolder0.bycategory=2\r\ntFolder0.deletefilename=" + winIni + "\r\n");
    {
        HeldFile hold(locked);
        ASSERT_TRUE(hold.Held());
        ASSERT_EQ(Run("/wash /item Junk /item Ini /restart-delete /report \"" + out + "\""), 1) << Console();
    }
    EXPECT_NE(Console().find("Marked for deletion when Windows restarts: 1"), std::string::npos) << Console();
    const std::vector<std::string> pending = PendingRestartDeletes();
    EXPECT_EQ(std::count(pending.begin(), pending.end(), locked), 1);
    EXPECT_EQ(std::count(pending.begin(), pending.end(), winIni), 0);
    EXPECT_NE(ReadTextFile(dir + "restart.txt").find(locked), std::string::npos);

    JsonValue report = ReadReport(out);
    int refused = 0;
    for (const auto& item : report["items"].items)
        for (const auto& failure : item["failures"].items)
            if (failure["code"].text == "refused") refused += failure["path"].text == winIni;
    EXPECT_EQ(refused, 1) << ReadTextFile(out);
    EXPECT_EQ(report["totals"]["failures"].Int(), 1);
    EXPECT_TRUE(FileExists(winIni));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION boot{};
    std::string command = "wineboot.exe -r";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &boot))
        GTEST_SKIP() << "no wineboot: not under Wine";
    WaitForSingleObject(boot.hProcess, 60000);
    CloseHandle(boot.hProcess);
    CloseHandle(boot.hThread);
    EXPECT_FALSE(FileExists(locked)) << "wineboot -r ran no pending deletion";
    Run("/wash /item Junk");
    EXPECT_NE(ReadTextFile(dir + "log.htm").find("Deleted at restart: 1 of 1"), std::string::npos);
    EXPECT_FALSE(FileExists(dir + "restart.txt"));
}

TEST_F(CommandLineTest, WipeRefusesWhatIsNoLocalDrive) {
    struct Case {
        const char* arguments;
        int code;
        const char* says;
    };
    for (const Case& c : {Case{"/wipe nodrive", 2, "no drive letter"}, Case{"/wipe Q:", 1, "There is no drive Q:"}}) {
        EXPECT_EQ(Run(c.arguments), c.code) << c.arguments;
        EXPECT_NE(Console().find(c.says), std::string::npos) << c.arguments;
    }
}
