// The summary line of a wash in log.htm: one for the whole wash, after its last block, whatever
// special items follow the files.
#include <gtest/gtest.h>

#include "dialogs/PreviewAllDialog.h"
#include "platform/DiskSpace.h"
#include "tests/dialogs/PreviewTestUtil.h"

namespace {
const std::string SummaryStart = "<p><font size=\"2\">";

// The summary lines of the log, in order, and whether the last one ends the file.
std::vector<std::string> SummaryLines(const std::string& log, bool& last) {
    std::vector<std::string> lines;
    size_t at = 0, end = 0;
    while ((at = log.find(SummaryStart, at)) != std::string::npos) {
        end = log.find("</font></p>\r\n", at);
        lines.push_back(log.substr(at + SummaryStart.size(), end - at - SummaryStart.size()));
        at = end;
    }
    last = !lines.empty() && end + 13 == log.size();
    return lines;
}
}  // namespace

TEST(WashSummaryLine, OneLineForTheWholeWashAfterItsLastBlock) {
    struct Case {
        const char* name;
        Strings specials;
        Blocks blocks;
    };
    for (const Case& c : {Case{"FilesOnly", {}, {{"a.txt", "b.txt"}}},
                          Case{"WithSpecialItems", {"First special", "Second special"},
                               {{"a.txt", "b.txt"}, {"First special"}, {"Second special"}}}}) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ProgramDirScope scope{dir.Path()};
        RecordedContext recorded;
        const std::string a = dir.Path() + "a.txt", b = dir.Path() + "b.txt";
        WriteTextFile(a, std::string(1000, 'x'));
        WriteTextFile(b, std::string(24, 'x'));
        PreviewAllDialog dialog;
        dialog.Context = recorded.Make();
        for (const auto& name : c.specials) dialog.SpecialList.Add(name);
        const std::vector<uint64_t> spaces = {1024, 1024};
        AppendRows(dialog.FileList, {a, b}, &spaces);
        dialog.OnSelectAllSpecials();
        dialog.OnSelectAllFiles();
        dialog.OnWash();

        Blocks expected = c.blocks;
        expected[0] = {a, b};
        EXPECT_EQ(LogBlocks(), expected);
        bool last = false;
        EXPECT_EQ(SummaryLines(ReadTextFile(LogFilePath()), last),
                  Strings{"Files washed: 2, space freed: " + FormatSpace(2048) + ", failures: 0"});
        EXPECT_TRUE(last) << "the summary line ends the wash's last block";
    }
}
