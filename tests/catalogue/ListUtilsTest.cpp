#include <gtest/gtest.h>

#include "catalogue/ListUtils.h"

namespace {
using Texts = std::vector<std::string>;
}  // namespace

TEST(ListUtils, TextTestsAndCheckAll) {
    EXPECT_FALSE(ListHasText(Texts{}, "x"));
    EXPECT_FALSE(ListHasTextElsewhere(Texts{"Temp"}, "Temp", 0));
    Texts names{"Temp Files", " Cookies ", "History"};
    EXPECT_TRUE(ListHasText(names, "temp files "));
    EXPECT_FALSE(ListHasText(names, "Temp"));
    EXPECT_FALSE(ListHasTextElsewhere(names, "cookies", 1));
    EXPECT_TRUE(ListHasTextElsewhere(names, "COOKIES", 0));

    CheckListModel list;
    list.Add("Temp Files");
    list.Add("History");
    EXPECT_TRUE(ListHasText(list, " HISTORY"));
    EXPECT_FALSE(ListHasTextElsewhere(list, "history", 1));
    CheckAll(list, 1);
    EXPECT_TRUE(list.Checked(0) && list.Checked(1));
}
