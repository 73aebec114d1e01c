// Plug-in export and import from the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "platform/Profile.h"
#include "platform/WideText.h"
#include "tests/support/Dialogs.h"
#include "tests/support/MainWindowFixture.h"

namespace {

const std::string ExportNote = "Note: The Wash Items created by software author will not be include when export!";

// Rows: Alpha (system, checked), Recycle Bin (system, special, unchecked), Gamma (user,
// checked, one folder entry), Plug (plugin\extra.txt, checked).
class MainPluginsTest : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Recycle Bin\r\n[Alpha]\r\nIsActive=1\r\n"
               "[Recycle Bin]\r\nIsActive=0\r\nIsSpecial=1\r\n";
    }
    void AddFiles() override {
        CreateDirectoryA((dir.Path() + "out").c_str(), nullptr);
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Gamma\r\n[Gamma]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                            "tFolder0.ChildItemName=Logs\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                            "tFolder0.deletepath=C:\\Gamma\\*.log\r\n");
        WriteTextFile(extra, "[Common]\r\nTotal=1\r\nItem0=Plug\r\n[Plug]\r\nIsActive=1\r\n");
    }
    void SetUp() override {
        MainWindowFixture::SetUp();
        Open().FileDialogChoice = [this](const FileDialogRequest& request) {
            requests.push_back(request);
            return chosen;
        };
    }

    void Check(int row, bool checked) {
        form->ItemList.SetChecked(row, checked);
        form->WashItems.Items[row].IsActive = checked;
    }

    const std::string extra = dir.Path() + "plugin\\extra.txt";
    std::string chosen;
    std::vector<FileDialogRequest> requests;
};

}  // namespace

TEST_F(MainPluginsTest, ExportWritesCheckedItemsButSuppliedOnesToACopyInListOrder) {
    chosen = dir.Path() + "out\\mine.txt";
    WriteTextFile(chosen, "[Common]\r\nTotal=7\r\n[Stale]\r\nIsActive=1\r\n");
    const std::string userBefore = ReadTextFile(user);
    EXPECT_EQ(AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK}), Strings{"I:" + ExportNote});
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].title, "Save Wash Item selected to PlugIn file");
    EXPECT_EQ(requests[0].filter, "TXT file (*.TXT)|*.TXT");
    EXPECT_EQ(requests[0].defaultExt, "txt");
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));

    EXPECT_EQ(ReadTextFile(chosen), "[Common]\r\nTotal=2\r\nItem0=Gamma\r\nItem1=Plug\r\n"
                                    "[Gamma]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=1\r\n"
                                    "tFolder0.ChildItemName=Logs\r\ntFolder0.isactive=1\r\n"
                                    "tFolder0.deletepath=C:\\Gamma\\*.log\r\ntFolder0.RegisterName=\r\n"
                                    "tFolder0.RegisterValueofName=\r\ntFolder0.deletefilename=\r\n"
                                    "tFolder0.bycategory=1\r\ntFolder0.IsIncludeSubfolder=0\r\n"
                                    "tRegister.Total=0\r\n[Plug]\r\nIsActive=1\r\nIsSpecial=0\r\n"
                                    "tFolder.Total=0\r\ntRegister.Total=0\r\n");
    EXPECT_EQ(ReadTextFile(user), userBefore);
    EXPECT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Plug [x]"}));
    EXPECT_EQ(form->ItemList.Selected(), 3);  // the last checked row is current

    // The current wash item stays bound to its own file: an entry added now goes there.
    SelectItem(2);
    FolderEntry entry = form->CurrentItem->FolderEntries.Items[0];
    entry.Name = "Added";
    form->CurrentItem->FolderEntries.Add(entry);
    form->CurrentItem->FolderEntries.Save();
    EXPECT_NE(ReadTextFile(user).find("tFolder1.ChildItemName=Added"), std::string::npos);
    EXPECT_EQ(ReadTextFile(chosen).find("Added"), std::string::npos);
}

TEST_F(MainPluginsTest, NothingToExportRemovesTheChosenFile) {
    chosen = dir.Path() + "out\\mine.txt";
    Check(2, false);
    Check(3, false);
    WriteTextFile(chosen, "old");
    EXPECT_EQ(AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK}), Strings{"I:" + ExportNote});
    EXPECT_FALSE(FileExists(chosen));
    EXPECT_EQ(form->ItemList.Selected(), 0);

    Check(0, false);
    WriteTextFile(chosen, "old");
    AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK});
    EXPECT_FALSE(FileExists(chosen));
    chosen.clear();  // cancelled: nothing is shown
    AnswerBoxes([&] { form->OnExportPlugin(); });
}

TEST_F(MainPluginsTest, ExportRefusesTheProgramsOwnFiles) {
    WriteTextFile(dir.Path() + "order.ini", "[Common]\r\nTotal=0\r\n");
    WriteTextFile(dir.Path() + "wildcard.ini", "[Common]\r\nWildcard Total=0\r\n");
    std::string upper = user;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    for (std::string target : {upper, system, dir.Path() + "plugin\\new.txt", extra, dir.Path() + "order.ini",
                               dir.Path() + "const\\..\\wildcard.ini"}) {
        chosen = target;
        std::string before = ReadTextFile(target);
        Strings boxes = AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], "E:The file '" + target +
                                "' holds wash items or settings of this program and can't take an export. "
                                "Please choose another file.");
        EXPECT_EQ(ReadTextFile(target), before) << target;
    }
    EXPECT_FALSE(FileExists(dir.Path() + "plugin\\new.txt"));
}

TEST_F(MainPluginsTest, ExportTakesTheFirstOfTwoItemsOfOneNameAndSaysWhichWasLeftOut) {
    WriteTextFile(extra, "[Common]\r\nTotal=2\r\nItem0=GAMMA\r\nItem1=Plug\r\n[GAMMA]\r\ntFolder.Total=0\r\n");
    form->ReloadCatalogue();
    ASSERT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "GAMMA [x]", "Plug [x]"}));
    chosen = dir.Path() + "out\\mine.txt";
    EXPECT_EQ(AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK, IDOK}),
              (Strings{"I:" + ExportNote, "I:These wash items were not exported, because a wash item of the same "
                                          "name was exported before them:\r\nGAMMA (" + extra + ")"}));
    std::string written = ReadTextFile(chosen);
    EXPECT_NE(written.find("Total=2\r\nItem0=Gamma\r\nItem1=Plug\r\n"), std::string::npos);
    EXPECT_NE(written.find("tFolder0.ChildItemName=Logs"), std::string::npos);
}

// A refused write leaves the old file and no temporary file behind.
TEST_F(MainPluginsTest, FailedExportKeepsTheOldFile) {
    chosen = dir.Path() + "out\\mine.txt";
    WriteTextFile(chosen, "old");
    HANDLE holder = CreateFileA(chosen.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Strings boxes = AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK, IDOK});
    CloseHandle(holder);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "E:Unable to write to " + chosen);
    EXPECT_EQ(ReadTextFile(chosen), "old");
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir.Path() + "out\\*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(MainPluginsTest, ImportArrivesUncheckedAfterTheRowsInTheirSavedPlaces) {
    // Moved in memory only: the import saves the order before it reads the catalogue again.
    form->WashItems.MoveDown(0);
    form->FillWashItemList();
    chosen = dir.Path() + "out\\new.txt";
    WriteTextFile(chosen, "[Common]\r\nTotal=2\r\nItem0=New one\r\nItem1=New two\r\n[New one]\r\nIsActive=1\r\n");
    AnswerBoxes([&] { form->OnImportPlugin(); });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].title, "Import Wash Items from PlugIn File");
    EXPECT_EQ(requests[0].filter, "TXT file (*.TXT)|*.TXT");
    EXPECT_EQ(requests[0].defaultExt, "txt");
    EXPECT_EQ(ReadTextFile(dir.Path() + "plugin\\new.txt"), ReadTextFile(chosen));
    EXPECT_EQ(Rows(), (Strings{"Recycle Bin [ ]", "Alpha [x]", "Gamma [x]", "Plug [x]", "New one [ ]", "New two [ ]"}));
    EXPECT_EQ(form->ItemList.Selected(), 0);
    EXPECT_EQ(form->CurrentItem->Property.ItemName, "Recycle Bin");
}

TEST_F(MainPluginsTest, ARulesFileInTheWinapp2FormatBecomesWinapp2IniNotAPlugin) {
    chosen = dir.Path() + "out\\rules.txt";
    WriteTextFile(chosen, "[Windows Logs *]\r\nLangSecRef=3025\r\nFileKey1=%WinDir%|*.log\r\n");
    EXPECT_EQ(AnswerBoxes([&] { form->OnImportPlugin(); }, {IDOK}),
              Strings{"I:winapp2.ini: 1 entries read, 1 detected, 0 lines skipped, 1 keys refused"});
    EXPECT_EQ(ReadTextFile(dir.Path() + "winapp2.ini"), ReadTextFile(chosen));
    EXPECT_FALSE(FileExists(dir.Path() + "plugin\\rules.txt"));
    EXPECT_EQ(Rows().back(), "Windows: Windows Logs [ ]");
}

TEST_F(MainPluginsTest, ImportOverAnExistingPluginAsksAndNoChangesNothing) {
    chosen = dir.Path() + "out\\extra.txt";
    WriteTextFile(chosen, "[Common]\r\nTotal=1\r\nItem0=Plug\r\n[Plug]\r\nIsActive=1\r\ntFolder.Total=1\r\n");
    WriteTextFile(user, "[Common]\r\nTotal=2\r\nItem0=Gamma\r\nItem1=Late\r\n");  // a reread would show Late
    const std::string question = "W:The file '" + extra + "' already exists! OverWrite?";
    EXPECT_EQ(AnswerBoxes([&] { form->OnImportPlugin(); }, {IDNO}), Strings{question});
    EXPECT_EQ(ReadTextFile(extra), "[Common]\r\nTotal=1\r\nItem0=Plug\r\n[Plug]\r\nIsActive=1\r\n");
    EXPECT_EQ(form->ItemList.Count(), 4);
    EXPECT_FALSE(FileExists(dir.Path() + "order.ini"));

    EXPECT_EQ(AnswerBoxes([&] { form->OnImportPlugin(); }, {IDYES}), Strings{question});
    EXPECT_EQ(ReadTextFile(extra), ReadTextFile(chosen));
    EXPECT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Plug [ ]", "Late [x]"}));
}

TEST_F(MainPluginsTest, ImportRefusalsCopyNothingAndAMissingFolderIsMade) {
    const struct {
        std::string file, text, refusal;
    } refused[] = {
        {dir.Path() + "out\\bad.txt",
         "[Common]\r\nTotal=1\r\nItem0=Wipe\r\n[Wipe]\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Everything\r\n"
         "tFolder0.deletepath=C:\\*.*\r\ntFolder0.IsIncludeSubfolder=1\r\n",
         "is not imported: the entry 'Everything' of the wash item 'Wipe' would clean the folder C:\\ with all its "
         "subfolders."},
        {dir.Path() + "out\\items.ini", "[Common]\r\nTotal=1\r\nItem0=Good\r\n",
         "is not imported: only files ending in .txt are read from the plugin folder."},
        {extra, "", "is already in the plugin folder."},  // already there: nothing to copy
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.file);
        chosen = row.file;
        if (!row.text.empty()) WriteTextFile(chosen, row.text);
        const std::string before = ReadTextFile(extra);
        EXPECT_EQ(AnswerBoxes([&] { form->OnImportPlugin(); }, {IDOK}),
                  Strings{"E:The file '" + chosen + "' " + row.refusal});
        const std::string copy = dir.Path() + "plugin\\" + chosen.substr(chosen.rfind('\\') + 1);
        if (copy == extra) EXPECT_EQ(ReadTextFile(extra), before);
        else EXPECT_FALSE(FileExists(copy)) << copy;
    }

    chosen = dir.Path() + "out\\good.txt";
    WriteTextFile(chosen, "[Common]\r\nTotal=1\r\nItem0=Good\r\n");
    RemoveTree(dir.Path() + "plugin");
    AnswerBoxes([&] { form->OnImportPlugin(); });
    EXPECT_EQ(ReadTextFile(dir.Path() + "plugin\\good.txt"), ReadTextFile(chosen));
    EXPECT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Good [ ]"}));
}

TEST_F(MainPluginsTest, FailedCopyIsReportedAndNothingIsReadAgain) {
    chosen = dir.Path() + "out\\extra.txt";
    WriteTextFile(chosen, "[Common]\r\nTotal=1\r\nItem0=Other\r\n");
    HANDLE holder = CreateFileA(extra.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Strings boxes = AnswerBoxes([&] { form->OnImportPlugin(); }, {IDYES, IDOK});
    CloseHandle(holder);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rfind("E:Unable to copy '" + chosen + "' to '" + extra + "': ", 0), 0u) << boxes[1];
    EXPECT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Plug [x]"}));
    EXPECT_FALSE(FileExists(dir.Path() + "order.ini"));
}

// The real dialogs: a name typed into the save dialog gets the default extension.
TEST_F(MainPluginsTest, RealFileDialogsTakeATypedName) {
    form->FileDialogChoice = nullptr;
    ShowWindow(form->Handle(), SW_SHOW);
    const std::string base = dir.Path() + "out\\typed";
    auto typeName = [](HWND dialog, const std::string& name) {
        HWND edit = GetDlgItem(dialog, 0x47c);  // the file name combo box
        if (!edit) edit = GetDlgItem(dialog, 0x480);
        ASSERT_NE(edit, nullptr);
        SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        UiDriver::Click(dialog, IDOK);
    };
    RunDialog(
        [&] { form->OnExportPlugin(); }, "Save Wash Item selected to PlugIn file",
        [&](UiDriver&, HWND dialog) { typeName(dialog, base); },
        [&](UiDriver& driver) {
            HWND note = driver.WaitForMessageBox();
            ASSERT_NE(note, nullptr);
            EXPECT_EQ(UiDriver::MessageBoxText(note), ExportNote);
            driver.Answer(note, IDOK);
        });
    EXPECT_NE(ReadTextFile(base + ".txt").find("Item0=Gamma"), std::string::npos);

    RunDialog([&] { form->OnImportPlugin(); }, "Import Wash Items from PlugIn File",
              [&](UiDriver&, HWND dialog) { typeName(dialog, base + ".txt"); });
    EXPECT_EQ(ReadTextFile(dir.Path() + "plugin\\typed.txt"), ReadTextFile(base + ".txt"));
}

TEST_F(MainPluginsTest, PluginsNamedOutsideTheCodePageGoBothWays) {
    const std::string greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
    // A plug-in file written in UTF-16, as the program writes names its code page lacks.
    chosen = dir.Path() + "out\\" + greek + ".txt";
    const std::wstring text = L"\xFEFF[Common]\r\nTotal=1\r\nItem0=" + Widen(greek) + L"\r\n[" + Widen(greek) +
                              L"]\r\nIsActive=1\r\n";
    WriteTextFile(chosen, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    AnswerBoxes([&] { form->OnImportPlugin(); });
    EXPECT_EQ(ReadTextFile(dir.Path() + "plugin\\" + greek + ".txt"), ReadTextFile(chosen));
    EXPECT_EQ(Rows(), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Plug [x]", greek + " [ ]"}));

    // Exported again under another name in the same script.
    Check(4, true);
    chosen = dir.Path() + "out\\" + greek + " 2.txt";
    AnswerBoxes([&] { form->OnExportPlugin(); }, {IDOK});
    ProfileFile exported(chosen);
    EXPECT_EQ(exported.ReadString("Common", "Item2"), greek);
}
