#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/Macros.h"
#include "catalogue/RootKeys.h"
#include "catalogue/WashItem.h"
#include "platform/CheckListModel.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
using Texts = std::vector<std::string>;

Texts Sorted(Texts v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A program directory with its settings file, and data\ with files, sub\ and a hidden cache.tmp\.
struct Fixture {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    std::string data = dir.Path() + "data\\";
    Fixture() {
        for (const char* folder : {"", "sub", "cache.tmp"}) CreateDirectoryA((data + folder).c_str(), nullptr);
        SetFileAttributesA((data + "cache.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
        for (const char* name : {"one.txt", "a.tmp", "keep.tmp", "sub\\one.txt", "sub\\b.tmp", "cache.tmp\\c.tmp"})
            WriteTextFile(data + name, "x");
    }
    void Exclude(const Texts& masks) const {
        ProfileFile settings(SettingsFilePath());
        settings.WriteInteger("Exclude Files", "Count", static_cast<int>(masks.size()));
        for (size_t k = 0; k < masks.size(); ++k)
            settings.WriteString("Exclude Files", "Record" + std::to_string(k), masks[k]);
    }
};

Texts Files(FolderCategory category, const std::string& path, bool subfolders) {
    FolderEntry entry;
    entry.Category = category;
    (category == CategorySingleFile ? entry.FilePath : entry.FolderMask) = path;
    entry.IncludeSubfolders = subfolders;
    Texts list{"stale row"};
    entry.ListFiles(list);
    return list;
}

Texts Rows(const std::string& key, RegistryCleanType type, const std::string& value = "",
           std::string* keyAfter = nullptr) {
    RegistryEntry entry;
    entry.KeyName = key;
    entry.CleanType = type;
    entry.ValueName = value;
    Texts rows;
    entry.ListRegistry(rows);
    if (keyAfter) *keyAfter = entry.KeyName;
    return rows;
}
}  // namespace

TEST(RootKeys, Table) {
    const char* names[] = {"HKEY_CLASSES_ROOT", "hkey_current_user", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                           "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "Hkey_Dyn_Data"};
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE, HKEY_USERS,
                          HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    for (unsigned i = 0; i < 7; ++i) EXPECT_EQ(RootKeyFromName(names[i]), roots[i]) << names[i];
    EXPECT_EQ(SplitRegistryPath("HKLM\\x\\").root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(SplitRegistryPath("HKEY_CURRENT_USERX\\x").root, nullptr);
}

TEST(ListFiles, FolderFromRegistryValue) {
    Fixture f;
    TestKey key{"Expansion"};
    FolderEntry entry;
    entry.Category = CategoryRegistryFolder;
    entry.PathKeyName = " hkey_current_user\\" + key.Path() + " ";
    entry.PathValueName = "Cache";
    Texts list;
    entry.ListFiles(list);
    EXPECT_EQ(list, Texts{});  // value missing
    for (std::string folder : {f.data.substr(0, f.data.size() - 1), f.data}) {
        key.Set("", "Cache", folder);
        entry.ListFiles(list);
        EXPECT_EQ(Sorted(list), Sorted({f.data + "one.txt", f.data + "a.tmp", f.data + "keep.tmp"})) << folder;
    }

    DWORD number = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, key.Path().c_str(), "Number", REG_DWORD, &number, sizeof(number));
    entry.PathValueName = "Number";
    try {
        entry.ListFiles(list);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
    }
    EXPECT_EQ(list.size(), 3u);  // left as it was
}

TEST(ListFiles, MaskWithSubfoldersAndExclusions) {
    Fixture f;
    const std::string spec = f.data + "*.tmp";
    // A folder matching the mask is not a file; a hidden folder is still searched.
    EXPECT_EQ(Sorted(Files(CategoryFolderMask, spec, true)),
              Sorted({f.data + "a.tmp", f.data + "keep.tmp", f.data + "sub\\b.tmp", f.data + "cache.tmp\\c.tmp"}));
    // Blank records are skipped, not taken as a mask that matches everything.
    f.Exclude({"  ", "KEEP.TMP ", "", "c:\\sub\\*.*"});
    EXPECT_EQ(Sorted(Files(CategoryFolderMask, spec, true)), Sorted({f.data + "a.tmp", f.data + "cache.tmp\\c.tmp"}));
    EXPECT_EQ(Files(CategoryFolderMask, spec, false), Texts{f.data + "a.tmp"});
    f.Exclude({});  // read again at every call
    EXPECT_EQ(Files(CategoryFolderMask, spec, false).size(), 2u);
}

TEST(ListFiles, SingleFile) {
    Fixture f;
    EXPECT_EQ(Files(CategorySingleFile, f.data + "one.txt", false), Texts{f.data + "one.txt"});
    EXPECT_EQ(Sorted(Files(CategorySingleFile, f.data + "one.txt", true)),
              Sorted({f.data + "one.txt", f.data + "sub\\one.txt"}));
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    // The Windows folder is a protected place: an entry of no user's item names it refused.
    EXPECT_EQ(Files(CategorySingleFile, "{WINDOWS}\\win.ini", false),
              Texts{std::string(windows) + "\\win.ini" + RefusedRowMarker});
    for (std::string spec : {std::string("one.txt"), f.data, f.data + "missing.txt", std::string()})
        EXPECT_EQ(Files(CategorySingleFile, spec, false), Texts{}) << spec;
    f.Exclude({f.data + "one.txt"});
    EXPECT_EQ(Files(CategorySingleFile, f.data + "one.txt", false), Texts{});
}

TEST(ListRegistry, WholeKeyRows) {
    TestKey key{"Expansion"};
    for (const char* sub : {"Beta", "Alpha", "Alpha\\Deeper"}) key.Create(sub);
    const std::string e = key.Full() + "\\";
    std::string changed;
    Texts rows = Rows(key.Full(), CleanWholeKey, "", &changed);
    EXPECT_EQ(changed, e);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.back(), e + "<|>DeleteKey");
    EXPECT_EQ(Sorted({rows[0], rows[1]}), Sorted({e + "Alpha<|>DeleteKey", e + "Beta<|>DeleteKey"}));
    EXPECT_EQ(Rows(e + "Beta\\", CleanWholeKey), Texts{e + "Beta\\<|>DeleteKey"});

    // The root name keeps its letter case.
    EXPECT_EQ(Rows("hkey_current_user\\" + key.Path() + "\\Beta", CleanWholeKey),
              Texts{"hkey_current_user\\" + key.Path() + "\\Beta\\<|>DeleteKey"});
    const std::string user = ExpandMacros("{username}");
    key.Create(user);
    EXPECT_EQ(Rows(key.Full() + "\\{USERNAME}", CleanWholeKey, "", &changed), Texts{e + user + "\\<|>DeleteKey"});
    EXPECT_EQ(changed, e + "{USERNAME}\\");
}

TEST(ListRegistry, NoRowsWithoutAKey) {
    TestKey key{"Expansion"};
    std::string changed;
    EXPECT_EQ(Rows("HKEY_CURRENT_USER", CleanWholeKey, "", &changed), Texts{});
    EXPECT_EQ(changed, "HKEY_CURRENT_USER\\");
    // An empty name must not stand for the root key either.
    for (std::string name : {std::string(), std::string("  "), key.Full() + "\\Missing\\"})
        for (RegistryCleanType type : {CleanWholeKey, CleanAllValues})
            EXPECT_EQ(Rows(name, type), Texts{}) << "'" << name << "' type " << int(type);
}

// A root that is no root key's name never stands for HKEY_CURRENT_USER, nor does a bare root;
// the entry says why it lists nothing.
TEST(ListRegistry, UnknownOrBareRootsListNothingAndSayWhy) {
    TestKey key{"Expansion"};
    key.Create("Sub");
    key.Set("", "a", "1");
    const struct {
        std::string name, reason;
    } cases[] = {
        {"HKEY_FOO\\" + key.Path(),
         "'HKEY_FOO' is not a registry root key such as HKEY_CURRENT_USER, so this entry lists nothing."},
        {"HKXX\\" + key.Path(),
         "'HKXX' is not a registry root key such as HKEY_CURRENT_USER, so this entry lists nothing."},
        {"HKEY_CURRENT_USER\\\\",
         "'HKEY_CURRENT_USER' is a whole root key, not a key below it, so this entry lists nothing."},
        {" ", "This entry names no registry key, so it lists nothing."},
        {key.Full(), ""},
    };
    for (const auto& c : cases) {
        for (RegistryCleanType type : {CleanWholeKey, CleanAllValues, CleanSingleValue})
            EXPECT_EQ(Rows(c.name, type, "a").empty(), !c.reason.empty()) << c.name << " type " << int(type);
        RegistryEntry entry;
        entry.KeyName = c.name;
        EXPECT_EQ(entry.NoRowsReason(), c.reason);
    }
    Fixture f;
    FolderEntry folder;
    folder.Category = CategoryRegistryFolder;
    folder.PathKeyName = "HKEY_FOO\\" + key.Path();
    folder.PathValueName = "Cache";
    key.Set("", "Cache", f.data);
    Texts files;
    folder.ListFiles(files);
    EXPECT_EQ(files, Texts{});
}

TEST(ListRegistry, ValueRows) {
    TestKey key{"Expansion"};
    key.Create("Empty");
    const std::string e = key.Full() + "\\";
    EXPECT_EQ(Rows(e + "Empty", CleanAllValues), Texts{});
    key.Set("", "", "default");
    key.Set("", "One", "1");
    DWORD number = 2;
    RegSetKeyValueA(HKEY_CURRENT_USER, key.Path().c_str(), "Two", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(Sorted(Rows(key.Full(), CleanAllValues)),
              Sorted({e + "<|>DeleteValue<|>", e + "<|>DeleteValue<|>One", e + "<|>DeleteValue<|>Two"}));
    EXPECT_EQ(Rows(key.Full(), CleanSingleValue, "Two"), Texts{e + "<|>DeleteValue<|>Two"});
    EXPECT_EQ(Rows(key.Full(), CleanSingleValue, "Three"), Texts{});
}
