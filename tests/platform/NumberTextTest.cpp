// Counts as the user reads them: grouped, and zero written as a digit.
#include <gtest/gtest.h>

#include "platform/NumberText.h"

TEST(NumberText, GroupedWithEveryDigit) {
    const struct {
        int64_t value;
        const char* text;
    } rows[] = {{0, "0"}, {7, "7"}, {1234, "1,234"}, {1234567, "1,234,567"}, {-1234, "-1,234"}};
    for (const auto& row : rows) EXPECT_EQ(GroupedNumber(row.value), row.text) << row.value;
}
