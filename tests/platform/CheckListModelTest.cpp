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

// The sums follow every kind of change; a wrong sum after unchecking one row or checking all
// would show a false total in the preview.
TEST(CheckListModel, SpaceSumsFollowChecksAndRowsTravelWithTheirSpaceWhenSorted) {
    CheckListModel model;
    model.Add("b", true, 4096);
    const std::vector<uint64_t> spaces{0, 8192, 4096};
    model.AddRows(std::vector<std::string>{"c", "A", "d"}, false, &spaces);
    auto sums = [&] {
        return std::to_string(model.Count()) + " " + std::to_string(model.TotalSpace()) + " " +
               std::to_string(model.CheckedCount()) + " " + std::to_string(model.CheckedSpace());
    };
    EXPECT_EQ(sums(), "4 16384 1 4096");
    model.SetChecked(1, true);  // "c", empty
    model.SetChecked(2, true);
    EXPECT_EQ(sums(), "4 16384 3 12288");
    model.SetChecked(0, false);
    EXPECT_EQ(sums(), "4 16384 2 8192");
    model.CheckAll(true);
    EXPECT_EQ(sums(), "4 16384 4 16384");

    auto order = [&] {
        std::string text;
        for (const auto& row : model.Rows()) text += row.text + std::to_string(row.space / 4096);
        return text;
    };
    model.SortBy(CheckListOrder::Space, false);
    EXPECT_EQ(order(), "c0b1d1A2");  // equal sizes keep their order
    model.SortBy(CheckListOrder::Space, true);
    EXPECT_EQ(order(), "A2b1d1c0");
    model.SortBy(CheckListOrder::Text, false);
    EXPECT_EQ(order(), "A2b1c0d1");
    EXPECT_TRUE(model.Sorted());
    model.SortBy(CheckListOrder::Text, true);
    EXPECT_EQ(order(), "d1c0b1A2");
    EXPECT_FALSE(model.Sorted());
    model.SetChecked(3, false);  // "A" went with its space
    EXPECT_EQ(sums(), "4 16384 3 8192");
    model.Clear();
    EXPECT_EQ(sums(), "0 0 0 0");
}
