// winapp2.ini: the one-pass reader, detection, and entries turned into wash items on a test
// profile (its folders in a temp folder, the variables pointed there through the environment,
// its registry keys under a test key).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/Winapp2File.h"
#include "catalogue/Winapp2Items.h"
#include "catalogue/Winapp2Paths.h"
#include "platform/CheckListModel.h"
#include "platform/Profile.h"
#include "tests/support/EnvScope.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
using Texts = std::vector<std::string>;

Texts Sorted(Texts v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A user profile in a temp folder with a Chrome-like browser of two profiles and a
// Firefox-like browser, plus registry keys of both under a test key.
class Winapp2Profile : public testing::Test {
protected:
    TempDir dir;
    TestKey key{"Winapp2"};
    EnvScope env;
    std::string profile = dir.Path() + "Users\\tester";
    std::string local = profile + "\\AppData\\Local";
    std::string roaming = profile + "\\AppData\\Roaming";
    std::string chrome = local + "\\Google\\Chrome\\User Data\\";
    std::string firefox = roaming + "\\Mozilla\\Firefox\\Profiles\\abc.default\\";

    void SetUp() override {
        for (const char* file :
             {"Default\\Cache\\data_1", "Default\\Cache\\index", "Default\\Cache\\keep.bin",
              "Default\\History", "Profile 1\\Cache\\data_2", "Profile 1\\Cache\\sub\\data_3"})
            Write(chrome + file);
        for (const char* file : {"cache2\\entries\\A1", "cache2\\entries\\deep\\B2", "cache2\\doomed\\C3",
                                 "cache2\\keep\\K1", "places.sqlite", "places.sqlite-wal", "prefs.js"})
            Write(firefox + file);
        CreateDirectoryA((firefox + "cache2\\empty").c_str(), nullptr);
        env.Set("USERPROFILE", profile);
        env.Set("LOCALAPPDATA", local);
        env.Set("APPDATA", roaming);
        key.Create("Google\\Chrome");
        key.Set("Mozilla\\Firefox", "LastRun", "1");
        key.Set("Mozilla\\Firefox", "Keep", "1");
        key.Create("Mozilla\\Firefox\\Sessions\\s1");
        key.Create("Mozilla\\Firefox\\Crash Reports");
    }

    void Write(const std::string& path) {
        std::string folder = path.substr(0, path.rfind('\\'));
        for (size_t at = dir.Path().size(); at != std::string::npos; at = folder.find('\\', at + 1))
            CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteTextFile(path, "x");
    }
    std::string Hkcu(const std::string& sub) const { return "HKCU\\" + key.Path() + "\\" + sub; }

    // The wash item the sample's entry becomes; refused counts the keys it refused.
    WashItem ItemOf(const char* entry, int* refused = nullptr) const {
        Winapp2File file;
        file.Parse(Sample());
        WashItem item;
        int count = Winapp2ToItem(*file.Find(entry), "w.ini", item);
        if (refused) *refused = count;
        return item;
    }

    // The sample: every key kind of the format, and the unsafe and malformed cases.
    std::string Sample() const {
        return "; Test rules, written for these tests\r\n"
               "[Google Chrome Caches *]\r\n"
               "LangSecRef=3029\r\n"
               "Detect=" + Hkcu("Google\\Chrome") + "\r\n"
               "FileKey1=%LocalAppData%\\Google\\Chrome*\\User Data\\*\\Cache|*.*|RECURSE\r\n"
               "ExcludeKey1=FILE|%LocalAppData%\\Google\\Chrome\\User Data\\Default\\Cache\\|keep.bin\r\n"
               "\r\n"
               "[Firefox Cache *]\r\n"
               "LangSecRef=3026\r\n"
               "DetectFile=%AppData%\\Mozilla\\Firefox\\Prof*\r\n"
               "Warning=This also removes your open tabs.\r\n"
               "FileKey2=%AppData%\\Mozilla\\Firefox\\Profiles\\*\\cache2|*|REMOVESELF\r\n"
               "FileKey1=%AppData%\\Mozilla\\Firefox\\Profiles\\*|places.sqlite-wal;prefs.js\r\n"
               "ExcludeKey1=PATH|%AppData%\\Mozilla\\Firefox\\Profiles\\abc.default\\cache2\\keep\\|*\r\n"
               "RegKey1=" + Hkcu("Mozilla\\Firefox") + "|LastRun\r\n"
               "RegKey2=" + Hkcu("Mozilla\\Firefox") + "\r\n"
               "ExcludeKey2=REG|" + Hkcu("Mozilla\\Firefox\\Sessions") + "\r\n"
               "ExcludeKey3=REG|" + Hkcu("Mozilla\\Firefox") + "|Keep\r\n"
               "[Absent Browser *]\r\n"
               "Section=Browsers\r\n"
               "Detect=" + Hkcu("Nowhere") + "\r\n"
               "DetectFile1=%LocalAppData%\\Nowhere\r\n"
               "FileKey1=%LocalAppData%\\Nowhere|*.*\r\n"
               "[Special Only *]\r\n"
               "SpecialDetect=DET_CHROME\r\n"
               "[Unsafe Keys *]\r\n"
               "DetectOS=6.1|\r\n"
               "Default=False\r\n"
               "FileKey1=%NoSuchVariable%\\Temp|*.*\r\n"
               "FileKey2=%SystemDrive%\\|*.*\r\n"
               "FileKey3=%WinDir%|*.*|RECURSE\r\n"
               "FileKey4=%UserProfile%\\*|*.*|RECURSE\r\n"
               "FileKey5=Relative\\Folder|*.*\r\n"
               "FileKey6=%WinDir%|*.log\r\n"
               "FileKey7=%LocalAppData%\\..\\..|*.*|RECURSE\r\n"
               "RegKey1=HKCU\\Software\r\n"
               "RegKey2=HKXX\\Software\\Something\r\n"
               "this line has no equals sign\r\n"
               "Colour=blue\r\n"
               "FileKeyX=%LocalAppData%|*.*\r\n";
    }
};

TEST(Winapp2Reader, OnePassKeepsKeyNumberOrderGroupsAndCountsWhatItCannotUse) {
    Winapp2File file;
    file.Parse("\xEF\xBB\xBF; comment\nstray=before any section\n[A *]\nLangSecRef=3022\n"
               "FileKey10=ten\nFileKey2=two\nFileKey1=one\nRegKey1=r|v\n"
               "[B *]\nSection=My Group\nLangSecRef=3022\nWarning=Careful\n\n"
               "[A *]\nFileKey1=second A\n[Broken<|>Name]\nFileKey1=x\n"
               "[C *]\nLangSecRef=9999\nbad line\nDetect=HKCU\\X\nDetectFile3=three\n");
    ASSERT_EQ(file.Entries.size(), 3u);
    const Winapp2Entry* a = file.Find("A *");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->FileKeys, (Texts{"one", "two", "ten"}));
    EXPECT_EQ(a->FileKeyNames, (Texts{"FileKey1", "FileKey2", "FileKey10"}));
    EXPECT_EQ(a->RegKeys, Texts{"r|v"});
    EXPECT_EQ(a->Category, "Internet");
    EXPECT_EQ(file.Find("B *")->Category, "My Group");
    EXPECT_EQ(file.Find("B *")->Warning, "Careful");
    EXPECT_EQ(file.Find("C *")->Category, "Other");
    EXPECT_EQ(file.Find("C *")->DetectFiles, Texts{"three"});
    // The stray key, the repeated section's header and key, the bad name's header and key,
    // and the line without "=".
    EXPECT_EQ(file.SkippedLines, 6);
}

TEST(Winapp2Reader, MissingFileReadsAsEmpty) {
    TempDir dir;
    Winapp2File file;
    EXPECT_FALSE(file.Load(dir.Path() + "winapp2.ini"));
    EXPECT_TRUE(file.Entries.empty());
}

TEST(Winapp2Reader, TellsTheFormatFromAWashItemFile) {
    TempDir dir;
    WriteTextFile(dir.Path() + "rules.txt", "; rules\r\n[Some Cache *]\r\nLangSecRef=3021\r\nFileKey1=%Temp%|*.tmp\r\n");
    WriteTextFile(dir.Path() + "items.txt", "[Common]\r\nTotal=1\r\nItem0=A\r\n[A]\r\nFileKey1=x|y\r\n");
    WriteTextFile(dir.Path() + "other.txt", "[Section]\r\nName=value\r\n");
    EXPECT_TRUE(IsWinapp2File(dir.Path() + "rules.txt"));
    EXPECT_FALSE(IsWinapp2File(dir.Path() + "items.txt"));
    EXPECT_FALSE(IsWinapp2File(dir.Path() + "other.txt"));
    EXPECT_FALSE(IsWinapp2File(dir.Path() + "missing.txt"));
}

TEST(Winapp2Paths, WildcardsAndUnsafeFolders) {
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } masks[] = {{"Chrome SxS", "Chrome*", true}, {"abc.default", "*", true}, {"README", "*.*", true},
                 {"places.sqlite", "*.log", false}, {"DATA_1", "data_?", true}};
    for (const auto& m : masks) EXPECT_EQ(WildcardMatch(m.name, m.mask), m.matches) << m.name << " " << m.mask;
    EXPECT_EQ(UnsafeFolderReason("C:\\", false), "a drive root");
    EXPECT_EQ(UnsafeFolderReason("C:\\*\\*", true), "a drive root");
    EXPECT_EQ(UnsafeFolderReason("Temp", false), "not an absolute path");
    EXPECT_NE(UnsafeFolderReason("C:\\Temp\\..\\Windows", true), "");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_NE(UnsafeFolderReason(windows, true), "");
    EXPECT_EQ(UnsafeFolderReason(windows, false), "the Windows or system folder itself");
    EXPECT_EQ(UnsafeFolderReason(std::string(windows) + "\\Temp", true), "");
    std::string full;
    ASSERT_TRUE(Winapp2RegistryKey("hkcu\\Software\\X", full));
    EXPECT_EQ(full, "HKEY_CURRENT_USER\\Software\\X");
    EXPECT_FALSE(Winapp2RegistryKey("HKXX\\Software", full));
}

TEST_F(Winapp2Profile, OnlyDetectedEntriesBecomeRowsGroupedAndUnchecked) {
    WriteTextFile(dir.Path() + "winapp2.ini", Sample());
    Winapp2Catalogue catalogue;
    catalogue.Load(dir.Path() + "winapp2.ini");
    Catalogue rows;
    catalogue.AppendRows(rows);
    Texts names;
    for (const auto& row : rows.Items) {
        names.push_back(row.ItemName);
        EXPECT_FALSE(row.IsActive);
        EXPECT_EQ(row.ItemFile, dir.Path() + "winapp2.ini");
    }
    // No detection key: shown; only a SpecialDetect, or nothing found: not shown.
    EXPECT_EQ(names, (Texts{"Firefox: Firefox Cache", "Google Chrome: Google Chrome Caches", "Other: Unsafe Keys"}));
    EXPECT_EQ(catalogue.Counts().Entries, 5);
    EXPECT_EQ(catalogue.Counts().Detected, 3);
    EXPECT_EQ(catalogue.Counts().SkippedLines, 3);
    EXPECT_EQ(catalogue.RefusedKeys(), 9);
}

// Rows order.ini saved under the names with the section's " *" are the same rows; a row of
// another file keeps its name.
TEST_F(Winapp2Profile, OrderRowsSavedUnderStarredNamesKeepTheirPlaceAndMark) {
    const std::string ini = dir.Path() + "winapp2.ini";
    WriteTextFile(ini, Sample());
    Winapp2Catalogue catalogue;
    catalogue.Load(ini);
    Catalogue found, order, merged;
    catalogue.AppendRows(found);
    for (auto [name, file] : {std::pair{"Other: Unsafe Keys *", ini}, {"Firefox: Firefox Cache", ini},
                              {"Google Chrome: Google Chrome Caches *", dir.Path() + "user.txt"}}) {
        CatalogueRow row;
        row.ItemName = name;
        row.ItemFile = file;
        row.IsActive = true;
        order.Append(row);
    }
    catalogue.AdoptFormerNames(order);
    MergeCatalogue(merged, found, order);
    Texts rows;
    for (const auto& row : merged.Items) rows.push_back((row.IsActive ? "+" : "-") + row.ItemName);
    EXPECT_EQ(rows, (Texts{"+Other: Unsafe Keys", "+Firefox: Firefox Cache", "-Google Chrome: Google Chrome Caches"}));
    EXPECT_EQ(order.Items[2].ItemName, "Google Chrome: Google Chrome Caches *");
}

TEST_F(Winapp2Profile, UnsafeAndUnknownKeysSelectNothingAndSayWhy) {
    int refused = 0;
    WashItem item = ItemOf("Unsafe Keys *", &refused);
    EXPECT_EQ(refused, 9);
    Texts names, files;
    for (auto& entry : item.FolderEntries.Items) {
        names.push_back(entry.Name.substr(0, entry.Name.find(':')));
        Texts found;
        entry.ListFiles(found);
        files.insert(files.end(), found.begin(), found.end());
        if (entry.Name.find("refused") != std::string::npos) {
            EXPECT_FALSE(entry.IsActive);
        }
    }
    EXPECT_EQ(names, (Texts{"FileKey1 refused (unknown variable)", "FileKey2 refused (a drive root)",
                            "FileKey3 refused (a system or profile folder with subfolders)",
                            "FileKey4 refused (a system or profile folder with subfolders)",
                            "FileKey5 refused (not an absolute path)",
                            "FileKey6 refused (the Windows or system folder itself)",
                            "FileKey7 refused (a path with \".\" or \"..\")"}));
    // Only the Windows folder's own *.log files, never its subfolders.
    for (const auto& f : files) EXPECT_EQ(f.find('\\', strlen("C:\\windows\\")), std::string::npos) << f;
    ASSERT_EQ(item.RegistryEntries.Count(), 2);
    for (auto& entry : item.RegistryEntries.Items) {
        Texts rows;
        entry.ListRegistry(rows);
        EXPECT_TRUE(rows.empty()) << entry.Name;
        EXPECT_FALSE(entry.IsActive);
    }
}

TEST_F(Winapp2Profile, WildcardFoldersRecurseAndExclusionsSelectTheRightFiles) {
    int refused = -1;
    WashItem item = ItemOf("Google Chrome Caches *", &refused);
    EXPECT_EQ(refused, 0);
    ASSERT_EQ(item.FolderEntries.Count(), 1);
    Texts found;
    item.FolderEntries.Items[0].ListFiles(found);
    EXPECT_EQ(Sorted(found), Sorted({chrome + "Default\\Cache\\data_1", chrome + "Default\\Cache\\index",
                                     chrome + "Profile 1\\Cache\\data_2", chrome + "Profile 1\\Cache\\sub\\data_3"}));
}

TEST_F(Winapp2Profile, AWildcardFolderOfAnyWashItemNeverSweepsAProfileOrDriveRoot) {
    FolderEntry entry;
    entry.Category = CategoryFolderMask;
    entry.IncludeSubfolders = true;
    entry.FolderMask = profile + "\\*\\*.*";
    Texts found;
    entry.ListFiles(found);
    EXPECT_TRUE(found.empty());
    entry.FolderMask = dir.Path().substr(0, 3) + "*\\*.*";
    entry.ListFiles(found);
    EXPECT_TRUE(found.empty());
    entry.FolderMask = local + "\\Google\\Chrome\\User Data\\*\\Cache\\*.*";
    entry.ListFiles(found);
    EXPECT_EQ(found.size(), 5u);
    // A mask list without a mask selects nothing, never the current folder's files.
    entry.FolderMask = local + "\\Google\\Chrome\\User Data\\Default\\Cache\\;";
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA((chrome + "Default\\Cache").c_str());
    entry.ListFiles(found);
    SetCurrentDirectoryA(saved);
    EXPECT_TRUE(found.empty());
}

TEST_F(Winapp2Profile, SeveralMasksAndRemoveSelfLeaveOnlyWhatIsKept) {
    WashItem item = ItemOf("Firefox Cache *");
    ASSERT_EQ(item.FolderEntries.Count(), 2);
    Texts masks;
    item.FolderEntries.Items[0].ListFiles(masks);
    // Firefox's settings are a protected place, and the log of a database that stays never goes
    // alone: listed, refused.
    EXPECT_EQ(Sorted(masks),
              Sorted({firefox + "places.sqlite-wal" + RefusedRowMarker, firefox + "prefs.js" + RefusedRowMarker}));

    Texts rows;
    item.FolderEntries.Items[1].ListFiles(rows);
    const std::string cache = firefox + "cache2";
    auto folder = [&](const std::string& sub) { return cache + sub + "\\" + RemoveFolderMarker; };
    EXPECT_EQ(Sorted(rows), Sorted({cache + "\\entries\\A1", cache + "\\entries\\deep\\B2", cache + "\\doomed\\C3",
                                    folder("\\entries\\deep"), folder("\\entries"), folder("\\doomed"),
                                    folder("\\keep"), folder("\\empty"), folder("")}));
    // How those rows are washed: tests/engine/FolderRowOrderTest.cpp.
}

TEST_F(Winapp2Profile, RemoveSelfNeverEntersALinkedFolder) {
    TempDir outside;
    WriteTextFile(outside.Path() + "precious.txt", "x");
    FolderLink link(outside.Path(), firefox + "cache2\\linked");
    if (!link.Made()) GTEST_SKIP() << "no folder link";
    WashItem item = ItemOf("Firefox Cache *");
    Texts rows;
    item.FolderEntries.Items[1].ListFiles(rows);
    for (const auto& row : rows) EXPECT_EQ(row.find("linked"), std::string::npos) << row;
}

TEST_F(Winapp2Profile, RegistryValuesWholeKeysAndKeptKeys) {
    WashItem item = ItemOf("Firefox Cache *");
    ASSERT_EQ(item.RegistryEntries.Count(), 2);
    const std::string firefoxKey = key.Full("Mozilla\\Firefox") + "\\";
    Texts value, whole;
    item.RegistryEntries.Items[0].ListRegistry(value);
    EXPECT_EQ(value, Texts{firefoxKey + "<|>DeleteValue<|>LastRun"});
    item.RegistryEntries.Items[1].ListRegistry(whole);
    // The kept subkey and the key that holds it (with its kept value) stay.
    EXPECT_EQ(whole, Texts{firefoxKey + "Crash Reports<|>DeleteKey"});
}

TEST_F(Winapp2Profile, NewKeysAreOptionalInAWashItemFile) {
    WashItem item = ItemOf("Firefox Cache *");
    const std::string plugin = dir.Path() + "plugin.txt";
    item.AddToFile(plugin, item.Property.ItemName, true);
    WashItem back(plugin, item.Property.ItemName);
    ASSERT_EQ(back.FolderEntries.Count(), 2);
    EXPECT_TRUE(back.FolderEntries.Items[1].RemoveSelf);
    EXPECT_EQ(back.FolderEntries.Items[1].ExcludeList, item.FolderEntries.Items[1].ExcludeList);
    EXPECT_EQ(back.RegistryEntries.Items[1].ExcludeList, item.RegistryEntries.Items[1].ExcludeList);

    // Cleared again, the keys go: the file reads and saves as one without them.
    back.FolderEntries.Items[1].RemoveSelf = false;
    back.FolderEntries.Items[1].ExcludeList.clear();
    back.FolderEntries.Save();
    ProfileFile profile(plugin);
    EXPECT_EQ(profile.ReadString(item.Property.ItemName, "tFolder1.RemoveSelf", "none"), "none");
    EXPECT_EQ(profile.ReadString(item.Property.ItemName, "tFolder1.ExcludeList", "none"), "none");
    EXPECT_EQ(profile.ReadString(item.Property.ItemName, "tFolder0.RemoveSelf", "none"), "none");
}

}  // namespace
