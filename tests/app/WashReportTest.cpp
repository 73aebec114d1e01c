// The JSON report and the event of a wash, built from their results. Wine's event log takes
// events but cannot give them back, so the event's id, type and text are checked here, where
// they are made, and its writing only for being accepted.
#include <gtest/gtest.h>

#include "app/WashEvent.h"
#include "app/WashReport.h"
#include "tests/support/Json.h"

TEST(WashReport, TextsOfAnyKindSurviveTheRoundTrip) {
    WashReport report;
    report.Version = "1.02";
    report.Computer = "PC";
    report.User = "J\xc3\xb6rg";  // UTF-8 stays as it is
    report.Start = "2026-01-02T03:04:05Z";
    report.End = "2026-01-02T03:04:06Z";
    report.ExitCode = 1;
    report.Items.push_back({"Say \"hi\"\t", 3, 4096, 2, {{"C:\\dir\\a\x01.tmp", "File Locked"}}});
    report.Items.push_back({"Recycle Bin", 0, 0, 0, {}});
    JsonValue read;
    std::string error;
    ASSERT_TRUE(ParseJson(ReportJson(report), read, error)) << error << ReportJson(report);
    EXPECT_EQ(read["user"].text, report.User);
    ASSERT_EQ(read["items"].items.size(), 2u);
    EXPECT_EQ(read["items"].items[0]["name"].text, "Say \"hi\"\t");
    EXPECT_EQ(read["items"].items[0]["failures"].items[0]["path"].text, "C:\\dir\\a\x01.tmp");
    EXPECT_EQ(read["items"].items[0]["bytesFreed"].Int(), 4096);
    EXPECT_EQ(read["totals"]["filesWashed"].Int(), 3);
    EXPECT_EQ(read["totals"]["bytesFreed"].Int(), 4096);
    EXPECT_EQ(read["totals"]["failures"].Int(), 1);
    EXPECT_EQ(read["exitCode"].Int(), 1);
    EXPECT_EQ(read["error"].kind, JsonValue::Kind::Null) << "no error member when the wash ran";
}

TEST(WashReport, DatabasesOfADatabaseItemWithTheirCountsAndState) {
    WashReport report;
    report.Items.push_back(
        {"Google Chrome History", 0, 8192, 0, {{"C:\\p\\History", "Chrome is running", "browser_running"}}});
    DatabaseRow washed, running;
    washed.Label = "Chrome — Default";
    washed.Removed = 1234;
    washed.Kept = 12;
    washed.Washed = true;
    running.State = DatabaseState::BrowserRunning;
    report.Items[0].Databases = {washed, running};
    JsonValue read;
    std::string error;
    ASSERT_TRUE(ParseJson(ReportJson(report), read, error)) << error << ReportJson(report);
    const JsonValue& databases = read["items"].items[0]["databases"];
    ASSERT_EQ(databases.items.size(), 2u);
    EXPECT_EQ(databases.items[0]["profile"].text, washed.Label);
    EXPECT_EQ(databases.items[0]["removed"].Int(), 1234);
    EXPECT_EQ(databases.items[0]["kept"].Int(), 12);
    EXPECT_EQ(databases.items[0]["state"].text, "washed");
    EXPECT_EQ(databases.items[1]["state"].text, "browser_running");
}

TEST(WashEvent, IdTypeAndTextFollowTheOutcome) {
    struct Case {
        WashTotals totals;
        const char* error;
        DWORD id;
        WORD type;
        const char* says;
    } cases[] = {
        {{5, 0, 2, 0}, "", 1000, EVENTLOG_INFORMATION_TYPE,
         "Varnolt: Timed wash washed.\r\nFiles washed: 5\r\nRegistry entries washed: 2\r\nBytes freed: 0\r\nFailures: 0"},
        {{1, 0, 0, 3}, "", 1001, EVENTLOG_WARNING_TYPE, "washed with failures.\r\nFiles washed: 1"},
        {{}, "Unable to write to C:\\log.htm", 1002, EVENTLOG_ERROR_TYPE,
         "Varnolt: Timed wash could not run: Unable to write to C:\\log.htm"},
        // Stopped by an error after washing files: it ran.
        {{4, 0, 0, 0}, "Unable to empty the Recycle Bin", 1001, EVENTLOG_WARNING_TYPE,
         "washed with failures.\r\nFiles washed: 4\r\nRegistry entries washed: 0\r\nBytes freed: 0\r\nFailures: 0"
         "\r\nStopped by: Unable to empty the Recycle Bin"},
    };
    for (const Case& c : cases) {
        WashEvent event = MakeWashEvent("Timed wash", c.totals, c.error);
        EXPECT_EQ(event.Id, c.id);
        EXPECT_EQ(event.Type, c.type);
        EXPECT_NE(event.Text.find(c.says), std::string::npos) << event.Text;
        EXPECT_TRUE(ReportWashEvent(event)) << "the Application log refused event " << c.id;
    }
}
