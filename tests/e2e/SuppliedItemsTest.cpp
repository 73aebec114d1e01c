// The supplied wash items against a user profile built in the test prefix: the checked items
// take the caches and the MRU lists and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "app/CommandLine.h"
#include "catalogue/KnownFolders.h"
#include "engine/WashEngine.h"
#include "tests/support/FileAge.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
const std::string Explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string CurrentUser = "HKEY_CURRENT_USER\\";

std::string Known(const char* macro) {
    std::string path;
    KnownFolderPath(macro, path);
    return path;
}

std::string RoamingAppData() {
    char buffer[MAX_PATH];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_CURRENT_USER, (Explorer + "\\Shell Folders").c_str(), "AppData", RRF_RT_REG_SZ, nullptr,
                     buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

void MakeFile(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    WriteTextFile(path, "data");
}

void SetValue(const std::string& key, const std::string& name) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, "x", 2);
}

bool ValueExists(const std::string& key, const std::string& name) {
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool KeyExists(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                                          static_cast<int>(prefix.size()), prefix.c_str(),
                                                          static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

class SuppliedItems : public testing::Test {
protected:
    void SetUp() override {
        local = Known("{localappdata}");
        roaming = RoamingAppData();
        ASSERT_FALSE(local.empty() || roaming.empty());
        chrome = local + "\\Google\\Chrome\\User Data\\Default\\";
        edge = local + "\\Microsoft\\Edge\\User Data\\Default\\";
        foxLocal = local + "\\Mozilla\\Firefox\\Profiles\\t3st.default-release\\";
        foxRoaming = roaming + "\\Mozilla\\Firefox\\Profiles\\t3st.default-release\\";
        temp = Known("{temp}") + "\\VarnoltSupplied" + std::to_string(GetCurrentProcessId()) + "\\";
        wer = local + "\\Microsoft\\Windows\\WER\\ReportQueue\\AppCrash_test\\";
        thumbs = local + "\\Microsoft\\Windows\\Explorer\\";
        cache = {chrome + "Cache\\Cache_Data\\data_0", chrome + "Cache\\Cache_Data\\f_000001",
                 chrome + "Code Cache\\js\\index", chrome + "GPUCache\\data_1", edge + "Cache\\Cache_Data\\data_0",
                 foxLocal + "cache2\\entries\\0A1B2C", foxLocal + "startupCache\\startupCache.8.little",
                 temp + "setup.tmp", temp + "sub\\trace.log", wer + "Report.wer",
                 thumbs + "thumbcache_96.db", thumbs + "iconcache_32.db"};
        kept = {chrome + "Bookmarks", chrome + "Preferences", chrome + "History", chrome + "Network\\Cookies",
                chrome + "Sessions\\Session_1", chrome + "Login Data", edge + "Bookmarks", edge + "Preferences",
                foxRoaming + "places.sqlite", foxRoaming + "cookies.sqlite", foxRoaming + "prefs.js",
                foxRoaming + "sessionstore.jsonlz4", thumbs + "ExplorerStartupLog.etl",
                temp + "installing.tmp"};
        for (const auto& file : cache) MakeFile(file);
        for (const auto& file : kept) MakeFile(file);
        WriteTextFile(roaming + "\\Mozilla\\Firefox\\profiles.ini",
                      "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/t3st.default-release\r\n");
        // Temporary files wash once a day old: a newer one may still be in use.
        for (const auto& file : {temp + "setup.tmp", temp + "sub\\trace.log"}) SetFileAgeHours(file, 48);
        SetFileAgeHours(temp + "installing.tmp", 1);

        for (const char* name : {"a", "b", "MRUList"}) SetValue(Explorer + "\\RunMRU", name);
        SetValue(Explorer + "\\TypedPaths", "url1");
        SetValue(Explorer + "\\WordWheelQuery", "MRUListEx");
        SetValue(Explorer + "\\RecentDocs\\.txt", "0");
        SetValue(Explorer + "\\ComDlg32\\OpenSavePidlMRU\\*", "0");
        SetValue(Explorer + "\\ComDlg32\\LastVisitedPidlMRU", "0");
        SetValue("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0");
        SetValue(Explorer + "\\Advanced", "VarnoltTestKeep");
    }

    void TearDown() override {
        for (const auto& folder : {local + "\\Google", local + "\\Microsoft\\Edge", local + "\\Mozilla",
                                   roaming + "\\Mozilla", temp, local + "\\Microsoft\\Windows\\WER"})
            RemoveTree(folder);
        for (const auto& file : cache) DeleteFileA(file.c_str());
        for (const auto& file : kept) DeleteFileA(file.c_str());
        for (const char* key : {"\\RunMRU", "\\TypedPaths", "\\WordWheelQuery", "\\RecentDocs",
                                "\\ComDlg32\\OpenSavePidlMRU", "\\ComDlg32\\LastVisitedPidlMRU"})
            RegDeleteTreeA(HKEY_CURRENT_USER, (Explorer + key).c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, (Explorer + "\\Advanced").c_str(), "VarnoltTestKeep");
    }

    // The built profile's part of a list of rows: what this test may wash.
    std::vector<std::string> Ours(const std::vector<std::string>& rows) const {
        std::vector<std::string> ours;
        for (const auto& row : rows)
            for (const auto& root : {local + "\\Google\\", local + "\\Microsoft\\Edge\\", local + "\\Mozilla\\",
                                     roaming + "\\Mozilla\\", temp, local + "\\Microsoft\\Windows\\WER\\", thumbs,
                                     CurrentUser + Explorer + "\\", CurrentUser + "Software\\Microsoft\\MediaPlayer\\"})
                if (StartsWith(row, root)) {
                    ours.push_back(row);
                    break;
                }
        return ours;
    }

    TempDir settings;
    ProgramDirScope programDir{settings.Path()};  // no exclusion list
    std::string local, roaming, chrome, edge, foxLocal, foxRoaming, temp, wer, thumbs;
    std::vector<std::string> cache, kept;
};
}  // namespace

TEST_F(SuppliedItems, CheckedItemsTakeTheCachesAndMruListsAndKeepEverythingElse) {
    std::string source = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(source.begin(), source.end(), '/', '\\');
    Catalogue catalogue;
    catalogue.LoadFromFile(source);
    ASSERT_GT(catalogue.Count(), 20);
    CoveredRows rows = CollectCheckedRows(catalogue);

    std::vector<std::string> files = Ours(rows.Files);
    std::set<std::string> found(files.begin(), files.end()), wanted(cache.begin(), cache.end());
    // Letter case of the known folders may differ from the rows' spelling: compare upper-cased.
    auto upper = [](std::set<std::string> set) {
        std::set<std::string> out;
        for (auto text : set) out.insert(std::string(CharUpperA(text.data())));
        return out;
    };
    EXPECT_EQ(upper(found), upper(wanted));

    std::vector<std::string> keys = Ours(rows.Registry);
    std::set<std::string> keySet(keys.begin(), keys.end());
    const std::string e = CurrentUser + Explorer;
    for (const auto& row : {e + "\\RunMRU\\<|>DeleteValue<|>a", e + "\\RunMRU\\<|>DeleteValue<|>MRUList",
                            e + "\\TypedPaths\\<|>DeleteValue<|>url1", e + "\\WordWheelQuery\\<|>DeleteValue<|>MRUListEx",
                            e + "\\RecentDocs\\.txt<|>DeleteKey", e + "\\RecentDocs\\<|>DeleteKey",
                            e + "\\ComDlg32\\OpenSavePidlMRU\\*<|>DeleteKey",
                            e + "\\ComDlg32\\LastVisitedPidlMRU\\<|>DeleteValue<|>0"})
        EXPECT_EQ(keySet.count(row), 1u) << row;
    for (const auto& row : keys) EXPECT_EQ(row.find("\\Advanced"), std::string::npos) << row;
    EXPECT_NE(std::find(rows.Specials.begin(), rows.Specials.end(), "Recycle Bin"), rows.Specials.end());

    // Washing those rows leaves the profile's other files and keys as they were.
    CheckListModel fileList, keyList;
    fileList.AddRows(files, true);
    keyList.AddRows(keys, true);
    int success = 0, fails = 0;
    WashFileList(fileList, true, false, {}, success, fails);
    EXPECT_EQ(fails, 0);
    WashRegistryList(keyList, false, success, fails);
    EXPECT_EQ(fails, 0);
    for (const auto& file : cache) EXPECT_FALSE(FileExists(file)) << file;
    for (const auto& file : kept) EXPECT_TRUE(FileExists(file)) << file;
    EXPECT_FALSE(ValueExists(Explorer + "\\RunMRU", "a"));
    EXPECT_FALSE(KeyExists(Explorer + "\\RecentDocs"));
    EXPECT_FALSE(ValueExists("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0"));
    EXPECT_TRUE(ValueExists(Explorer + "\\Advanced", "VarnoltTestKeep"));
    EXPECT_TRUE(KeyExists(Explorer + "\\Advanced"));
}

TEST_F(SuppliedItems, EveryItemWithCookiesHistoryOrSessionsIsUnchecked) {
    std::string source = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(source.begin(), source.end(), '/', '\\');
    Catalogue catalogue;
    catalogue.LoadFromFile(source);
    int browserItems = 0;
    auto has = [](const std::string& text, const char* word) { return text.find(word) != std::string::npos; };
    for (const auto& row : catalogue.Items) {
        const std::string& name = row.ItemName;
        bool browser = has(name, "Chrom") || has(name, "Edge") || has(name, "Brave") || has(name, "Firefox") ||
                       has(name, "Internet Explorer Cookies");
        bool private_ = has(name, "Cookies") || has(name, "History") || has(name, "Sessions");
        if ((browser && private_) || has(name, "Prefetch") || has(name, "Jump Lists") || has(name, "Delivery Optimization")) {
            ++browserItems;
            EXPECT_FALSE(row.IsActive) << name;
        }
    }
    EXPECT_GE(browserItems, 13);
}
