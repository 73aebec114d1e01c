// Rows of winapp2.ini in the main window: the file is never written, so edits are refused;
// a rule's warning is asked when its row is checked; the counts of the last reading.
#include <algorithm>

#include "app/Unitmain.h"
#include "platform/Messages.h"

bool TFormMainVRNT::RefuseWinapp2Change(int row) {
    if (row < 0 || row >= Catalogue.Count() || !Winapp2.Owns(Catalogue.Items[row])) return false;
    ShowRefusal(Handle(), "'" + Catalogue.Items[row].ItemName + "' comes from " + Winapp2.Path() +
                              " and can not be changed here. Edit that file to change it.");
    return true;
}

bool TFormMainVRNT::ConfirmWinapp2Check(int row) {
    tWinapp2Entry entry;
    if (!Winapp2.EntryOf(Catalogue.Items[row], entry) || entry.Warning.empty()) return true;
    return AskQuestion(Handle(), Catalogue.Items[row].ItemName + ":\n\n" + entry.Warning +
                                     "\n\nDo you want to check it all the same?");
}

void TFormMainVRNT::UncheckWinapp2Warnings() {
    int count = std::min(ChListBoxItem.Count(), Catalogue.Count());
    for (int r = 0; r < count; ++r) {
        const titem_property& row = Catalogue.Items[r];
        tWinapp2Entry entry;
        if (!row.IsActive && Winapp2.EntryOf(row, entry) && !entry.Warning.empty()) ChListBoxItem.SetChecked(r, false);
    }
}

std::string TFormMainVRNT::Winapp2Summary() const {
    if (Winapp2.Path().empty()) return {};
    const tWinapp2Counts& counts = Winapp2.Counts();
    return "winapp2.ini: " + std::to_string(counts.Entries) + " entries read, " + std::to_string(counts.Detected) +
           " detected, " + std::to_string(counts.SkippedLines) + " lines skipped, " +
           std::to_string(Winapp2.RefusedKeys()) + " keys refused";
}
