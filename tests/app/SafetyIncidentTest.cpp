// Deletions other cleaners were known for, as cases on the prefix's real folders: a browser's
// settings and passwords washed with every supplied item checked, and a plug-in or winapp2.ini
// entry aimed at the Windows folder or at Documents.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "app/CommandLine.h"
#include "engine/WashEngine.h"
#include "settings/AppPaths.h"
#include "tests/support/Installs.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
void MakeFile(const std::string& path, const std::string& bytes) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    WriteTextFile(path, bytes);
}

// Washes every file row the catalogue's checked items cover, as /wash does.
WashTally WashFilesOf(const Catalogue& catalogue, const Winapp2Catalogue* winapp2 = nullptr) {
    CoveredRows rows = CollectCheckedRows(catalogue, winapp2);
    CheckListModel files;
    files.AddRows(std::move(rows.Files), true);
    WashTally tally;
    WashFileList(files, true, false, {}, tally);
    return tally;
}

bool Lists(const std::vector<std::string>& rows, const std::string& path) {
    return std::any_of(rows.begin(), rows.end(), [&](const std::string& row) {
        return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, row.c_str(), -1, path.c_str(), -1) == CSTR_EQUAL;
    });
}
}  // namespace

// The browsers' bookmarks, settings, passwords and extensions stay byte for byte. The registry
// rows are left out: they reach no file.
TEST(SafetyIncidents, BrowserSettingsAndPasswordsStayWhenEverySuppliedItemIsChecked) {
    const std::string local = ShellFolder(CSIDL_LOCAL_APPDATA), roaming = ShellFolder(CSIDL_APPDATA);
    ASSERT_FALSE(local.empty() || roaming.empty());
    const std::string chrome = local + "\\Google\\Chrome\\User Data\\";
    const std::string fox = roaming + "\\Mozilla\\Firefox\\Profiles\\inc1dent.default-release\\";
    const std::string foxLocal = local + "\\Mozilla\\Firefox\\Profiles\\inc1dent.default-release\\";
    const std::string kept[] = {
        chrome + "Local State",
        chrome + "Default\\Bookmarks",
        chrome + "Default\\Login Data",
        chrome + "Default\\Preferences",
        chrome + "Default\\Extensions\\abcdef\\1.0\\manifest.json",
        fox + "logins.json",
        fox + "logins.db",
        fox + "key4.db",
        fox + "prefs.js",
    };
    const std::string cache[] = {chrome + "Default\\Cache\\Cache_Data\\data_0", foxLocal + "cache2\\entries\\0A1B"};
    for (const auto& file : kept) MakeFile(file, file + std::string("\0\x01\xff", 3));
    for (const auto& file : cache) MakeFile(file, "cache");
    WriteTextFile(roaming + "\\Mozilla\\Firefox\\profiles.ini",
                  "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/inc1dent.default-release\r\n");

    TempDir settings;
    ProgramDirScope programDir{settings.Path()};
    std::string source = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(source.begin(), source.end(), '/', '\\');
    Catalogue catalogue;
    catalogue.LoadFromFile(source);
    ASSERT_GT(catalogue.Count(), 20);
    for (auto& row : catalogue.Items) row.IsActive = !row.IsSpecial;
    WashFilesOf(catalogue);

    for (const auto& file : cache) EXPECT_FALSE(FileExists(file)) << file;
    for (const auto& file : kept) EXPECT_EQ(ReadTextFile(file), file + std::string("\0\x01\xff", 3)) << file;
    for (const auto& folder : {local + "\\Google", local + "\\Mozilla", roaming + "\\Mozilla"}) RemoveTree(folder);
}

// A plug-in's folder entry and a winapp2.ini key on C:\Windows\*.* or on Documents wash nothing there.
TEST(SafetyIncidents, PluginAndWinapp2EntriesAimedAtWindowsOrDocumentsAreRefused) {
    char windowsBuffer[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windowsBuffer, MAX_PATH), 0u);
    const std::string windows = windowsBuffer, documents = ShellFolder(CSIDL_PERSONAL);
    ASSERT_FALSE(documents.empty());
    const std::string windowsFile = windows + "\\varnolt-incident.ini", documentsFile = documents + "\\incident.txt";
    struct Case {
        const char* name;
        bool plugin;  // else winapp2.ini
        std::string target, file;
    } cases[] = {
        {"plug-in on Windows", true, windows + "\\*.*", windowsFile},
        {"plug-in on Documents", true, documents + "\\*.*", documentsFile},
        {"winapp2.ini on Windows", false, "%WinDir%|*.*", windowsFile},
        {"winapp2.ini on Documents", false, "%Documents%|*.*", documentsFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeFile(c.file, "keep");
        TempDir dir;
        ProgramDirScope programDir{dir.Path()};
        CreateDirectoryA((dir.Path() + "const").c_str(), nullptr);
        CreateDirectoryA((dir.Path() + "plugin").c_str(), nullptr);
        WriteTextFile(dir.Path() + "const\\system.txt", "[Common]\r\nTotal=0\r\n");
        if (c.plugin)
            WriteTextFile(dir.Path() + "plugin\\incident.txt",
                          "[Common]\r\nTotal=1\r\nItem0=Incident\r\n[Incident]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                          "tFolder0.ChildItemName=All\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                          "tFolder0.deletepath=" +
                              c.target + "\r\ntFolder0.IsIncludeSubfolder=0\r\n");
        else
            WriteTextFile(dir.Path() + "winapp2.ini",
                          "[Incident *]\r\nLangSecRef=3025\r\nFileKey1=" + c.target + "\r\n");
        Winapp2Catalogue winapp2;
        Catalogue catalogue = LoadCatalogueFrom(dir.Path(), &winapp2);
        ASSERT_EQ(catalogue.Count(), 1);
        catalogue.Items[0].IsActive = true;
        const WashTally tally = WashFilesOf(catalogue, &winapp2);
        EXPECT_EQ(ReadTextFile(c.file), "keep");
        // Refused, not merely missed: the row, or (winapp2.ini) the whole key as it is read.
        EXPECT_TRUE(Lists(tally.Refused, c.file) || winapp2.RefusedKeys() == 1) << c.file;
        DeleteFileA(c.file.c_str());
    }
}
