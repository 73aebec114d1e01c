// Adding many rows at once to a check list model, sorted or not.
#include <gtest/gtest.h>

#include "platform/CheckListModel.h"

namespace {
std::vector<std::string> Texts(const CheckListModel& model) {
    std::vector<std::string> texts;
    for (const auto& row : model.Rows()) texts.push_back(row.text + (row.checked ? "+" : ""));
    return texts;
}
using Strings = std::vector<std::string>;
}  // namespace

TEST(CheckListRows, AddRowsAppendsUnsortedAndMergesSortedAfterEqualRows) {
    CheckListModel model;
    int changes = 0;
    model.OnChanged = [&](int index) { changes += index == -1; };
    model.AddRows({"c:\\b", "C:\\A"}, true);
    model.AddRows({});
    EXPECT_EQ(Texts(model), (Strings{"c:\\b+", "C:\\A+"}));
    EXPECT_EQ(changes, 1);

    model.SetSorted(true);
    model.AddRows({"C:\\B", "c:\\0", "c:\\a", "c:\\c"});
    EXPECT_EQ(Texts(model), (Strings{"c:\\0", "C:\\A+", "c:\\a", "c:\\b+", "C:\\B", "c:\\c"}));
    // Rows added one by one land where the merged ones did.
    CheckListModel single;
    single.SetSorted(true);
    for (const char* text : {"c:\\b", "C:\\A", "C:\\B", "c:\\0", "c:\\a", "c:\\c"}) single.Add(text);
    Strings plain;
    for (const auto& row : model.Rows()) plain.push_back(row.text);
    EXPECT_EQ(Texts(single), plain);
}
