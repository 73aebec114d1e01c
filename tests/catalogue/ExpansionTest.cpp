#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/RootKeys.h"
#include "catalogue/UnitMacro.h"
#include "catalogue/WashItem.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"

namespace {
using Rows = std::vector<std::string>;

Rows Sorted(Rows v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A key of its own under HKCU\Software\VarnoltTests, removed with everything in it.
struct TestKey {
    std::string path;
    explicit TestKey(const std::string& name)
        : path("Software\\VarnoltTests\\" + name + std::to_string(GetCurrentProcessId())) {
        Create("");
    }
    ~TestKey() { DeleteKeyTree(HKEY_CURRENT_USER, path); }
    std::string Full() const { return "HKEY_CURRENT_USER\\" + path; }
    void Create(const std::string& sub) const {
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, (path + sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
    void Set(const std::string& name, DWORD type, const void* data, DWORD size) const {
        HKEY key;
        RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
        RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void SetText(const std::string& name, const std::string& value) const {
        Set(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
};

// A program directory with its settings file, and a folder tree to expand.
struct Fixture {
    TempDir dir;
    std::string saved = ProgramDir();
    std::string data = dir.Path() + "data\\";
    Fixture() {
        SetProgramDir(dir.Path());
        CreateDirectoryA(data.c_str(), nullptr);
        CreateDirectoryA((data + "sub").c_str(), nullptr);
        CreateDirectoryA((data + "cache.tmp").c_str(), nullptr);
        SetFileAttributesA((data + "cache.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
        for (const char* name : {"one.txt", "a.tmp", "keep.tmp", "sub\\one.txt", "sub\\b.tmp", "sub\\keep.tmp",
                                 "cache.tmp\\c.tmp"})
            WriteTextFile(data + name, "x");
    }
    ~Fixture() { SetProgramDir(saved); }
    void Exclude(const std::vector<std::string>& masks) const {
        ProfileFile settings(SettingsFilePath());
        settings.WriteInteger("Exclude Files", "Count", static_cast<int>(masks.size()));
        for (size_t k = 0; k < masks.size(); ++k)
            settings.WriteString("Exclude Files", "Record" + std::to_string(k), masks[k]);
    }
};

Rows Files(const tChildFolder& entry) {
    Rows list{"stale row"};
    entry.ListFiles(list);
    return list;
}

tChildFolder FolderEntry(FolderCategory category, const std::string& path, bool subfolders) {
    tChildFolder entry;
    entry.bycategory = category;
    (category == CategorySingleFile ? entry.deletefilename : entry.deletepath) = path;
    entry.IsIncludeSubfolder = subfolders;
    return entry;
}

Rows RegistryRows(tChildRegister& entry) {
    Rows rows;
    entry.ListRegistry(rows);
    return rows;
}

tChildRegister RegisterEntry(const std::string& key, RegisterCleanType type, const std::string& value = "") {
    tChildRegister entry;
    entry.RegisterKeyName = key;
    entry.CleanRegisterType = type;
    entry.RegisterSingleValue = value;
    return entry;
}
}  // namespace

TEST(RootKeys, TableAndFallback) {
    EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyFromName("hkey_local_machine"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyFromName("HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(RootKeyFromName("HKEY_PERFORMANCE_DATA"), HKEY_PERFORMANCE_DATA);
    EXPECT_EQ(RootKeyFromName("Hkey_Current_Config"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyFromName("HKEY_DYN_DATA"), HKEY_DYN_DATA);
    EXPECT_EQ(RootKeyFromName("HKLM"), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyFromName(""), HKEY_CURRENT_USER);

    RegistryPath p = SplitRegistryPath("HKEY_LOCAL_MACHINE\\Software\\X\\");
    EXPECT_EQ(p.root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(p.keyPath, "\\Software\\X\\");
    p = SplitRegistryPath("HKEY_USERS");
    EXPECT_EQ(p.root, HKEY_USERS);
    EXPECT_EQ(p.keyPath, "");
    p = SplitRegistryPath("Software\\HKEY_USERS\\X");
    EXPECT_EQ(p.root, HKEY_CURRENT_USER);
    EXPECT_EQ(p.keyPath, "\\HKEY_USERS\\X");
}

TEST(ListFiles, FolderFromRegistryValue) {
    Fixture f;
    TestKey key("Folder");
    tChildFolder entry;
    entry.bycategory = CategoryRegistryFolder;
    entry.RegisterName = "  hkey_current_user\\" + key.path + "  ";
    entry.RegisterValueofName = "Cache";
    const Rows top{f.data + "one.txt", f.data + "a.tmp", f.data + "keep.tmp"};

    EXPECT_EQ(Files(entry), Rows{});  // value missing
    for (std::string folder : {f.data.substr(0, f.data.size() - 1), f.data}) {
        key.SetText("Cache", folder);
        EXPECT_EQ(Sorted(Files(entry)), Sorted(top)) << folder;
    }
    entry.IsIncludeSubfolder = true;
    EXPECT_EQ(Files(entry).size(), 7u);

    entry.RegisterValueofName = "Number";
    DWORD number = 1;
    key.Set("Number", REG_DWORD, &number, sizeof(number));
    Rows list{"kept"};
    try {
        entry.ListFiles(list);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
    }
    EXPECT_EQ(list, Rows{"kept"});

    entry.RegisterName = "HKEY_CURRENT_USER\\" + key.path + "\\Missing";
    EXPECT_EQ(Files(entry), Rows{});
}

TEST(ListFiles, MaskWithSubfoldersAndExclusions) {
    Fixture f;
    tChildFolder entry = FolderEntry(CategoryFolderMask, f.data + "*.tmp", true);
    // Folders matching the mask are not files; a hidden folder is still searched.
    EXPECT_EQ(Sorted(Files(entry)), Sorted({f.data + "a.tmp", f.data + "keep.tmp", f.data + "sub\\b.tmp",
                                            f.data + "sub\\keep.tmp", f.data + "cache.tmp\\c.tmp"}));

    // Blank records are skipped, not taken as a mask that matches everything.
    f.Exclude({"  ", "KEEP.TMP ", "", "c:\\sub\\*.*"});
    EXPECT_EQ(Sorted(Files(entry)), Sorted({f.data + "a.tmp", f.data + "cache.tmp\\c.tmp"}));

    entry.IsIncludeSubfolder = false;
    EXPECT_EQ(Files(entry), Rows{f.data + "a.tmp"});

    // The exclusion list is read again at every call.
    f.Exclude({});
    EXPECT_EQ(Sorted(Files(entry)), Sorted({f.data + "a.tmp", f.data + "keep.tmp"}));
}

TEST(ListFiles, SingleFile) {
    Fixture f;
    tChildFolder entry = FolderEntry(CategorySingleFile, f.data + "one.txt", false);
    EXPECT_EQ(Files(entry), Rows{f.data + "one.txt"});
    entry.IsIncludeSubfolder = true;
    EXPECT_EQ(Sorted(Files(entry)), Sorted({f.data + "one.txt", f.data + "sub\\one.txt"}));

    f.Exclude({f.data + "one.txt"});
    entry.IsIncludeSubfolder = false;
    EXPECT_EQ(Files(entry), Rows{});

    f.Exclude({});
    for (std::string spec : {std::string("one.txt"), f.data, f.data + "missing.txt", std::string("")}) {
        entry.deletefilename = spec;
        EXPECT_EQ(Files(entry), Rows{}) << spec;
    }
}

TEST(ListFiles, MacrosInThePath) {
    Fixture f;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    tChildFolder entry = FolderEntry(CategorySingleFile, "{WINDOWS}\\win.ini", false);
    EXPECT_EQ(Files(entry), Rows{std::string(windows) + "\\win.ini"});
}

TEST(ListRegistry, WholeKeyRows) {
    TestKey key("Whole");
    key.Create("\\Beta");
    key.Create("\\Alpha");
    key.Create("\\Alpha\\Deeper");
    tChildRegister entry = RegisterEntry(key.Full(), CleanWholeKey);
    Rows rows = RegistryRows(entry);
    EXPECT_EQ(entry.RegisterKeyName, key.Full() + "\\");
    const std::string e = key.Full() + "\\";
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.back(), e + "<|>DeleteKey");
    EXPECT_EQ(Sorted({rows[0], rows[1]}), Sorted({e + "Alpha<|>DeleteKey", e + "Beta<|>DeleteKey"}));

    tChildRegister leaf = RegisterEntry(key.Full() + "\\Beta\\", CleanWholeKey);
    EXPECT_EQ(RegistryRows(leaf), Rows{e + "Beta\\<|>DeleteKey"});

    // The root name keeps its letter case; an unknown one means HKEY_CURRENT_USER.
    tChildRegister lower = RegisterEntry("hkey_current_user\\" + key.path + "\\Beta", CleanWholeKey);
    EXPECT_EQ(RegistryRows(lower), Rows{"hkey_current_user\\" + key.path + "\\Beta\\<|>DeleteKey"});
    tChildRegister unknown = RegisterEntry("HKCU\\" + key.path + "\\Beta", CleanWholeKey);
    EXPECT_EQ(RegistryRows(unknown), Rows{"HKCU\\" + key.path + "\\Beta\\<|>DeleteKey"});
}

TEST(ListRegistry, NoRowsWithoutAKey) {
    TestKey key("None");
    for (std::string name : Rows{"HKEY_CURRENT_USER", "HKEY_CURRENT_USER\\", "", "  ",
                             key.Full() + "\\Missing\\"}) {
        for (RegisterCleanType type : {CleanWholeKey, CleanAllValues}) {
            tChildRegister entry = RegisterEntry(name, type);
            EXPECT_EQ(RegistryRows(entry), Rows{}) << "'" << name << "' type " << int(type);
        }
    }
    tChildRegister bare = RegisterEntry("HKEY_CURRENT_USER", CleanWholeKey);
    RegistryRows(bare);
    EXPECT_EQ(bare.RegisterKeyName, "HKEY_CURRENT_USER\\");
}

TEST(ListRegistry, ValueRows) {
    TestKey key("Values");
    key.Create("\\Empty");
    const std::string e = key.Full() + "\\";
    tChildRegister none = RegisterEntry(key.Full() + "\\Empty", CleanAllValues);
    EXPECT_EQ(RegistryRows(none), Rows{});

    key.SetText("", "default");
    key.SetText("One", "1");
    DWORD number = 2;
    key.Set("Two", REG_DWORD, &number, sizeof(number));
    tChildRegister all = RegisterEntry(key.Full(), CleanAllValues);
    EXPECT_EQ(Sorted(RegistryRows(all)),
              Sorted({e + "<|>DeleteValue<|>", e + "<|>DeleteValue<|>One", e + "<|>DeleteValue<|>Two"}));

    tChildRegister single = RegisterEntry(key.Full(), CleanSingleValue, "Two");
    EXPECT_EQ(RegistryRows(single), Rows{e + "<|>DeleteValue<|>Two"});
    tChildRegister missing = RegisterEntry(key.Full(), CleanSingleValue, "Three");
    EXPECT_EQ(RegistryRows(missing), Rows{});
}

TEST(ListRegistry, MacrosInTheKeyName) {
    const std::string user = ExpandMacros("{username}");
    ASSERT_FALSE(user.empty());
    TestKey key("Macro");
    key.Create("\\" + user);
    tChildRegister entry = RegisterEntry("HKEY_CURRENT_USER\\" + key.path + "\\{USERNAME}", CleanWholeKey);
    EXPECT_EQ(RegistryRows(entry), Rows{key.Full() + "\\" + user + "\\<|>DeleteKey"});
    EXPECT_EQ(entry.RegisterKeyName, "HKEY_CURRENT_USER\\" + key.path + "\\{USERNAME}\\");
}
