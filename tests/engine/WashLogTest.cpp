#include <gtest/gtest.h>

#include "engine/Unitwasher.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

const std::vector<std::string> Heading = {
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">",
    "<tr>",
    "<td width=\"14%\">",
    "<div align=\"center\"><b>Type</b></div>",
    "</td>",
    "<td width=\"5%\">",
    "<div align=\"center\"><b>Mode</b></div>",
    "</td>",
    "<td width=\"8%\">",
    "<div align=\"center\"><b>Status</b></div>",
    "</td>",
    "<td width=\"61%\">",
    "<div align=\"center\"><b>Items</b></div>",
    "</td>",
    "<td width=\"12%\">",
    "<div align=\"center\"><b>Note</b></div>",
    "</td>",
    "</tr>",
};

std::string Row(const std::string& colour, const std::string& type, const std::string& mode,
                const std::string& status, const std::string& item, const std::string& note) {
    auto cell = [&](const char* width, const std::string& text) {
        return std::string("<td width=\"") + width + "\"><font size=\"2\" color=\"" + colour + "\">" + text +
               "</font></td>";
    };
    return Lines({"<tr>", cell("14%", type), cell("5%", mode), cell("8%", status), cell("61%", item),
                  cell("12%", note), "</tr>"});
}

// Splits off the date paragraph of a block and checks its time lies in [before, after].
std::string WithoutDateLine(const std::string& text, const SYSTEMTIME& before, const SYSTEMTIME& after) {
    auto end = text.find("\r\n");
    EXPECT_NE(end, std::string::npos);
    std::string line = text.substr(0, end);
    std::string a = "<p align=\"center\"><font size=\"4\"><b>" + FormatWashLogTime(before) + "</b></font></p>";
    std::string b = "<p align=\"center\"><font size=\"4\"><b>" + FormatWashLogTime(after) + "</b></font></p>";
    EXPECT_TRUE(line == a || line == b) << line;
    return text.substr(end + 2);
}

class WashLog : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
};

}  // namespace

TEST(WashLogText, TimeIsDateAndTimeOrDateAloneAtMidnight) {
    SYSTEMTIME t{};
    t.wYear = 2003, t.wMonth = 7, t.wDay = 4, t.wHour = 9, t.wMinute = 5, t.wSecond = 3;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04 09:05:03");
    t.wHour = 0, t.wMinute = 0, t.wSecond = 0;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04");
    t.wSecond = 1;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04 00:00:01");
    t.wHour = 23, t.wMinute = 59, t.wSecond = 59, t.wMilliseconds = 999;
    EXPECT_EQ(FormatWashLogTime(t), "2003-07-04 23:59:59");
}

TEST(WashLogText, EscapesMarkupCharacters) {
    EXPECT_EQ(HtmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(HtmlEscape("&amp;"), "&amp;amp;");
    EXPECT_EQ(HtmlEscape(""), "");
}

TEST_F(WashLog, TwoBlocksAreAppendedByteForByte) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    OpenWashLog();
    EXPECT_TRUE(WashLogIsOpen());
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\a b\\x.txt", "");
    WriteWashLogRow(WashRowKind::FolderFile, false, false, "C:\\locked.dat", "File Locked");
    WriteWashLogRow(WashRowKind::FolderFile, false, true, "C:\\index.dat", "Specific File");
    WriteWashLogRow(WashRowKind::RegistryEntry, false, true, "HKEY_CURRENT_USER\\Software\\K\\", "");
    WriteWashLogRow(WashRowKind::RegistryEntry, true, false, "HKEY_CURRENT_USER\\Software\\K\\v", "");
    WriteWashLogRow(WashRowKind::SpecialItem, false, true, "Recycle Bin", "");
    WriteWashLogRow(WashRowKind::SpecialItem, false, false, "Recycle Bin", "");
    CloseWashLog();
    EXPECT_FALSE(WashLogIsOpen());
    OpenWashLog();
    CloseWashLog();
    GetLocalTime(&after);

    std::string first = Lines(Heading) +
                        Row("#000000", "Folder/File", "Quick", "Success", "C:\\a b\\x.txt", "&nbsp;") +
                        Row("#FF0000", "Folder/File", "Secure", "Fail", "C:\\locked.dat", "File Locked") +
                        Row("#000000", "Folder/File", "Secure", "Success", "C:\\index.dat", "Specific File") +
                        Row("#000040", "Registry Entry", "&nbsp;", "Success", "HKEY_CURRENT_USER\\Software\\K\\",
                            "&nbsp;") +
                        Row("#FF0000", "Registry Entry", "&nbsp;", "Fail", "HKEY_CURRENT_USER\\Software\\K\\v",
                            "&nbsp;") +
                        Row("#FF00FF", "Special Item", "&nbsp;", "Success", "Recycle Bin", "&nbsp;") +
                        Row("#FF0000", "Special Item", "&nbsp;", "Fail", "Recycle Bin", "&nbsp;") +
                        Lines({"</table>"});
    std::string second = Lines(Heading) + Lines({"</table>"});

    std::string text = ReadTextFile(LogFilePath());
    std::string rest = WithoutDateLine(text, before, after);
    ASSERT_EQ(rest.substr(0, first.size()), first);
    EXPECT_EQ(WithoutDateLine(rest.substr(first.size()), before, after), second);
}

TEST_F(WashLog, AppendsToAnExistingFileAndEscapesItemAndNote) {
    WriteTextFile(LogFilePath(), "earlier\r\n");
    OpenWashLog();
    WriteWashLogRow(WashRowKind::RegistryEntry, false, true, "HKCU\\<script>alert(\"x\")</script>&", "");
    WriteWashLogRow(WashRowKind::FolderFile, true, false, "C:\\a&b.txt", "<b>");
    CloseWashLog();
    std::string text = ReadTextFile(LogFilePath());
    ASSERT_EQ(text.rfind("earlier\r\n<p align=\"center\">", 0), 0u);
    EXPECT_EQ(text.find("<script>"), std::string::npos);
    EXPECT_NE(text.find(">HKCU\\&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp;</font>"), std::string::npos);
    EXPECT_NE(text.find(">C:\\a&amp;b.txt</font>"), std::string::npos);
    EXPECT_NE(text.find(">&lt;b&gt;</font>"), std::string::npos);
}

TEST_F(WashLog, RowOrCloseWithoutOpenLogRaises) {
    EXPECT_THROW(WriteWashLogRow(WashRowKind::FolderFile, true, true, "x", ""), AppError);
    EXPECT_THROW(CloseWashLog(), AppError);
    EXPECT_FALSE(FileExists(LogFilePath()));
}

TEST_F(WashLog, ReadOnlyLogRaisesAndStaysClosed) {
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
    SetFileAttributesA(LogFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(LogFilePath()), before);
    // Nothing of ours holds the file: an exclusive open succeeds.
    HANDLE file = CreateFileA(LogFilePath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    // The next wash logs normally.
    OpenWashLog();
    CloseWashLog();
    EXPECT_GT(ReadTextFile(LogFilePath()).size(), before.size());
}

TEST_F(WashLog, FailedWriteMidWashEndsTheWashAndClosesTheLog) {
    if (!MakeHostFileLink("/dev/full", LogFilePath())) GTEST_SKIP() << "needs a host link to /dev/full";
    const int count = 400;
    CheckListModel list;
    for (int i = 0; i < count; ++i) {
        std::string path = dir.Path() + "file" + std::to_string(i) + ".txt";
        WriteTextFile(path, "x");
        list.Add(path, true);
    }
    OpenWashLog();
    int success = -1, fail = -1;
    EXPECT_THROW(WashFileList(list, true, true, {}, success, fail), AppError);
    EXPECT_FALSE(WashLogIsOpen());
    int left = 0;
    for (int i = 0; i < count; ++i) left += FileExists(list.Text(i));
    // The wash stopped part-way: the first files are gone, the last ones were not washed.
    EXPECT_GT(left, 0);
    EXPECT_LT(left, count);
    EXPECT_TRUE(FileExists(list.Text(count - 1)));
    EXPECT_THROW(CloseWashLog(), AppError);
    DeleteFileA(LogFilePath().c_str());
}

TEST_F(WashLog, AbandonKeepsRowsWrittenSoFarAndAllowsANewBlock) {
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\kept.txt", "");
    // A wash that ends by another error leaves the log open; the next wash starts cleanly.
    OpenWashLog();
    CloseWashLog();
    std::string text = ReadTextFile(LogFilePath());
    EXPECT_NE(text.find("C:\\kept.txt"), std::string::npos);
    EXPECT_EQ(text.find("</table>"), text.rfind("</table>"));
    EXPECT_FALSE(WashLogIsOpen());
}
