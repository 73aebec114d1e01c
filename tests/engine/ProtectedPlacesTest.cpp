// Rows in protected places: refused for supplied items, plug-ins and shreds (the file survives
// every wash, the log says why), held for the user's own items (washed when checked by hand).
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/WashItem.h"
#include "engine/ShredTargets.h"
#include "platform/WideText.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"

namespace {

std::string WindowsFolder() {
    wchar_t path[MAX_PATH];
    UINT n = GetWindowsDirectoryW(path, MAX_PATH);
    return Narrow(std::wstring(path, n)) + "\\";
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

class ProtectedWash : public WashFolderTest {
protected:
    struct Place {
        std::string path;
        bool protectedPlace;
    };

    void SetUp() override {
        const std::string windows = WindowsFolder(), chrome = dir.Path() + "Google\\Chrome\\User Data\\";
        const std::string firefox = dir.Path() + "Mozilla\\Firefox\\Profiles\\p.default\\";
        places = {
            {windows + "VarnoltProtectedTest\\system.dll", true},
            {windows + "Installer\\varnolt-protected-test.msi", true},
            {windows + "Temp\\varnolt-protected-test.tmp", false},
            {chrome + "Local State", true},
            {chrome + "Default\\Bookmarks", true},
            {chrome + "Default\\Login Data", true},
            {chrome + "Default\\Preferences", true},
            {chrome + "Default\\Extensions\\abc\\manifest.json", true},
            {chrome + "Default\\Cache\\data_0", false},
            {firefox + "logins.json", true},
            {firefox + "key4.db", true},
            {firefox + "places.sqlite", true},
            {firefox + "prefs.js", true},
            {firefox + "cache2\\entry", false},
        };
        MakePlaces();
    }
    void TearDown() override {
        for (const auto& place : places) DeleteFileA(place.path.c_str());
        RemoveTree(WindowsFolder() + "VarnoltProtectedTest");
        WashFolderTest::TearDown();
    }
    void MakePlaces() {
        for (const auto& place : places) {
            MakeFolders(place.path);
            WriteTextFile(place.path, "keep");
        }
    }

    // The rows of one single-file entry per place, from the item file given, all checked as
    // /wash and the select-all buttons check them.
    CheckListModel ListFrom(const std::string& itemFile) {
        CheckListModel list;
        for (const auto& place : places) {
            FolderEntry entry;
            entry.ItemFile = itemFile;
            entry.Category = CategorySingleFile;
            entry.FilePath = place.path;
            std::vector<std::string> rows;
            entry.ListFiles(rows);
            EXPECT_EQ(rows.size(), 1u) << place.path;
            list.AddRows(std::move(rows), true);
        }
        list.CheckAll(true);
        return list;
    }

    void Wash(const CheckListModel& list) {
        OpenWashLog();
        WashFileList(list, true, true, {}, tally);
        CloseWashLog();
    }

    std::vector<Place> places;
    WashTally tally;
};

}  // namespace

TEST_F(ProtectedWash, SuppliedAndPluginRowsNeverReachAProtectedPlace) {
    for (const std::string itemFile : {dir.Path() + "const\\system.txt", dir.Path() + "plugin\\junk.txt"}) {
        MakePlaces();
        CheckListModel list = ListFrom(itemFile);
        for (int i = 0; i < list.Count(); ++i) {
            const bool refused = places[i].protectedPlace;
            EXPECT_EQ(GuardOf(list.Text(i)), refused ? RowGuard::Refused : RowGuard::None) << list.Text(i);
            // Not even by hand.
            list.SetChecked(i, true);
            EXPECT_EQ(list.Checked(i), !refused) << list.Text(i);
        }
        Wash(list);
        for (const auto& place : places) EXPECT_EQ(FileExists(place.path), place.protectedPlace) << place.path;
        EXPECT_EQ(tally.Failed, 0);
    }
    const std::string log = ReadTextFile(LogFilePath());
    EXPECT_NE(log.find(places[0].path), std::string::npos);
    EXPECT_NE(log.find("Protected"), std::string::npos);
}

TEST_F(ProtectedWash, OwnItemRowsWashOnlyWhenCheckedByHand) {
    CheckListModel list = ListFrom(UserItemsPath());
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(GuardOf(list.Text(i)), places[i].protectedPlace ? RowGuard::Held : RowGuard::None) << list.Text(i);
        EXPECT_EQ(list.Checked(i), !places[i].protectedPlace) << list.Text(i);
    }
    Wash(list);
    for (const auto& place : places) EXPECT_EQ(FileExists(place.path), place.protectedPlace) << place.path;

    MakePlaces();
    for (int i = 0; i < list.Count(); ++i) list.SetChecked(i, true);
    Wash(list);
    for (const auto& place : places) EXPECT_FALSE(FileExists(place.path)) << place.path;
    EXPECT_EQ(tally.Washed, static_cast<int>(places.size()));
}

TEST_F(ProtectedWash, FolderReachedThroughALinkIsJudgedWhereItLeads) {
    FolderLink link(WindowsFolder() + "VarnoltProtectedTest", dir.Path() + "link");
    if (!link.Made()) GTEST_SKIP() << "needs folder links";
    FolderEntry entry;
    entry.ItemFile = dir.Path() + "plugin\\junk.txt";
    entry.FolderMask = dir.Path() + "link\\*.*";
    std::vector<std::string> rows;
    entry.ListFiles(rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(GuardOf(rows[0]), RowGuard::Refused) << rows[0];
}

TEST_F(ProtectedWash, ShredRefusesRowsInProtectedPlacesAlone) {
    ShredRows rows;
    EXPECT_TRUE(CollectShredRows({dir.Path() + "Google"}, rows).empty());
    int refused = 0, plain = 0;
    for (const auto& row : rows.Rows) (GuardOf(row) == RowGuard::Refused ? refused : plain)++;
    // Local State, Bookmarks, Login Data, Preferences, manifest.json and two Extensions folders.
    EXPECT_EQ(refused, 7);
    EXPECT_GT(plain, 0);
    CheckListModel list;
    list.AddRows(std::move(rows.Rows), true);
    Wash(list);
    for (const auto& place : places)
        if (place.path.find("\\Google\\") != std::string::npos)
            EXPECT_EQ(FileExists(place.path), place.protectedPlace) << place.path;
}

TEST_F(ProtectedWash, AnotherProgramsRunValueIsRefusedAndHeldForOwnItems) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.OpenKey(run, true));
    key.WriteString("VarnoltTestOther", "other.exe");
    for (const std::string itemFile : {dir.Path() + "plugin\\junk.txt", UserItemsPath()}) {
        RegistryEntry entry;
        entry.ItemFile = itemFile;
        entry.KeyName = "HKEY_CURRENT_USER\\" + run;
        entry.CleanType = CleanSingleValue;
        entry.ValueName = "VarnoltTestOther";
        std::vector<std::string> rows;
        entry.ListRegistry(rows);
        ASSERT_EQ(rows.size(), 1u);
        CheckListModel list;
        list.AddRows(std::move(rows), true);
        list.SetChecked(0, true);
        WashRegistryList(list, false, tally);
        // A plug-in's row never goes; the user's own goes once checked by hand.
        EXPECT_EQ(key.ValueExists("VarnoltTestOther"), itemFile != UserItemsPath()) << itemFile;
    }
    key.DeleteValue("VarnoltTestOther");
}
