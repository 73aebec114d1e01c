// The in-memory INI reader against the system's GetPrivateProfileStringA on the same files:
// every section and key the file names (and some it doesn't) must read the same.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileSnapshot.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

// Reads every query both ways; returns the differences, one per line.
std::string Differences(const std::string& path, const std::vector<std::string>& sections,
                        const std::vector<std::string>& keys) {
    ProfileSnapshot snapshot;
    if (!snapshot.Load(path)) return "snapshot refused the file";
    ProfileFile system(path);
    std::string out;
    for (const auto& section : sections) {
        auto a = snapshot.ReadSection(section), b = system.ReadSection(section);
        if (a != b) {
            out += "[" + section + "] keys:";
            for (const auto& k : a) out += " " + k + ";";
            out += " vs";
            for (const auto& k : b) out += " " + k + ";";
            out += "\n";
        }
        for (const auto& key : keys) {
            std::string x = snapshot.ReadString(section, key, "def"), y = system.ReadString(section, key, "def");
            if (x != y) out += "[" + section + "] " + key + ": '" + x + "' vs '" + y + "'\n";
        }
    }
    return out;
}

}  // namespace

TEST(ProfileSnapshot, ReadsLikeTheSystemProfileFunctions) {
    TempDir dir;
    std::string path = dir.Path() + "a.ini";
    std::string longValue(3000, 'x');
    longValue[2046] = 'y';
    WriteTextFile(path,
                  "lost=before any section\r\n"
                  "[Common]\r\nTotal=3\r\nItem0=First\r\nITEM0=Shadowed\r\n  Item1  =  padded value \t\r\n"
                  "Item2=\"quoted\"\r\nQuote1='single'\r\nQuote2=\"open\r\nQuote3=\"\r\nEmpty=\r\nNoEquals\r\n"
                  "Eq=a=b\r\n; comment=1\r\nLong=" + longValue + "\r\n"
                  "[ Spaced ]\r\nk=1\r\n[common]\r\nTotal=99\r\nOnlyHere=x\r\n"
                  "[Name<|>C:\\dir\\user.txt]\nLF=only\rCR=only\r\n[Broken\r\nafter=broken\r\n[]\r\nnameless=1\r\n"
                  "[Caf\xe9]\r\nAccent=\xe9t\xe9\r\n[Last]x\r\nk=last");
    std::vector<std::string> sections = {"Common", "COMMON", " Common ", "Spaced", "Name<|>C:\\dir\\user.txt",
                                         "Broken", "", "Caf\xe9", "CAF\xc9", "Last", "Missing"};
    std::vector<std::string> keys = {"Total",    "Item0",  "item1",  "Item2",   "Quote1",    "Quote2",
                                     "Quote3",   "Empty",  "NoEquals", "Eq",    "; comment", "Long",
                                     "k",        "OnlyHere", "LF",   "CR",      "after",     "nameless",
                                     "Accent",   "lost",   " Item0 ", "Absent"};
    EXPECT_EQ(Differences(path, sections, keys), "");
}

TEST(ProfileSnapshot, MissingFileReadsAsEmptyAndByteOrderMarksGoToTheSystem) {
    TempDir dir;
    ProfileSnapshot snapshot;
    ASSERT_TRUE(snapshot.Load(dir.Path() + "none.ini"));
    EXPECT_EQ(snapshot.ReadString("Common", "Total", "7"), "7");
    EXPECT_TRUE(snapshot.ReadSection("Common").empty());
    EXPECT_FALSE(snapshot.Parse("\xEF\xBB\xBF[Common]\r\nTotal=1\r\n"));
    EXPECT_FALSE(snapshot.Parse(std::string("\xFF\xFE[\0C\0", 6)));
    EXPECT_FALSE(snapshot.Parse("[A]\r\nk=\xA0v\xA0\r\n"));
}

// The catalogue reads the same rows whichever reader serves the file.
TEST(ProfileSnapshot, CatalogueRowsMatchTheSystemReader) {
    TempDir dir;
    std::string order = dir.Path() + "order.ini";
    WriteTextFile(order,
                  "[Common]\r\nTotal=4\r\nItem0=A<|>C:\\x\\user.txt\r\nItem1= \r\nItem3=B<|>C:\\x\\system.txt\r\n"
                  "Item2=Plain\r\nItem4=Beyond<|>C:\\y\r\n"
                  "[A<|>C:\\x\\user.txt]\r\ntxtfilename=C:\\x\\user.txt\r\nIsActive=0\r\nIsSpecial=$1\r\n"
                  "[b<|>c:\\X\\SYSTEM.TXT]\r\nTXTFILENAME=C:\\x\\system.txt\r\nisactive=junk\r\n"
                  "[Plain]\r\nIsActive=0x0\r\n");
    Catalogue fast;
    fast.LoadOrderFile(order);
    // The system reader, written out here as the catalogue used it before the snapshot.
    ProfileFile file(order);
    std::string expected;
    for (int k = 0; k < 4; ++k) {
        std::string v = file.ReadString("Common", "Item" + std::to_string(k));
        if (v.empty()) continue;
        bool orderRow = v.find("<|>") != std::string::npos && !file.ReadString(v, "txtfilename").empty();
        expected += (orderRow ? v.substr(0, v.rfind("<|>")) + "@" + file.ReadString(v, "txtfilename") : v + "@" + order) +
                    ":" + (file.ReadBool(v, "IsActive", true) ? "1" : "0") + (file.ReadBool(v, "IsSpecial", false) ? "1" : "0") + " ";
    }
    std::string got;
    for (const auto& row : fast.Items)
        got += row.ItemName + "@" + row.ItemFile + ":" + (row.IsActive ? "1" : "0") + (row.IsSpecial ? "1" : "0") + " ";
    EXPECT_EQ(got, expected);
    EXPECT_EQ(fast.Count(), 3);
}

// The order file written whole in one go holds the same bytes as the system's key-by-key writes
// into a new file: case-different and repeated row keys share a section, values are trimmed.
TEST(ProfileWriter, OrderFileMatchesKeyByKeyWrites) {
    TempDir dir;
    Catalogue list;
    auto add = [&list](const std::string& name, const std::string& file, bool active, bool special) {
        CatalogueRow row;
        row.ItemName = name;
        row.ItemFile = file;
        row.IsActive = active;
        row.IsSpecial = special;
        list.Append(row);
    };
    add("Temp", "C:\\P\\const\\system.txt", true, false);
    add("TEMP", "c:\\p\\CONST\\system.txt", false, true);
    add("Temp", "C:\\P\\const\\system.txt", false, false);
    add(" padded ", "C:\\P\\plugin\\a b.txt ", true, true);
    add("x]y [z]", "C:\\P\\const\\user.txt", true, false);
    add("Common", "C:\\P\\const\\user.txt", false, false);
    std::string keyByKey = dir.Path() + "system.ini", whole = dir.Path() + "order.ini";
    list.SaveToFile(keyByKey);
    WriteTextFile(whole, "[Stale<|>C:\\old]\r\ntxtfilename=C:\\old\r\n");
    list.RewriteFile(whole);
    EXPECT_EQ(ReadTextFile(whole), ReadTextFile(keyByKey));

    Catalogue a, b;
    a.LoadOrderFile(keyByKey);
    b.LoadOrderFile(whole);
    ASSERT_EQ(a.Count(), 6);
    for (int i = 0; i < a.Count(); ++i) {
        EXPECT_EQ(b.Items[i].ItemName + "|" + b.Items[i].ItemFile, a.Items[i].ItemName + "|" + a.Items[i].ItemFile);
        EXPECT_EQ(b.Items[i].IsActive, a.Items[i].IsActive);
    }
}

TEST(ProfileWriter, RefusedRewriteKeepsTheOldFile) {
    TempDir dir;
    std::string path = dir.Path() + "order.ini";
    WriteTextFile(path, "[Common]\r\nTotal=0\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Catalogue list;
    CatalogueRow row;
    row.ItemName = "A";
    row.ItemFile = "C:\\a.txt";
    list.Append(row);
    EXPECT_THROW(list.RewriteFile(path), AppError);
    EXPECT_EQ(ReadTextFile(path), "[Common]\r\nTotal=0\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
