#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Registry.h"

namespace {
const std::string TestKey = "Software\\VarnoltTests\\Platform";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, TestKey); }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, TestKey); }
};
}  // namespace

TEST_F(RegistryTest, ReadsStringsAndRefusesOtherTypes) {
    RegistryKey reg;
    ASSERT_FALSE(reg.OpenKey(TestKey));  // opening never creates
    ASSERT_TRUE(reg.OpenKey(TestKey, true));
    reg.WriteString("Name", "C:\\Temp");
    DWORD number = 5;
    RegSetValueExA(reg.Handle(), "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof(number));
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey("\\" + TestKey));
    EXPECT_EQ(reg.ReadString("Name"), "C:\\Temp");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_TRUE(reg.ValueExists("Number"));
    try {
        reg.ReadString("Number");
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid data type for 'Number'");
    }
}

TEST_F(RegistryTest, DeletesKeysWithAllTheirSubkeys) {
    RegistryKey reg;
    for (const char* sub : {"\\A\\A1\\A11", "\\A\\A2", "\\B"}) ASSERT_TRUE(reg.OpenKey(TestKey + sub, true));
    reg.WriteString("v", "x");
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey(TestKey));
    auto names = reg.GetKeyNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(reg.DeleteKey("A"));  // relative to the open key
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"B"});
    reg.CloseKey();
    EXPECT_FALSE(reg.KeyExists(TestKey + "\\A"));
    EXPECT_TRUE(reg.DeleteKey(TestKey));
    EXPECT_FALSE(reg.KeyExists(TestKey));
    EXPECT_FALSE(reg.DeleteKey(TestKey));  // already gone
}

TEST_F(RegistryTest, EnumeratesAndDeletesValuesIncludingTheDefault) {
    RegistryKey reg;
    ASSERT_TRUE(reg.OpenKey(TestKey, true));
    reg.WriteString("", "default");
    reg.WriteString("one", "1");
    auto values = reg.GetValueNames();
    EXPECT_EQ(values.size(), 2u);
    EXPECT_TRUE(reg.DeleteValue(""));
    EXPECT_FALSE(reg.ValueExists(""));
    EXPECT_FALSE(reg.DeleteValue("absent"));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"one"});
}
