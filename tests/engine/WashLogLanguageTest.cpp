// The log and the reasons in the language in use: looked up at each wash, escaped as the log's
// other texts are, and English again as soon as English is in use.
#include <gtest/gtest.h>

#include "engine/EngineTexts.h"
#include "engine/WashEngine.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/LanguageScope.h"
#include "tests/support/TempDir.h"

namespace {

// One block with a failed secure row, a registry row and the summary, as the file holds it.
std::string WashLogBlock() {
    DeleteFileA(LogFilePath().c_str());
    OpenWashLog();
    WashSummary summary;
    summary.Files.Washed = 2;
    summary.Files.Failed = 1;
    summary.Files.FreedBytes = 1536;
    WriteWashLogRow(WashRowKind::FolderFile, false, false, "C:\\a<b>.txt", FileFailureReason("C:\\a", ERROR_ACCESS_DENIED));
    WriteWashLogRow(WashRowKind::RegistryEntry, false, true, "HKCU\\K", "");
    CloseWashLog(summary);
    return ReadTextFile(LogFilePath());
}

// A text as the log writes it: escaped, in the log's code page.
std::string InLog(UINT id) { return LogText(HtmlEscape(Text(id))); }
}  // namespace

TEST(WashLogLanguage, HeadingsRowsReasonsAndSummaryFollowTheLanguage) {
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    for (const char* tag : {"de", "ru", "ja"}) {
        SCOPED_TRACE(tag);
        LanguageScope language(ChooseLanguage(tag));
        const std::string log = WashLogBlock();
        for (UINT id : {IDS_LogType, IDS_LogMode, IDS_LogStatus, IDS_LogItems, IDS_LogNote})
            EXPECT_NE(log.find("<b>" + InLog(id) + "</b>"), std::string::npos) << Text(id);
        for (UINT id : {IDS_LogFolderFile, IDS_LogSecure, IDS_LogFail, IDS_AccessDenied, IDS_LogRegistryEntry,
                        IDS_LogSuccess})
            EXPECT_NE(log.find(">" + InLog(id) + "</font>"), std::string::npos) << Text(id);
        EXPECT_NE(log.find(">" + LogText(HtmlEscape(FormatText(IDS_WashSummary, 2, FormatSpace(1536), 1))) + "</font>"),
                  std::string::npos);
        EXPECT_NE(log.find("C:\\a&lt;b&gt;.txt"), std::string::npos);
        for (const char* english : {">Type<", ">Folder/File<", ">Fail<", "Access denied", "Files washed"})
            EXPECT_EQ(log.find(english), std::string::npos) << english;
    }
    // The words are looked up again at the next wash.
    const std::string log = WashLogBlock();
    EXPECT_NE(log.find("<b>Type</b>"), std::string::npos);
    EXPECT_NE(log.find("Files washed: 2, space freed: 1.5 KB, failures: 1"), std::string::npos);
    AbandonWashLog();
}

// The number is rounded to one decimal with the language's sign, and put into the language's
// text of the unit that fits; one byte has a text of its own.
TEST(WashLogLanguage, SpaceTakesTheDecimalSignAndUnitsOfTheLanguage) {
    struct Case {
        const char* tag;
        uint64_t bytes;
        UINT unit;
        const char* number;
        const char* decimal;  // 60.6 as the wipe's drive row shows it
    } cases[] = {{"de", 1536, IDS_SpaceKB, "1,5", "60,6"},
                 {"de", 1, IDS_SpaceOneByte, "", "60,6"},
                 {"fr", 5ull << 20, IDS_SpaceMB, "5,0", "60,6"},
                 {"ja", 1536, IDS_SpaceKB, "1.5", "60.6"},
                 {"en", 1503238554ull, IDS_SpaceGB, "1.4", "60.6"}};
    for (const Case& c : cases) {
        LanguageScope language(ChooseLanguage(c.tag));
        EXPECT_EQ(FormatSpace(c.bytes), FormatText(c.unit, c.number)) << c.tag;
        EXPECT_EQ(OneDecimal(60.6), c.decimal) << c.tag;
    }
}
