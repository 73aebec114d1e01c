// The supplied wash items' names and their entries' names have English texts in the tables, so
// each shows in the language in use while data/const/system.txt keeps the English names.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalogue/Catalogue.h"
#include "platform/Language.h"

TEST(SuppliedNames, EveryItemAndEntryNameIsAnEnglishText) {
    std::string file = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(file.begin(), file.end(), '/', '\\');
    std::set<std::string> english;
    for (const auto& [id, text] : TableOf(EnglishLanguage)) english.insert(text);

    Catalogue supplied;
    supplied.LoadFromFile(file);
    ASSERT_GT(supplied.Count(), 30) << file;
    size_t entries = 0;
    for (const CatalogueRow& row : supplied.Items) {
        EXPECT_TRUE(english.count(row.ItemName)) << "wash item without a text: " << row.ItemName;
        const WashItem item(row.ItemFile, row.ItemName);
        std::vector<std::string> names;
        for (const auto& entry : item.FolderEntries.Items) names.push_back(entry.Name);
        for (const auto& entry : item.RegistryEntries.Items) names.push_back(entry.Name);
        for (const std::string& name : names)
            EXPECT_TRUE(english.count(name)) << "entry without a text: " << row.ItemName << " -> " << name;
        entries += names.size();
    }
    EXPECT_GT(entries, 55u);
}
