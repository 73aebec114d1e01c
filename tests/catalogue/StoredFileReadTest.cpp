// Stored files the profile functions can't read as they are: UTF-16 without its byte-order
// mark is read as written; bytes that are no text are never rewritten.
#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"
#include "catalogue/FileReplace.h"
#include "catalogue/WashItem.h"
#include "platform/Error.h"
#include "platform/StoredText.h"
#include "tests/support/TempDir.h"

namespace {
// ASCII text as UTF-16LE bytes, without a mark.
std::string Utf16(const std::string& text) {
    std::string bytes;
    for (char c : text) bytes += std::string{c, '\0'};
    return bytes;
}

std::string Names(const Catalogue& list) {
    std::string names;
    for (const auto& row : list.Items) names += row.ItemName + " ";
    return names;
}

void AddItem(const std::string& file, const std::string& name) {
    RewriteThroughCopy(file, [&](const std::string& copy) { WashItem().AddToFile(copy, name, true); });
}

const std::string Items = "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Beta\r\n[Alpha]\r\nIsActive=1\r\n"
                          "tFolder.Total=1\r\ntFolder0.ChildItemName=Logs\r\n[Beta]\r\nIsActive=0\r\n";
}  // namespace

TEST(StoredFileRead, Utf16WithoutMarkIsReadAndKeepsItsItemsWhenOneIsAdded) {
    TempDir dir;
    const std::string file = dir.Path() + "user.txt";
    WriteTextFile(file, Utf16(Items));
    Catalogue list;
    list.LoadFromFile(file);
    EXPECT_EQ(Names(list), "Alpha Beta ");
    EXPECT_EQ(WashItem(file, "Alpha").FolderEntries.Count(), 1);

    AddItem(file, "Gamma");
    Catalogue after;
    after.LoadFromFile(file);
    EXPECT_EQ(Names(after), "Alpha Beta Gamma ");
}

TEST(StoredFileRead, BytesThatAreNoTextAreNeverRewritten) {
    const std::string garbage[] = {
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20),
        "[Common]\r\nTotal=1\r\nItem0=Alpha\r\n" + std::string("\0\0\x07\x12\xff", 5) + "tail\r\n",
        std::string("\x03\x01\x02\x04\x05\x06\x0e\x0f\x10\x11\x13\x14", 12),
    };
    TempDir dir;
    const std::string file = dir.Path() + "user.txt";
    for (const auto& bytes : garbage) {
        WriteTextFile(file, bytes);
        Catalogue list;
        list.LoadFromFile(file);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_THROW(AddItem(file, "Gamma"), AppError);
        EXPECT_EQ(ReadTextFile(file), bytes);
        EXPECT_FALSE(StoredTextProblem(file).empty());
    }
    WriteTextFile(file, Items);
    EXPECT_EQ(StoredTextProblem(file), "");
    EXPECT_EQ(StoredTextProblem(dir.Path() + "missing.txt"), "");
}
