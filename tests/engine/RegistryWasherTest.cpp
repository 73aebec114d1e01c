#include <gtest/gtest.h>

#include "engine/WashEngine.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

std::string KeyRow(const std::string& path) { return path + DeleteKeyMarker; }
std::string ValueRow(const std::string& key, const std::string& name) { return key + "\\" + DeleteValueMarker + name; }

class RegistryWash : public WashFolderTest {
protected:
    std::string Wash(const CheckListModel& list) {
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashRegistryList(list, true, success, fail);
        CloseWashLog();
        return ReadTextFile(LogFilePath());
    }
    static bool Has(const std::string& log, const std::string& colour, const std::string& item) {
        return log.find("color=\"" + colour + "\">" + item + "</font>") != std::string::npos;
    }

    TestKey key{"RegistryWash"};
    int success = -1, fail = -1;
};

}  // namespace

TEST(RegistryRow, SplitsAtTheFirstMarker) {
    const struct {
        const char* row;
        bool isKey;
        const char* split;  // path|name
    } rows[] = {{"HKCU\\Software\\A\\<|>DeleteKey", true, "HKCU\\Software\\A\\|"},
                {"HKCU\\A\\<|>DeleteValue<|>Last <|>DeleteValue<|>x", false, "HKCU\\A\\|Last <|>DeleteValue<|>x"},
                {"HKCU\\A", false, "HKCU\\A|"}};
    for (const auto& r : rows) {
        std::string path, name = "old";
        EXPECT_EQ(SplitRegistryRow(r.row, path, name), r.isKey) << r.row;
        EXPECT_EQ(path + "|" + name, r.split);
    }
}

// Names may hold the marker texts: a value "x<|>DeleteKey" must not turn its row into a key row
// (washing the whole key), a subkey "a<|>DeleteKeyb" must not wash a key of another name, and a
// value "y<|>Protected" is no protected row (nor the value "y").
TEST_F(RegistryWash, MarkerTextsInsideNamesWashTheRowShown) {
    key.Set("K", "x<|>DeleteKey", "1");
    key.Set("K", "y<|>Protected", "3");
    key.Set("K", "y", "4");
    key.Set("K", "kept", "2");
    key.Create("K\\a<|>DeleteKeyb");
    key.Create("K\\ab<|>DeleteKey");
    std::string path, name;
    EXPECT_TRUE(SplitRegistryRow(KeyRow(key.Full("K\\") + "a<|>DeleteKeyb"), path, name));
    EXPECT_EQ(path, key.Full("K\\") + "a<|>DeleteKeyb");
    Wash(MakeList({{ValueRow(key.Full("K"), "x<|>DeleteKey"), true},
                   {KeyRow(key.Full("K\\") + "a<|>DeleteKeyb"), true},
                   {ValueRow(key.Full("K"), "y<|>Protected"), true}}));
    EXPECT_EQ(success, 3);
    EXPECT_FALSE(key.Exists("K", "x<|>DeleteKey") || key.Exists("K", "y<|>Protected"));
    EXPECT_TRUE(key.Exists("K", "y"));
    EXPECT_TRUE(key.Exists("K", "kept"));
    EXPECT_FALSE(key.Exists("K\\a<|>DeleteKeyb"));
    EXPECT_TRUE(key.Exists("K\\ab<|>DeleteKey"));
}

TEST_F(RegistryWash, KeyRowDeletesTheKeyWithAllItsSubkeys) {
    key.Create("Item\\A\\Deep\\Deeper");
    key.Set("Item\\B", "v", "x");
    key.Create("Kept");
    // As expansion lists them: subkeys first (one unchecked), then the key itself.
    CheckListModel list = MakeList({{KeyRow(key.Full("Item\\") + "A"), true},
                                    {KeyRow(key.Full("Item\\") + "B"), false},
                                    {KeyRow(key.Full("Item\\")), true},
                                    {KeyRow(key.Full("Kept")), false}});
    std::string log = Wash(list);
    EXPECT_EQ(success, 2);
    EXPECT_EQ(fail, 0);
    EXPECT_FALSE(key.Exists("Item"));
    EXPECT_TRUE(key.Exists("Kept"));
    EXPECT_TRUE(Has(log, "#000040", key.Full("Item\\") + "A"));
    EXPECT_TRUE(Has(log, "#000040", key.Full("Item\\")));
    EXPECT_EQ(log.find("Kept"), std::string::npos);

    // Gone now: the same rows fail, in red.
    log = Wash(list);
    EXPECT_EQ(fail, 2);
    EXPECT_TRUE(Has(log, "#FF0000", key.Full("Item\\")));
}

TEST_F(RegistryWash, ValueRowsDeleteOneValueIncludingTheDefaultValue) {
    key.Set("K", "", "default data");
    key.Set("K", "Name", "a");
    key.Set("K", "Other", "b");
    std::string log = Wash(MakeList({{ValueRow(key.Full("K"), "Name"), true},
                                     {ValueRow(key.Full("K"), ""), true},
                                     {ValueRow(key.Full("K"), "Other"), false},
                                     {ValueRow(key.Full("K"), "Missing"), true},
                                     {ValueRow(key.Full("NoKey"), "Name"), true}}));
    EXPECT_EQ(success, 2);
    EXPECT_EQ(fail, 2);
    EXPECT_FALSE(key.Exists("K", "Name") || key.Exists("K", ""));
    EXPECT_TRUE(key.Exists("K", "Other"));
    EXPECT_TRUE(Has(log, "#000040", key.Full("K") + "\\Name"));
    EXPECT_TRUE(Has(log, "#000040", key.Full("K") + "\\"));
    EXPECT_TRUE(Has(log, "#FF0000", key.Full("K") + "\\Missing"));
}

TEST_F(RegistryWash, RootNamesMatchAnyCaseAndUnknownNamesDeleteNothing) {
    key.Set("Lower", "v", "1");
    key.Set("Unknown", "v", "1");
    key.Create("UnknownKey");
    const std::string below = "\\" + key.Path();
    std::string log = Wash(MakeList({{ValueRow("hkey_current_user" + below + "\\Lower", "v"), true},
                                     // The root of the row before must not carry over to an unknown root name.
                                     {ValueRow("HKEY_LOCAL_MACHINE" + below + "\\Unknown", "v"), true},
                                     {ValueRow("HKXX" + below + "\\Unknown", "v"), true},
                                     {KeyRow("HKEY_USERS" + below + "\\UnknownKey"), true},
                                     {KeyRow("  NoSuchRoot" + below + "\\UnknownKey\\"), true}}));
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 4);
    EXPECT_FALSE(key.Exists("Lower", "v"));
    EXPECT_TRUE(key.Exists("Unknown", "v") && key.Exists("UnknownKey"));
    EXPECT_TRUE(Has(log, "#FF0000", "HKXX" + below + "\\Unknown\\v"));
}

TEST_F(RegistryWash, RowsNamingNoKeyBelowARootDeleteNothing) {
    key.Set("Safe", "v", "1");
    const std::string marker = DeleteKeyMarker;
    std::string log = Wash(MakeList({{"HKEY_CURRENT_USER\\" + marker, true},
                                     {"HKEY_CURRENT_USER" + marker, true},
                                     {"HKEY_CURRENT_USER\\\\" + marker, true},
                                     {key.Full("Safe"), true}}));
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 4);
    EXPECT_TRUE(key.Exists("Safe", "v"));
    EXPECT_TRUE(Has(log, "#FF0000", key.Full("Safe")));
}

TEST_F(RegistryWash, ReadRowValueTextShowsTheCurrentData) {
    key.Set("V", "Text", "hello");
    key.Set("V", "", "default");
    DWORD number = 4242;
    BYTE bytes[] = {0x0A, 0xFF, 0x00};
    RegSetKeyValueA(HKEY_CURRENT_USER, (key.Path() + "\\V").c_str(), "Number", REG_DWORD, &number, 4);
    RegSetKeyValueA(HKEY_CURRENT_USER, (key.Path() + "\\V").c_str(), "Bytes", REG_BINARY, bytes, 3);
    const std::pair<std::string, std::string> rows[] = {
        {ValueRow(key.Full("V"), "Text"), "hello"},
        {ValueRow(key.Full("V"), ""), "default"},
        {ValueRow("Whatever\\" + key.Path() + "\\V", "Text"), ""},  // no root key
        {ValueRow(key.Full("V"), "Number"), "4242"},
        {ValueRow(key.Full("V"), "Bytes"), "0A FF 00"},
        {ValueRow(key.Full("V"), "Missing"), ""},
        {ValueRow(key.Full("None"), "Text"), ""},
        {KeyRow(key.Full("V")), ""}};
    for (const auto& [row, text] : rows) EXPECT_EQ(ReadRowValueText(row), text) << row;
}
