#include "engine/DatabaseRows.h"

#include "engine/EngineTexts.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/NumberText.h"

namespace {
// The browsers a database item's name speaks of, by the words of the supplied names.
struct NamedBrowser {
    const char* Word;
    const char* ImageName;
};
const NamedBrowser NamedBrowsers[] = {
    {"Chrome", "chrome.exe"},  {"Chromium", "chrome.exe"}, {"Edge", "msedge.exe"},
    {"Brave", "brave.exe"},    {"Firefox", "firefox.exe"},
};
const char* const CompactItem = "Compact browser databases";
}  // namespace

bool DatabaseLeftAlone(const DatabaseRow& row) {
    return row.State != DatabaseState::Ready && row.State != DatabaseState::Missing;
}

std::string DatabaseRowName(const DatabaseRow& row) { return row.Label + ": " + row.Path; }

std::string DatabaseRowNote(const DatabaseRow& row) {
    if (!row.Washed) return row.Text;
    // A compacted database says so in its own text already.
    const std::string given = FormatText(IDS_Hist_GivenBack, FormatSpace(row.FreedBytes));
    if (row.Text.find(given) != std::string::npos) return row.Text;
    return row.Text.empty() ? given : row.Text + "; " + given;
}

std::string DatabaseTotalsText(const std::vector<DatabaseRow>& rows) {
    int64_t removed = 0, kept = 0;
    int leftAlone = 0;
    for (const DatabaseRow& row : rows) {
        removed += row.Removed;
        kept += row.Kept;
        leftAlone += DatabaseLeftAlone(row);
    }
    // The left-alone count first: it is what the user must not miss in a narrow column.
    const std::string totals = FormatText(IDS_Db_Totals, GroupedNumber(removed), GroupedNumber(kept));
    return leftAlone ? FormatText(IDS_Db_LeftAlone, leftAlone) + "; " + totals : totals;
}

void AddDatabaseRows(WashSummary& summary, const std::vector<DatabaseRow>& rows) {
    for (const DatabaseRow& row : rows) {
        summary.Files.FreedBytes += row.FreedBytes;
        if (DatabaseLeftAlone(row)) {
            ++summary.Files.Failed;
            summary.Files.Failures.push_back({row.Path, row.Text, DatabaseStateCode(row.State)});
        }
        summary.Databases.push_back(row);
    }
}

void WashDatabaseItemInto(const std::string& name, WashSummary& summary) {
    std::vector<DatabaseRow> rows = WashDatabaseItem(name);
    for (DatabaseRow& row : rows)
        if (row.Item.empty()) row.Item = name;
    AddDatabaseRows(summary, rows);
}

void WriteDatabaseLogRows(const std::string& name, const std::vector<DatabaseRow>& rows) {
    const std::string item = TranslateUiText(name);
    if (rows.empty()) WriteWashLogRow(WashRowKind::SpecialItem, false, true, item, Text(IDS_Db_Missing));
    for (const DatabaseRow& row : rows)
        WriteWashLogRow(WashRowKind::SpecialItem, false, !DatabaseLeftAlone(row), item + " — " + DatabaseRowName(row),
                        DatabaseRowNote(row));
}

std::vector<std::string> DatabaseItemBrowsers(const std::string& name) {
    std::vector<std::string> images;
    if (!IsDatabaseItem(name)) return images;
    const bool all = name == CompactItem;
    for (const NamedBrowser& browser : NamedBrowsers) {
        if (!all && name.find(browser.Word) == std::string::npos) continue;
        bool known = false;
        for (const std::string& image : images) known = known || image == browser.ImageName;
        if (!known) images.push_back(browser.ImageName);
    }
    return images;
}
