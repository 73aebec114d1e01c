// Links in the Recycle Bin: a file link, a folder link and a junction, in the bin itself and in a
// folder in it. Washing the bin never reaches what they point to.
#include "engine/RecycleBinLinks.h"

#include "engine/SpecialItems.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/Trash.h"

namespace {
enum class LinkKind { File, Folder, Junction };

bool MakeLink(LinkKind kind, const std::string& target, const std::string& link) {
    switch (kind) {
        case LinkKind::File:
            return MakeHostFileLink(HostPath(target), link);
        case LinkKind::Folder:
            return MakeFolderLink(target, link);
        case LinkKind::Junction:
            return MakeJunction(target, link);
    }
    return false;
}

// Empties the test's Recycle Bin through the host, whose rm never follows a link (Wine's delete
// of a file link deletes what it points to).
void EmptyTrashFolders(const std::string& trash) {
    const std::string files = HostPath(trash + "files"), info = HostPath(trash + "info");
    ASSERT_TRUE(StartHost("/bin/rm -rf \"" + files + "\" \"" + info + "\""));
    ASSERT_TRUE(WaitUntil([&] { return !FileExists(trash + "files") && !FileExists(trash + "info"); }, 5000));
    CreateDirectoryA((trash + "files").c_str(), nullptr);
    CreateDirectoryA((trash + "info").c_str(), nullptr);
}
}  // namespace

TEST_F(WashFolderTest, WashingTheRecycleBinNeverReachesWhatALinkInItPointsTo) {
    const std::string trash = TestTrashFolder();
    if (trash.empty()) GTEST_SKIP() << "the Recycle Bin is not the test runner's own";
    ASSERT_EQ(RecycleBinFolders(), std::vector<std::string>{trash + "files"});
    struct Case {
        const char* name;
        LinkKind kind;
        bool inFolder;  // in a folder in the bin, not the bin itself
    } cases[] = {
        {"file link", LinkKind::File, false},
        {"folder link", LinkKind::Folder, false},
        {"junction", LinkKind::Junction, false},
        {"file link in a folder", LinkKind::File, true},
        {"folder link in a folder", LinkKind::Folder, true},
        {"junction in a folder", LinkKind::Junction, true},
    };
    EmptyTrashFolders(trash);
    const std::string data = dir.Path() + "data\\", precious = data + "precious.txt";
    CreateDirectoryA(data.c_str(), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteTextFile(precious, "precious bytes");
        const std::string plain = AddTrashItem(trash, "plain.txt");
        std::string folder = trash + "files\\";
        if (c.inFolder) {
            AddTrashInfo(trash, "folder");
            folder += "folder\\";
            CreateDirectoryA(folder.c_str(), nullptr);
        } else {
            AddTrashInfo(trash, "link");
        }
        const std::string link = folder + "link";
        ASSERT_TRUE(MakeLink(c.kind, c.kind == LinkKind::File ? precious : data, link));
        ASSERT_EQ(LinksBelow(trash + "files"), std::vector<std::string>{link});

        WashSummary wash;
        WashSpecialItem(RecycleBinItem, true, nullptr, &wash);
        EXPECT_EQ(ReadTextFile(precious), "precious bytes");
        if (FileExists(link)) {
            // The link could not go as a link: the bin stays as it is, and the log says why.
            EXPECT_TRUE(FileExists(plain));
            EXPECT_EQ(wash.Files.Failed, 1);
            EXPECT_NE(ReadTextFile(LogFilePath()).find("The Recycle Bin holds a link"), std::string::npos);
        } else {
            EXPECT_FALSE(FileExists(plain));
        }
        EmptyTrashFolders(trash);
    }
}

TEST_F(WashFolderTest, AnAgeLimitEmptiesOnlyOldItemsAndNeverReachesALinksTarget) {
    const std::string trash = TestTrashFolder();
    if (trash.empty()) GTEST_SKIP() << "the Recycle Bin is not the test runner's own";
    EmptyTrashFolders(trash);
    OptionsRecord options;
    options.RecycleBinByAge = true;
    options.RecycleBinDays = 7;
    WriteOptions(SettingsFilePath(), options);
    const std::string data = dir.Path() + "data\\", precious = data + "precious.txt";
    CreateDirectoryA(data.c_str(), nullptr);
    WriteTextFile(precious, "precious bytes");

    const std::string files = trash + "files\\", info = trash + "info\\";
    AddTrashInfo(trash, "old.txt", TrashDateDaysAgo(30));
    WriteTextFile(files + "old.txt", "old");
    AddTrashInfo(trash, "new.txt", TrashDateDaysAgo(1));
    WriteTextFile(files + "new.txt", "new");
    AddTrashInfo(trash, "damaged.txt", "yesterday");
    WriteTextFile(files + "damaged.txt", "damaged");
    AddTrashInfo(trash, "tree", TrashDateDaysAgo(30));
    CreateDirectoryA((files + "tree").c_str(), nullptr);
    CreateDirectoryA((files + "tree\\sub").c_str(), nullptr);
    WriteTextFile(files + "tree\\sub\\inner.txt", "inner");
    AddTrashInfo(trash, "folder", TrashDateDaysAgo(30));
    CreateDirectoryA((files + "folder").c_str(), nullptr);
    WriteTextFile(files + "folder\\inner.txt", "inner");
    ASSERT_TRUE(MakeJunction(data, files + "folder\\link"));

    const std::string preview = RecycleBinPreviewNote();
    EXPECT_EQ(preview, "3 items deleted, 2 newer than 7 days kept");
    WashSummary wash;
    WashSpecialItem(RecycleBinItem, true, nullptr, &wash);
    EXPECT_EQ(ReadTextFile(precious), "precious bytes");
    EXPECT_FALSE(FileExists(files + "old.txt"));
    EXPECT_FALSE(FileExists(info + "old.txt.trashinfo"));
    EXPECT_FALSE(FileExists(files + "tree"));
    EXPECT_FALSE(FileExists(info + "tree.trashinfo"));
    for (const char* name : {"new.txt", "damaged.txt"}) {
        EXPECT_TRUE(FileExists(files + name)) << name;
        EXPECT_TRUE(FileExists(info + name + ".trashinfo")) << name;
    }
    const std::string log = ReadTextFile(LogFilePath());
    if (FileExists(files + "folder\\link")) {
        // The link could not go as a link: its item stays whole, and the wash says it failed.
        EXPECT_TRUE(FileExists(files + "folder\\inner.txt"));
        EXPECT_TRUE(FileExists(info + "folder.trashinfo"));
        EXPECT_EQ(wash.Files.Washed, 2);
        EXPECT_EQ(wash.Files.Failed, 1);
        EXPECT_NE(log.find("2 items deleted, 2 newer than 7 days kept"), std::string::npos);
    } else {
        EXPECT_FALSE(FileExists(files + "folder"));
        EXPECT_FALSE(FileExists(info + "folder.trashinfo"));
        EXPECT_EQ(wash.Files.Washed, 3);
        EXPECT_NE(log.find(preview), std::string::npos);
    }
    EmptyTrashFolders(trash);
}
