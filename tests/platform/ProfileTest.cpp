#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    TempDir dir;
    ProfileFile ini(dir.Path() + "none.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("S", "K", 7), 7);
    EXPECT_TRUE(ini.ReadBool("S", "K", true));
    EXPECT_FALSE(FileExists(ini.Path()));  // reading creates nothing
    WriteTextFile(ini.Path(), "[S]\r\nOther=1\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "K", -3), -3);
    EXPECT_EQ(ini.ReadInteger("T", "Other", 9), 9);
}

TEST(Profile, IntegerAndBooleanEncodings) {
    TempDir dir;
    ProfileFile ini(dir.Path() + "enc.ini");
    WriteTextFile(ini.Path(),
                  "[N]\r\nhex=0x1E\r\nhexUpper=0X1f\r\ndollar=$10\r\nneg=-42\r\nword=abc\r\nmixed=12a\r\n"
                  "empty=\r\nspaced=  17  \r\nbig=99999999999\r\n"
                  "[B]\r\none=1\r\nzero=0\r\ntwo=2\r\nhexb=0x0\r\ntext=yes\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 30);
    EXPECT_EQ(ini.ReadInteger("N", "hexUpper", 0), 31);
    EXPECT_EQ(ini.ReadInteger("n", "Dollar", 0), 16);  // names ignore case
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -42);
    EXPECT_EQ(ini.ReadInteger("N", "word", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "mixed", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "spaced", 5), 17);
    EXPECT_EQ(ini.ReadInteger("N", "big", 5), 5);
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_FALSE(ini.ReadBool("B", "hexb", true));
    EXPECT_TRUE(ini.ReadBool("B", "text", true));
    EXPECT_FALSE(ini.ReadBool("B", "text", false));
}

TEST(Profile, WritesBooleansAsDigitsAndCutsLongValues) {
    TempDir dir;
    ProfileFile ini(dir.Path() + "w.ini");
    ini.WriteBool("S", "on", true);
    ini.WriteBool("S", "off", false);
    ini.WriteInteger("S", "n", -5);
    EXPECT_EQ(ReadTextFile(ini.Path()), "[S]\r\non=1\r\noff=0\r\nn=-5\r\n");

    std::string longValue(3000, 'x');
    ini.WriteString("S", "long", longValue);
    EXPECT_EQ(ini.ReadString("S", "long"), std::string(2047, 'x'));
    ini.WriteString("S", "padded", "  a b  ");
    EXPECT_EQ(ini.ReadString("S", "padded"), "a b");
}

TEST(Profile, EraseSectionAndDeleteKey) {
    TempDir dir;
    ProfileFile ini(dir.Path() + "e.ini");
    ini.WriteString("A", "k1", "1");
    ini.WriteString("A", "k2", "2");
    ini.WriteString("B", "k", "3");
    EXPECT_TRUE(ini.DeleteKey("A", "k1"));
    EXPECT_EQ(ini.ReadString("A", "k1", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("A", "k2"), "2");
    EXPECT_TRUE(ini.EraseSection("A"));
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ReadTextFile(ini.Path()), "[B]\r\nk=3\r\n");
}

TEST(Profile, RefusedWriteRaisesWithThePath) {
    TempDir dir;
    std::string path = dir.Path() + "missing\\folder\\x.ini";
    ProfileFile ini(path);
    try {
        ini.WriteString("S", "K", "v");
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}
