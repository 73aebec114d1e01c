#include <gtest/gtest.h>

#include "platform/CheckListModel.h"
#include "platform/Text.h"

namespace {
std::vector<std::string> Texts(const CheckListModel& model) {
    std::vector<std::string> texts;
    for (const auto& row : model.Rows()) texts.push_back(row.text);
    return texts;
}
}  // namespace

TEST(CheckListModel, SortedModeSortsOnceKeepsDuplicatesAndInsertsInOrder) {
    CheckListModel model;
    model.Add("c:\\b.txt", true);
    model.Add("C:\\a.txt", false);
    model.Add("c:\\B.TXT", true);
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"c:\\b.txt", "C:\\a.txt", "c:\\B.TXT"}));
    model.SetSorted(true);
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"C:\\a.txt", "c:\\b.txt", "c:\\B.TXT"}));
    EXPECT_FALSE(model.Checked(0));  // the check mark travels with its row
    EXPECT_EQ(model.Add("c:\\AB.txt"), 1);
    EXPECT_EQ(model.Add("C:\\b.txt"), 4);  // after the rows that compare equal
    EXPECT_EQ(model.Count(), 5);
}

TEST(CheckListModel, ChangesAreReportedAndCheckAllCoversEveryRow) {
    CheckListModel model;
    std::vector<int> changes;
    model.OnChanged = [&](int index) { changes.push_back(index); };
    model.Add("a");
    model.Add("b");
    model.SetChecked(1, true);
    model.SetChecked(1, true);  // no change, no report
    model.SetChecked(5, true);  // out of range: ignored
    EXPECT_EQ(changes, (std::vector<int>{0, 1, 1}));
    model.CheckAll(true);
    EXPECT_TRUE(model.Checked(0) && model.Checked(1));
    model.CheckAll(false);
    EXPECT_FALSE(model.Checked(0) || model.Checked(1));
}

TEST(Text, ParsesIntegersLikeTheProfileReader) {
    int v = 0;
    EXPECT_TRUE(TryParseInt("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryParseInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_FALSE(TryParseInt("2147483648", v));
    EXPECT_FALSE(TryParseInt("0x", v));
    EXPECT_FALSE(TryParseInt("-", v));
    EXPECT_FALSE(TryParseInt("1 2", v));
    EXPECT_EQ(ExtractFilePath("C:\\dir\\file.txt"), "C:\\dir\\");
    EXPECT_EQ(ExtractFileName("C:\\dir\\file.txt"), "file.txt");
}
