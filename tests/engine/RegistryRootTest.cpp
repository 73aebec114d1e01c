// The short root names (HKCU, HKLM, HKCR, HKU, HKCC) stand for their root keys wherever a key
// path is read; any other text before the first "\" names no root.
#include <gtest/gtest.h>

#include "catalogue/PluginCheck.h"
#include "catalogue/RootKeys.h"
#include "catalogue/WashItem.h"
#include "engine/WashEngine.h"
#include "platform/Registry.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

TEST(RegistryRoot, ShortNamesAreTheRootKeysAndOtherNamesNone) {
    const struct {
        const char* path;
        HKEY root;
    } rows[] = {
        {"HKCU\\Software\\X", HKEY_CURRENT_USER},   {"hklm\\Software\\X", HKEY_LOCAL_MACHINE},
        {"HKCR\\.txt", HKEY_CLASSES_ROOT},          {"Hku\\.DEFAULT", HKEY_USERS},
        {"HKCC\\System", HKEY_CURRENT_CONFIG},      {"HKEY_CURRENT_USER\\Software", HKEY_CURRENT_USER},
        {"HKXX\\Software\\X", nullptr},             {"HKCUX\\Software", nullptr},
        {"HKC\\Software", nullptr},                 {"HKEY_CURRENT_USERX\\x", nullptr},
    };
    for (const auto& row : rows) EXPECT_EQ(SplitRegistryPath(row.path).root, row.root) << row.path;
}

// A wash item file that writes HKCU lists and washes the key, and keeps its text; the same
// entry is judged by the plug-in check as the long name would be.
TEST(RegistryRoot, StoredEntryWithShortRootListsWashesAndKeepsItsText) {
    TestKey key("RegistryRoot");
    key.Set("Mru", "a", "1");
    key.Create("Mru\\Sub");
    TempDir dir;
    const std::string file = dir.Path() + "user.txt";
    const std::string text = "[Common]\r\nTotal=1\r\nItem0=Mine\r\n[Mine]\r\ntRegister.Total=1\r\n"
                             "tRegister0.ChildItemName=Mru\r\ntRegister0.RegisterKeyName=HKCU\\" + key.Path() +
                             "\\Mru\r\ntRegister0.isactive=1\r\n";
    WriteTextFile(file, text);
    WashItem item(file, "Mine");
    ASSERT_EQ(item.RegistryEntries.Count(), 1);
    RegistryEntry& entry = item.RegistryEntries.Items[0];
    EXPECT_EQ(entry.NoRowsReason(), "");
    std::vector<std::string> rows;
    entry.ListRegistry(rows);
    const std::string prefix = "HKCU\\" + key.Path() + "\\Mru\\";
    EXPECT_EQ(rows, (std::vector<std::string>{prefix + "Sub<|>DeleteKey", prefix + "<|>DeleteKey"}));
    EXPECT_EQ(RegistryEntryRefusal(entry), "");

    RegistryKey registry;
    EXPECT_TRUE(DeleteRegistryRow(registry, prefix, "", true));
    EXPECT_FALSE(key.Exists("Mru"));
    EXPECT_EQ(ReadTextFile(file), text);

    // A root key's first-level key stays refused under its short name.
    RegistryEntry wide = entry;
    wide.KeyName = "HKCU\\Software";
    EXPECT_NE(RegistryEntryRefusal(wide), "");
    wide.KeyName = "HKXX\\Software\\X";
    EXPECT_EQ(wide.NoRowsReason(),
              "'HKXX' is not a registry root key such as HKEY_CURRENT_USER, so this entry lists nothing.");
}
