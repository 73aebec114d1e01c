// Stored files the program can't read: named once at start with the reason, kept byte for byte,
// edits that would replace them refused; order.ini written anew.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/WashItemDialogRes.h"
#include "tests/support/DialogInput.h"
#include "tests/support/Dialogs.h"
#include "tests/support/MainWindowFixture.h"

namespace {
const std::string Garbage("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0\x08\x06", 22);
const std::string NotText = " can't be read: it holds bytes that are not text. ";
const std::string Kept =
    "It is kept as it is, and changes that would replace it are refused until it is mended or removed.";

class UnreadableFileTest : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=1\r\nItem0=Alpha\r\n[Alpha]\r\nIsActive=1\r\n";
    }

    std::string plugin = dir.Path() + "plugin\\bad.txt", settings = dir.Path() + "wildcard.ini";
    std::string order = dir.Path() + "order.ini";
};
}  // namespace

TEST_F(UnreadableFileTest, NamedOnceAtStartKeptAndEditsRefused) {
    for (const auto& file : {user, plugin, settings, order}) WriteTextFile(file, Garbage);
    Strings boxes = AnswerBoxes([&] { Open(); }, {IDOK});
    EXPECT_EQ(boxes,
              Strings{"E:" + user + NotText + Kept + "\n\n" + plugin + NotText + Kept + "\n\n" + settings + NotText +
                      Kept + "\n\n" + order + NotText + "It is written anew from the wash items found."});
    ASSERT_NE(form->Handle(), nullptr);
    ASSERT_EQ(form->ItemList.Count(), 1);
    EXPECT_EQ(ReadTextFile(order).rfind("[Common]\r\nTotal=1\r\n", 0), 0u);

    std::string refusal;
    RunDialog([&] { form->OnAddItem(); }, "Add Wash Item",
              [](UiDriver&, HWND dialog) {
                  TypeText(dialog, IDC_WashItem_Name, "Mine");
                  UiDriver::Click(dialog, IDOK);
              },
              [&](UiDriver& driver) {
                  HWND box = driver.ShownBeforeIdle(true);
                  ASSERT_NE(box, nullptr);
                  refusal = UiDriver::MessageBoxText(box);
                  driver.Answer(box, IDOK);
                  driver.WaitGone(box);
              });
    EXPECT_EQ(refusal, "The file " + user +
                           " can't be read (it holds bytes that are not text). It is kept as it is and not changed: "
                           "mend or remove it first.");
    CloseWindow();
    for (const auto& file : {user, plugin, settings}) EXPECT_EQ(ReadTextFile(file), Garbage) << file;
}
