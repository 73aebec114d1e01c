// Which supplied wash items belong to a browser, for the wash when that browser closes.
#include <gtest/gtest.h>

#include <map>

#include "engine/RunningPrograms.h"
#include "platform/Profile.h"

TEST(BrowserItems, EachSuppliedBrowserItemBelongsToItsBrowserAndNoOtherItemDoes) {
    const std::pair<const char*, const char*> names[] = {
        {"Google Chrome Cookies", "chrome.exe"}, {"microsoft edge history", "msedge.exe"},
        {"Brave Cache", "brave.exe"},            {"Firefox Sessions", "firefox.exe"},
        {"Google Chrome", ""},                   {"Firefoxes", ""},
        {"Internet Explorer Cookies", ""},       {"Temp Files", ""},
    };
    for (const auto& [name, image] : names) EXPECT_EQ(BrowserOfItem(name), image) << name;

    // The supplied catalogue: four items for each of Chrome, Edge and Brave (Cache, History,
    // Cookies, Sessions), five for Firefox (those and Form History).
    ProfileFile supplied(std::string(VARNOLT_SOURCE_DIR) + "/data/const/system.txt");
    std::map<std::string, int> items;
    for (int i = 0, total = supplied.ReadInteger("Common", "Total", 0); i < total; ++i) {
        const std::string image = BrowserOfItem(supplied.ReadString("Common", "Item" + std::to_string(i)));
        if (!image.empty()) ++items[image];
    }
    EXPECT_EQ(items, (std::map<std::string, int>{{"brave.exe", 4}, {"chrome.exe", 4}, {"firefox.exe", 5}, {"msedge.exe", 4}}));
}
