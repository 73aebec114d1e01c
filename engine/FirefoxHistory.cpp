#include "engine/FirefoxHistory.h"

#include "engine/DatabaseWash.h"
#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/NumberText.h"

namespace {

// A place stays while a bookmark, keyword or tag holds it. Firefox keeps foreign_count by
// triggers of its own connection; the bookmarks and keywords are asked too, so that a count
// gone wrong can never orphan a bookmark.
const char* KeptPlace =
    "(foreign_count > 0 OR id IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)"
    " OR id IN (SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL))";

// Tables of places.sqlite that hold only history, emptied whole when present.
const std::vector<std::string> VisitTables = {
    "moz_historyvisits", "moz_historyvisits_extra", "moz_inputhistory", "moz_places_metadata",
    "moz_places_metadata_search_queries", "moz_newtab_shortcuts_interaction",
};

// Tables whose rows of removed places go: (table, column naming the place).
const std::pair<const char*, const char*> PlaceRows[] = {
    {"moz_annos", "place_id"},
    {"moz_places_extra", "place_id"},
};

// "a = 1, b = NULL" for the columns of the list the table has.
std::string Assignments(SqliteDb& db, const char* table,
                        const std::vector<std::pair<const char*, const char*>>& values) {
    std::string sql;
    for (const auto& [column, value] : values)
        if (db.HasColumn(table, column)) sql += (sql.empty() ? "" : ", ") + std::string(column) + " = " + value;
    return sql;
}

void WashPlaces(SqliteDb& db) {
    EmptyTables(db, VisitTables);
    db.Exec(std::string("DELETE FROM moz_places WHERE NOT ") + KeptPlace);
    // What the kept places remember of their visits; Firefox works their frecency out again.
    db.Exec("UPDATE moz_places SET " +
            Assignments(db, "moz_places",
                        {{"visit_count", "0"}, {"last_visit_date", "NULL"}, {"typed", "0"}, {"frecency", "-1"},
                         {"recalc_frecency", "1"}, {"alt_frecency", "NULL"}, {"recalc_alt_frecency", "1"}}));
    for (const auto& [table, column] : PlaceRows)
        if (db.HasTable(table))
            db.Exec(std::string("DELETE FROM ") + table + " WHERE " + column + " NOT IN (SELECT id FROM moz_places)");
    // Origins (newer layouts) left without places go; the others are worked out again.
    if (db.HasTable("moz_origins") && db.HasColumn("moz_places", "origin_id")) {
        db.Exec("DELETE FROM moz_origins WHERE id NOT IN "
                "(SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)");
        std::string recalc = Assignments(db, "moz_origins", {{"recalc_frecency", "1"}, {"recalc_alt_frecency", "1"}});
        if (!recalc.empty()) db.Exec("UPDATE moz_origins SET " + recalc);
    }
}

DatabasePlan PlacesPlan() {
    DatabasePlan plan;
    plan.Layout = {{"moz_places", {"id", "url", "visit_count", "last_visit_date", "foreign_count"}},
                   {"moz_historyvisits", {"id", "place_id"}},
                   {"moz_inputhistory", {"place_id"}},
                   {"moz_bookmarks", {"id", "fk"}},
                   {"moz_keywords", {"place_id"}},
                   {"moz_annos", {"place_id"}}};
    plan.Count = [](SqliteDb& db, DatabaseRow& row) {
        row.Removed = db.QueryInt("SELECT count(*) FROM moz_historyvisits");
        int64_t sites = db.QueryInt(std::string("SELECT count(*) FROM moz_places WHERE NOT ") + KeptPlace);
        row.Kept = db.QueryInt(std::string("SELECT count(*) FROM moz_places WHERE ") + KeptPlace);
        row.Text = FormatText(IDS_Hist_Visits, GroupedNumber(row.Removed), GroupedNumber(sites));
        if (row.Kept > 0) row.Text += "; " + FormatText(IDS_Hist_Kept, GroupedNumber(row.Kept));
    };
    plan.Wash = WashPlaces;
    return plan;
}

const std::vector<std::string> FormTables = {"moz_formhistory", "moz_deleted_formhistory", "moz_history_to_sources",
                                             "moz_sources"};

DatabasePlan FormHistoryPlan() {
    DatabasePlan plan;
    plan.Layout = {{"moz_formhistory", {"id", "fieldname", "value"}}};
    plan.Count = [](SqliteDb& db, DatabaseRow& row) {
        row.Removed = db.QueryInt("SELECT count(*) FROM moz_formhistory");
        row.Text = EntriesText(row.Removed);
    };
    plan.Wash = [](SqliteDb& db) { EmptyTables(db, FormTables); };
    return plan;
}

}  // namespace

DatabaseRow RunFirefoxHistory(const std::string& item, const BrowserProfile& profile, bool wash) {
    return RunDatabasePlan(item, profile, ProfileFile(profile.Folder, "places.sqlite"), PlacesPlan(), wash);
}

DatabaseRow RunFirefoxFormHistory(const std::string& item, const BrowserProfile& profile, bool wash) {
    return RunDatabasePlan(item, profile, ProfileFile(profile.Folder, "formhistory.sqlite"), FormHistoryPlan(), wash);
}
