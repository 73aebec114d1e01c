#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

std::string Row(const std::string& colour, const std::string& type, const std::string& mode,
                const std::string& status, const std::string& item, const std::string& note) {
    std::string text = "<tr>\r\n";
    for (auto [width, cell] : {std::pair{"14%", type}, {"5%", mode}, {"8%", status}, {"61%", item}, {"12%", note}})
        text += std::string("<td width=\"") + width + "\"><font size=\"2\" color=\"" + colour + "\">" + cell +
                "</font></td>\r\n";
    return text + "</tr>\r\n";
}

const char* const Heading =
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\r\n<tr>\r\n"
    "<td width=\"14%\">\r\n<div align=\"center\"><b>Type</b></div>\r\n</td>\r\n"
    "<td width=\"5%\">\r\n<div align=\"center\"><b>Mode</b></div>\r\n</td>\r\n"
    "<td width=\"8%\">\r\n<div align=\"center\"><b>Status</b></div>\r\n</td>\r\n"
    "<td width=\"61%\">\r\n<div align=\"center\"><b>Items</b></div>\r\n</td>\r\n"
    "<td width=\"12%\">\r\n<div align=\"center\"><b>Note</b></div>\r\n</td>\r\n</tr>\r\n";

// The date paragraph of a block written between the two times.
std::string DateLine(const std::string& text, const SYSTEMTIME& before, const SYSTEMTIME& after) {
    std::string line = text.substr(0, text.find("\r\n") + 2);
    for (const SYSTEMTIME* t : {&before, &after})
        if (line == "<p align=\"center\"><font size=\"4\"><b>" + FormatWashLogTime(*t) + "</b></font></p>\r\n")
            return line;
    ADD_FAILURE() << line;
    return line;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Every element the log opens is closed, in order (the charset line has no end tag).
bool WellFormed(const std::string& text) {
    std::vector<std::string> open;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        size_t end = text.find_first_of(" >", at);
        if (end == std::string::npos) return false;
        std::string name = text.substr(at + 1, end - at - 1);
        if (name == "meta") continue;
        if (name[0] != '/') open.push_back(name);
        else if (open.empty() || open.back() != name.substr(1)) return false;
        else open.pop_back();
    }
    return open.empty();
}

using WashLog = WashFolderTest;

}  // namespace

TEST(WashLogText, TimeIsDateAndTimeOrDateAloneAtMidnight) {
    SYSTEMTIME t{2003, 7, 5, 4, 9, 5, 3, 0};
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04 09:05:03");
    t.wHour = t.wMinute = t.wSecond = 0;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04");
    t.wSecond = 1;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04 00:00:01");
}

TEST_F(WashLog, BlocksAreAppendedByteForByteWithEscapedTexts) {
    WriteTextFile(LogFilePath(), "earlier\r\n");
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\a b\\x.txt", "");
    WriteWashLogRow(WashRowKind::FolderFile, false, false, "C:\\a&b<c>.txt", "File Locked");
    WriteWashLogRow(WashRowKind::FolderFile, false, true, "C:\\index.dat", "Specific File");
    WriteWashLogRow(WashRowKind::RegistryEntry, false, true, "HKCU\\K\\<script>\"x\"</script>", "");
    WriteWashLogRow(WashRowKind::RegistryEntry, true, false, "HKCU\\K\\v", "<b>");
    WriteWashLogRow(WashRowKind::SpecialItem, false, true, "Recycle Bin", "");
    WriteWashLogRow(WashRowKind::SpecialItem, false, false, "Recycle Bin", "");
    CloseWashLog();
    EXPECT_FALSE(WashLogIsOpen());
    OpenWashLog();
    CloseWashLog();
    GetLocalTime(&after);

    std::string first =
        Heading + Row("#000000", "Folder/File", "Quick", "Success", "C:\\a b\\x.txt", "&nbsp;") +
        Row("#FF0000", "Folder/File", "Secure", "Fail", "C:\\a&amp;b&lt;c&gt;.txt", "File Locked") +
        Row("#000000", "Folder/File", "Secure", "Success", "C:\\index.dat", "Specific File") +
        Row("#000040", "Registry Entry", "&nbsp;", "Success", "HKCU\\K\\&lt;script&gt;&quot;x&quot;&lt;/script&gt;",
            "&nbsp;") +
        Row("#FF0000", "Registry Entry", "&nbsp;", "Fail", "HKCU\\K\\v", "&lt;b&gt;") +
        Row("#FF00FF", "Special Item", "&nbsp;", "Success", "Recycle Bin", "&nbsp;") +
        Row("#FF0000", "Special Item", "&nbsp;", "Fail", "Recycle Bin", "&nbsp;") + "</table>\r\n";
    std::string text = ReadTextFile(LogFilePath()).substr(9);
    std::string date = DateLine(text, before, after);
    EXPECT_EQ(text, date + first + DateLine(text.substr(date.size() + first.size()), before, after) + Heading +
                        "</table>\r\n");
    EXPECT_EQ(ReadTextFile(LogFilePath()).substr(0, 9), "earlier\r\n");
}

TEST_F(WashLog, ReadOnlyLogRaisesAndLeavesNothingOpen) {
    OpenWashLog();
    CloseWashLog();
    std::string before = ReadTextFile(LogFilePath());
    ASSERT_TRUE(SetFileAttributesA(LogFilePath().c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        OpenWashLog();
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + LogFilePath());
    }
    EXPECT_FALSE(WashLogIsOpen());
    EXPECT_THROW(WriteWashLogRow(WashRowKind::FolderFile, true, true, "x", ""), AppError);
    SetFileAttributesA(LogFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(LogFilePath()), before);
    // No handle of ours holds the file: an exclusive open succeeds.
    HANDLE file = CreateFileA(LogFilePath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
}

// log.htm as a link to the host's /dev/full: opening works, writing fails.
TEST_F(WashLog, FailedWriteEndsTheWashPartWayAndClosesTheLog) {
    if (!MakeHostFileLink("/dev/full", LogFilePath())) GTEST_SKIP() << "needs a host link to /dev/full";
    const int count = 400;
    CheckListModel list;
    for (int i = 0; i < count; ++i) {
        WriteTextFile(dir.Path() + "file" + std::to_string(i), "x");
        list.Add(dir.Path() + "file" + std::to_string(i), true);
    }
    OpenWashLog();
    int success = -1, fail = -1;
    EXPECT_THROW(WashFileList(list, true, true, {}, success, fail), AppError);
    EXPECT_FALSE(WashLogIsOpen());
    int left = 0;
    for (int i = 0; i < count; ++i) left += FileExists(list.Text(i));
    EXPECT_GT(left, 0);
    EXPECT_LT(left, count);
    EXPECT_TRUE(FileExists(list.Text(count - 1)));
    DeleteFileA(LogFilePath().c_str());
}

// A wash ended by another error leaves the log open; the next block still starts cleanly.
TEST_F(WashLog, LogLeftOpenKeepsItsRowsAndTheNextBlockStartsCleanly) {
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\kept.txt", "");
    OpenWashLog();
    CloseWashLog();
    std::string text = ReadTextFile(LogFilePath());
    EXPECT_NE(text.find("C:\\kept.txt"), std::string::npos);
    // The block left open is ended before the next one starts.
    EXPECT_LT(text.find("C:\\kept.txt"), text.find("</table>"));
    EXPECT_LT(text.find("</table>"), text.rfind("<table "));
    EXPECT_NE(text.find("</table>"), text.rfind("</table>"));
    EXPECT_EQ(text.substr(text.size() - 10), "</table>\r\n");
}

// A wash whose process ended leaves its block open, cut after a row or anywhere inside one; the
// next open ends it whatever its length, and drops a row that was cut.
TEST_F(WashLog, ABlockLeftOpenIsClosedAtTheNextOpenWhateverItsLength) {
    const int rows = 3000;
    OpenWashLog();
    for (int i = 0; i < rows; ++i)
        WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\Temp\\file" + std::to_string(i) + ".tmp", "");
    CloseWashLog();
    const std::string closed = ReadTextFile(LogFilePath());
    const std::string open = closed.substr(0, closed.size() - std::strlen("</table>\r\n"));
    const std::string lastRow = open.substr(open.rfind("<tr>"));
    const struct {
        std::string log;
        int keptRows;
    } cases[] = {
        {open, rows},
        {open.substr(0, open.size() - lastRow.size() + lastRow.find("file" + std::to_string(rows - 1))), rows - 1},
        {open.substr(0, open.size() - 3), rows - 1},
        {open + "</tab", rows},
    };
    for (const auto& c : cases) {
        WriteTextFile(LogFilePath(), c.log);
        OpenWashLog();
        WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\next.tmp", "");
        CloseWashLog();
        const std::string text = ReadTextFile(LogFilePath());
        const size_t end = text.find("</table>\r\n<p align=\"center\">");
        EXPECT_NE(end, std::string::npos) << c.keptRows;
        EXPECT_EQ(Count(text, "<table "), 2u);
        EXPECT_EQ(Count(text, "</table>"), 2u);
        EXPECT_TRUE(WellFormed(text));
        EXPECT_EQ(Count(text.substr(0, end), "C:\\Temp\\file"), static_cast<size_t>(c.keptRows));
        EXPECT_EQ(text.compare(0, open.size() - lastRow.size(), open, 0, open.size() - lastRow.size()), 0);
    }
}
