#include <gtest/gtest.h>

#include "engine/Unitwasher.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

std::string KeyRow(const std::string& path) { return path + DeleteKeyMarker; }
std::string ValueRow(const std::string& keyPath, const std::string& name) {
    return keyPath + "\\" + DeleteValueMarker + name;
}

class RegistryWash : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }

    std::string Wash(const CheckListModel& list) {
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashRegistryList(list, true, success, fail);
        CloseWashLog();
        return ReadTextFile(LogFilePath());
    }

    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    TestKey key{"RegistryWash"};
    int success = -1, fail = -1;
};

}  // namespace

TEST(RegistryRow, SplitsKeyRowsValueRowsAndRowsWithoutMarker) {
    std::string path, name = "old";
    EXPECT_TRUE(SplitRegistryRow("HKEY_CURRENT_USER\\Software\\A\\<|>DeleteKey", path, name));
    EXPECT_EQ(path, "HKEY_CURRENT_USER\\Software\\A\\");
    EXPECT_EQ(name, "");
    EXPECT_TRUE(SplitRegistryRow("HKCU\\Software\\A\\Sub<|>DeleteKey", path, name));
    EXPECT_EQ(path, "HKCU\\Software\\A\\Sub");

    EXPECT_FALSE(SplitRegistryRow("HKCU\\Software\\A\\<|>DeleteValue<|>Last <|>Value", path, name));
    EXPECT_EQ(path, "HKCU\\Software\\A\\");
    EXPECT_EQ(name, "Last <|>Value");
    EXPECT_FALSE(SplitRegistryRow("HKCU\\Software\\A\\<|>DeleteValue<|>", path, name));
    EXPECT_EQ(name, "");
    // A value named like the key marker is still a value.
    EXPECT_TRUE(SplitRegistryRow("HKCU\\A\\<|>DeleteValue<|>x<|>DeleteKey", path, name));

    EXPECT_FALSE(SplitRegistryRow("HKCU\\Software\\A", path, name));
    EXPECT_EQ(path, "HKCU\\Software\\A");
    EXPECT_EQ(name, "");
}

TEST_F(RegistryWash, KeyRowDeletesTheKeyWithAllItsSubkeys) {
    key.CreateSubkey("Item\\A\\Deep\\Deeper");
    key.CreateSubkey("Item\\B");
    key.SetString("Item\\B", "v", "x");
    key.CreateSubkey("Sibling");
    // Rows as expansion lists them: subkeys first (one left unchecked), then the key itself.
    CheckListModel list = MakeList({{KeyRow(key.Full("Item\\") + "A"), true},
                                    {KeyRow(key.Full("Item\\") + "B"), false},
                                    {KeyRow(key.Full("Item\\")), true}});
    std::string log = Wash(list);
    EXPECT_EQ(success, 2);
    EXPECT_EQ(fail, 0);
    EXPECT_FALSE(key.KeyExists("Item"));
    EXPECT_TRUE(key.KeyExists("Sibling"));
    EXPECT_NE(log.find("color=\"#000040\">" + key.Full("Item\\") + "A</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#000040\">" + key.Full("Item\\") + "</font>"), std::string::npos);
    EXPECT_EQ(log.find(key.Full("Item\\") + "B"), std::string::npos);

    // Gone now: the same rows fail, coloured red.
    log = Wash(list);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 2);
    EXPECT_NE(log.find("color=\"#FF0000\">" + key.Full("Item\\") + "</font>"), std::string::npos);
}

TEST_F(RegistryWash, ValueRowsDeleteOneValueIncludingTheDefaultValue) {
    key.SetString("K", "", "default data");
    key.SetString("K", "Name", "a");
    key.SetString("K", "Other", "b");
    CheckListModel list = MakeList({{ValueRow(key.Full("K"), "Name"), true},
                                    {ValueRow(key.Full("K"), ""), true},
                                    {ValueRow(key.Full("K"), "Other"), false},
                                    {ValueRow(key.Full("K"), "Missing"), true},
                                    {ValueRow(key.Full("NoKey"), "Name"), true}});
    std::string log = Wash(list);
    EXPECT_EQ(success, 2);
    EXPECT_EQ(fail, 2);
    EXPECT_FALSE(key.ValueExists("K", "Name"));
    EXPECT_FALSE(key.ValueExists("K", ""));
    EXPECT_TRUE(key.ValueExists("K", "Other"));
    EXPECT_TRUE(key.KeyExists("K"));
    EXPECT_NE(log.find(">" + key.Full("K") + "\\Name</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#000040\">" + key.Full("K") + "\\</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#FF0000\">" + key.Full("K") + "\\Missing</font>"), std::string::npos);
    EXPECT_EQ(log.find("Other"), std::string::npos);
}

TEST_F(RegistryWash, RootNamesMatchAnyCaseAndUnknownNamesMeanCurrentUser) {
    key.SetString("Lower", "v", "1");
    key.SetString("Unknown", "v", "1");
    key.CreateSubkey("UnknownKey");
    std::string below = key.Path();
    CheckListModel list = MakeList({
        {"hkey_current_user\\" + below + "\\Lower\\" + DeleteValueMarker + "v", true},
        // The previous root must not carry over to a row with an unknown root name.
        {"HKEY_LOCAL_MACHINE\\" + below + "\\Unknown\\" + DeleteValueMarker + "v", true},
        {"HKCU\\" + below + "\\Unknown\\" + DeleteValueMarker + "v", true},
        {"HKEY_USERS\\" + below + "\\UnknownKey" + DeleteKeyMarker, true},
        {"  NoSuchRoot\\" + below + "\\UnknownKey\\" + DeleteKeyMarker, true},
    });
    Wash(list);
    EXPECT_EQ(success, 3);
    EXPECT_EQ(fail, 2);
    EXPECT_FALSE(key.ValueExists("Lower", "v"));
    EXPECT_FALSE(key.ValueExists("Unknown", "v"));
    EXPECT_FALSE(key.KeyExists("UnknownKey"));
}

TEST_F(RegistryWash, RowsThatNameNoKeyBelowARootDeleteNothing) {
    key.SetString("Safe", "v", "1");
    CheckListModel list = MakeList({{"HKEY_CURRENT_USER\\" + std::string(DeleteKeyMarker), true},
                                    {"HKEY_CURRENT_USER" + std::string(DeleteKeyMarker), true},
                                    {"HKEY_CURRENT_USER\\\\" + std::string(DeleteKeyMarker), true},
                                    {key.Full("Safe"), true}});
    std::string log = Wash(list);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 4);
    EXPECT_TRUE(key.ValueExists("Safe", "v"));
    RegistryKey software(HKEY_CURRENT_USER);
    EXPECT_TRUE(software.OpenKey("\\Software"));
    EXPECT_NE(log.find("color=\"#FF0000\">" + key.Full("Safe") + "</font>"), std::string::npos);
}

TEST_F(RegistryWash, EmptyListAndUncheckedRowsGiveZeroCounts) {
    key.CreateSubkey("Kept");
    std::string log = Wash(MakeList({{KeyRow(key.Full("Kept")), false}}));
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 0);
    EXPECT_TRUE(key.KeyExists("Kept"));
    EXPECT_EQ(log.find("<td width=\"61%\"><font"), std::string::npos);
    WashRegistryList(CheckListModel(), false, success, fail);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 0);
}

TEST_F(RegistryWash, ReadRowValueTextShowsCurrentData) {
    key.SetString("V", "Text", "hello");
    key.SetString("V", "", "default");
    key.SetDword("V", "Number", 4242);
    BYTE binary[] = {0x0A, 0xFF, 0x00};
    RegSetKeyValueA(HKEY_CURRENT_USER, (key.Path() + "\\V").c_str(), "Bytes", REG_BINARY, binary, sizeof(binary));
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "Text")), "hello");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "")), "default");
    EXPECT_EQ(ReadRowValueText(ValueRow("hkey_current_user\\" + key.Path() + "\\V", "Text")), "hello");
    EXPECT_EQ(ReadRowValueText(ValueRow("Whatever\\" + key.Path() + "\\V", "Text")), "hello");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "Number")), "4242");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "Bytes")), "0A FF 00");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "Missing")), "");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("None"), "Text")), "");
    EXPECT_EQ(ReadRowValueText(KeyRow(key.Full("V"))), "");
    key.SetString("V", "Text", "changed");
    EXPECT_EQ(ReadRowValueText(ValueRow(key.Full("V"), "Text")), "changed");
}
