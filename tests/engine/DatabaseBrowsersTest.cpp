// The browsers a database item waits for: those asked to close before a wash the user starts.
#include <gtest/gtest.h>

#include "engine/DatabaseRows.h"

TEST(DatabaseBrowsers, EachItemWaitsForItsOwnBrowser) {
    using Images = std::vector<std::string>;
    const struct {
        const char* item;
        Images images;
    } rows[] = {
        {"Google Chrome History", {"chrome.exe"}},
        {"Chromium Cookies", {"chrome.exe"}},
        {"Microsoft Edge Cookies", {"msedge.exe"}},
        {"Brave History", {"brave.exe"}},
        {"Firefox Form History", {"firefox.exe"}},
        {"Compact browser databases", {"chrome.exe", "msedge.exe", "brave.exe", "firefox.exe"}},
        {"Recycle Bin", {}},
    };
    for (const auto& row : rows) EXPECT_EQ(DatabaseItemBrowsers(row.item), row.images) << row.item;
}
