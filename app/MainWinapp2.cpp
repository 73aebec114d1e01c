// Rows of winapp2.ini in the main window: the file is never written, so edits are refused;
// a rule's warning is asked when its row is checked; the counts of the last reading.
#include <algorithm>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

bool MainWindow::RefuseWinapp2Change(int row) {
    if (row < 0 || row >= WashItems.Count() || !Winapp2.Owns(WashItems.Items[row])) return false;
    ShowRefusal(Handle(), FormatText(IDS_Winapp2ItemReadOnly, WashItems.Items[row].ItemName, Winapp2.Path()));
    return true;
}

bool MainWindow::ConfirmWinapp2Check(int row) {
    Winapp2Entry entry;
    if (!Winapp2.EntryOf(WashItems.Items[row], entry) || entry.Warning.empty()) return true;
    return AskQuestion(Handle(), FormatText(IDS_Winapp2Warning, WashItems.Items[row].ItemName, entry.Warning));
}

void MainWindow::UncheckWinapp2Warnings() {
    int count = std::min(ItemList.Count(), WashItems.Count());
    for (int r = 0; r < count; ++r) {
        const CatalogueRow& row = WashItems.Items[r];
        Winapp2Entry entry;
        if (!row.IsActive && Winapp2.EntryOf(row, entry) && !entry.Warning.empty()) ItemList.SetChecked(r, false);
    }
}

// The new file goes into the user directory (the program's folder may be read-only): copied
// beside the old one and then put in its place, so a failed copy leaves the old file as it was.
void MainWindow::ImportWinapp2(const std::string& source) {
    const std::string target = Winapp2ImportPath();
    wchar_t full[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(Widen(source).c_str(), MAX_PATH * 4, full, nullptr);
    if (n > 0 && n < MAX_PATH * 4 && AnsiCompareText(Narrow(full, n), target) == 0) {
        ShowRefusal(Handle(), FormatText(IDS_Winapp2AlreadyThere, target));
        return;
    }
    if (GetFileAttributesW(WidePath(target).c_str()) != INVALID_FILE_ATTRIBUTES &&
        !AskQuestion(Handle(), FormatText(IDS_FileExistsOverwrite, target)))
        return;
    const std::string copy = target + ".new";
    if (!CopyFileW(WidePath(source).c_str(), WidePath(copy).c_str(), FALSE) ||
        !MoveFileExW(WidePath(copy).c_str(), WidePath(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(WidePath(copy).c_str());
        ShowRefusal(Handle(), FormatText(IDS_UnableToCopy, source, target));
        return;
    }
    SaveCatalogueOrder();
    // A copy keeps the source's time: read the new file whatever its size and time.
    Winapp2 = Winapp2Catalogue();
    ReloadCatalogue();
    ShowNote(Handle(), Winapp2Summary());
}

std::string MainWindow::Winapp2Summary() const {
    if (Winapp2.Path().empty()) return {};
    const Winapp2Counts& counts = Winapp2.Counts();
    return FormatText(IDS_Winapp2Summary, counts.Entries, counts.Detected, counts.SkippedLines, Winapp2.RefusedKeys());
}
