// Scripts name their items: /list and /wash with /item NAME, the list's sizes and total, and
// the report's failure codes.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <sstream>

#include "platform/DiskSpace.h"
#include "tests/support/EnvScope.h"
#include "tests/support/Json.h"
#include "tests/support/StagedProgram.h"

namespace {

// "Junk" and "Traces" are checked, "Kept" and "Run History" (a supplied name) are not.
class ItemSelectionTest : public StagedProgramTest {
protected:
    void SetUp() override {
        StagedProgramTest::SetUp();
        junk = temp.Path() + "junk\\";
        CreateDirectoryA(junk.c_str(), nullptr);
        WriteTextFile(junk + "one.tmp", std::string(100, '1'));
        WriteTextFile(junk + "two.tmp", std::string(9000, '2'));
        WriteTextFile(junk + "keep.txt", "3");
        WriteTextFile(junk + "run.log", "4");
        key.Create("Traces\\Sub");
        auto folderItem = [](const std::string& name, bool checked, const std::string& files) {
            return "[" + name + "]\r\nIsActive=" + (checked ? "1" : "0") +
                   "\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Files\r\ntFolder0.isactive=1\r\n"
                   "tFolder0.bycategory=1\r\ntFolder0.deletepath=" + files + "\r\n";
        };
        WriteItems("[Common]\r\nTotal=4\r\nItem0=Junk\r\nItem1=Kept\r\nItem2=Run History\r\nItem3=Traces\r\n" +
                   folderItem("Junk", true, junk + "*.tmp") + folderItem("Kept", false, junk + "keep.txt") +
                   folderItem("Run History", false, junk + "run.log") +
                   "[Traces]\r\nIsActive=1\r\ntRegister.Total=1\r\ntRegister0.ChildItemName=Traces\r\n"
                   "tRegister0.isactive=1\r\ntRegister0.RegisterKeyName=" +
                   key.Full("Traces") + "\r\ntRegister0.CleanRegisterType=0\r\n");
        WriteSettings("[Log]\r\nWrite to Log=1\r\n");
        local = temp.Path() + "Local";
        CreateDirectoryA(local.c_str(), nullptr);
        env.Set("LOCALAPPDATA", local);
        cluster = ClusterSizeOf(junk);
    }

    std::string Row(const std::string& name, uint64_t size) const {
        return junk + name + "\t" + std::to_string(SpaceOnDisk(size, cluster));
    }
    std::string Total(uint64_t bytes) const { return "Total\t" + std::to_string(bytes); }
    uint64_t Space(uint64_t size) const { return SpaceOnDisk(size, cluster); }
    TestKey key{"ItemSelection"};
    EnvScope env;
    std::string junk, local;
    uint64_t cluster = 0;
};

}  // namespace

// Every file row carries its space on disk, as the previews show it; a total line ends the list.
TEST_F(ItemSelectionTest, ListShowsTheNamedItemsCheckedOrNotWithSizesAndATotal) {
    const std::string keyRows[] = {key.Full("Traces") + "\\Sub", key.Full("Traces") + "\\"};
    const struct {
        std::string items;
        std::set<std::string> lines;
    } cases[] = {
        {"", {Row("one.tmp", 100), Row("two.tmp", 9000), keyRows[0], keyRows[1], Total(Space(100) + Space(9000))}},
        {"/item Kept", {Row("keep.txt", 1), Total(Space(1))}},
        {"/item kept /item \"Run History\"", {Row("keep.txt", 1), Row("run.log", 1), Total(2 * Space(1))}},
        {"-Item J?NK", {Row("one.tmp", 100), Row("two.tmp", 9000), Total(Space(100) + Space(9000))}},
        {"/item Tr*", {keyRows[0], keyRows[1], Total(0)}},
        {"/item * /item Junk",
         {Row("one.tmp", 100), Row("two.tmp", 9000), Row("keep.txt", 1), Row("run.log", 1), keyRows[0], keyRows[1],
          Total(Space(100) + Space(9000) + 2 * Space(1))}},
    };
    const std::string out = temp.Path() + "rows.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.items);
        ASSERT_EQ(Run("/list \"" + out + "\" " + c.items), 0) << Console();
        const std::string text = ReadTextFile(out);
        EXPECT_EQ(LinesOf(text, true), c.lines) << text;
        EXPECT_EQ(text.rfind("Total\t", text.size() - 1), text.rfind("\r\n", text.size() - 3) + 2) << "last line";
    }
    EXPECT_TRUE(FileExists(junk + "keep.txt"));
}

// A supplied item is named as the list shows it in the language in use, or as stored.
TEST_F(ItemSelectionTest, ASuppliedItemIsNamedInTheLanguageInUse) {
    WriteTextFile(dir + "wildcard.ini", "[Language]\r\nLanguage=de\r\n");
    const std::string out = temp.Path() + "rows.txt";
    for (const char* name : {"Ausf*Verlauf", "\"Run History\""}) {
        ASSERT_EQ(Run("/list \"" + out + "\" /item " + name), 0) << name << ": " << Console();
        EXPECT_EQ(LinesOf(ReadTextFile(out), true), (std::set<std::string>{Row("run.log", 1), Total(Space(1))}))
            << name;
    }
}

// One name that names no item stops the command before anything is listed or washed.
TEST_F(ItemSelectionTest, AnUnknownNameIsAnErrorAndNothingIsWashed) {
    const std::string report = temp.Path() + "report.json", out = temp.Path() + "rows.txt";
    EXPECT_EQ(Run("/wash /item Junk /item \"No such*\" /report \"" + report + "\""), 2);
    EXPECT_NE(Console().find("No such*"), std::string::npos) << Console();
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    EXPECT_TRUE(key.Exists("Traces\\Sub"));
    EXPECT_FALSE(FileExists(dir + "log.htm"));
    JsonValue parsed;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadTextFile(report), parsed, error)) << error;
    EXPECT_EQ(parsed["exitCode"].Int(), 2);
    EXPECT_NE(parsed["error"].text.find("No such*"), std::string::npos) << parsed["error"].text;
    EXPECT_TRUE(parsed["items"].items.empty());

    EXPECT_EQ(Run("/list \"" + out + "\" /item Kepts"), 2);
    EXPECT_NE(Console().find("Kepts"), std::string::npos) << Console();
    EXPECT_FALSE(FileExists(out));
}

// Only the named items go, the unchecked one included; a file that stayed has a code scripts
// can test whatever the language.
TEST_F(ItemSelectionTest, WashTakesOnlyTheNamedItemsAndReportsStableCodes) {
    WriteTextFile(dir + "wildcard.ini", "[Log]\r\nWrite to Log=1\r\n[Language]\r\nLanguage=de\r\n");
    const std::string report = temp.Path() + "report.json", held = junk + "two.tmp";
    HANDLE hold = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    const int code = Run("/wash /item Kept /item Junk /report \"" + report + "\"");
    CloseHandle(hold);
    EXPECT_EQ(code, 1) << Console();
    EXPECT_FALSE(FileExists(junk + "one.tmp"));
    EXPECT_FALSE(FileExists(junk + "keep.txt"));
    EXPECT_TRUE(FileExists(held));
    EXPECT_TRUE(FileExists(junk + "run.log"));
    EXPECT_TRUE(key.Exists("Traces\\Sub")) << "checked, but not named";

    JsonValue parsed;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadTextFile(report), parsed, error)) << error;
    const auto& items = parsed["items"].items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]["name"].text, "Junk") << "in list order";
    EXPECT_EQ(items[1]["name"].text, "Kept");
    ASSERT_EQ(items[0]["failures"].items.size(), 1u);
    const JsonValue& failure = items[0]["failures"].items[0];
    EXPECT_EQ(failure["path"].text, held);
    EXPECT_EQ(failure["code"].text, "locked");
    EXPECT_FALSE(failure["reason"].text.empty());
}
