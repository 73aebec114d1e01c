#include "engine/ChromiumHistory.h"

#include <windows.h>

#include "engine/DatabaseWash.h"
#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/NumberText.h"
#include "platform/WideText.h"

namespace {

// Tables of History that hold nothing but history; `meta` (the schema's version) stays. The
// first seven are in every layout the wash knows; the others, of newer or older browsers, are
// emptied when present. Sync metadata stays: without it the browser would fetch the synced
// history again.
const std::vector<std::string> HistoryTables = {
    "visits", "urls", "keyword_search_terms", "segments", "segment_usage", "downloads", "downloads_url_chains",
    "visit_source", "downloads_slices", "downloads_reroute_info", "content_annotations", "context_annotations",
    "clusters", "clusters_and_visits", "cluster_keywords", "cluster_visit_duplicates", "visited_links",
    "journeys", "journey_history_entries", "journey_continuation_queries", "presentation",
};

DatabasePlan HistoryPlan() {
    DatabasePlan plan;
    plan.Layout = {{"urls", {"id", "url"}},  {"visits", {"id", "url"}},
                   {"keyword_search_terms", {"url_id"}}, {"segments", {"id"}},
                   {"segment_usage", {"segment_id"}}, {"downloads", {"id"}},
                   {"downloads_url_chains", {"id"}}};
    plan.Count = [](SqliteDb& db, DatabaseRow& row) {
        row.Removed = db.QueryInt("SELECT count(*) FROM visits");
        int64_t sites = db.QueryInt("SELECT count(*) FROM urls");
        row.Text = FormatText(IDS_Hist_Visits, GroupedNumber(row.Removed), GroupedNumber(sites));
    };
    plan.Wash = [](SqliteDb& db) { EmptyTables(db, HistoryTables); };
    return plan;
}

struct Satellite {
    const char* File;
    TableLayout Required;
    std::vector<std::string> Tables;  // every table emptied, the required one first
};

const Satellite Satellites[] = {
    {"Top Sites", {"top_sites", {"url"}}, {"top_sites", "thumbnails"}},
    {"Shortcuts", {"omni_box_shortcuts", {"id", "url"}}, {"omni_box_shortcuts"}},
    {"Network Action Predictor",
     {"network_action_predictor", {"id", "url"}},
     {"network_action_predictor", "resource_prefetch_predictor_url", "resource_prefetch_predictor_host",
      "resource_prefetch_predictor_url_redirect", "resource_prefetch_predictor_host_redirect",
      "resource_prefetch_predictor_origin", "lcp_critical_path_predictor",
      "lcp_critical_path_predictor_initiator_origin"}},
};

DatabasePlan SatellitePlan(const Satellite& satellite) {
    DatabasePlan plan;
    plan.Layout = {satellite.Required};
    const std::vector<std::string>& tables = satellite.Tables;
    plan.Count = [&tables](SqliteDb& db, DatabaseRow& row) {
        row.Removed = CountRows(db, tables);
        row.Text = EntriesText(row.Removed);
    };
    plan.Wash = [&tables](SqliteDb& db) { EmptyTables(db, tables); };
    return plan;
}

// The plain files that repeat history, deleted whole once History is washed and while the
// browser is closed; the bytes given back.
uint64_t DeleteHistoryFiles(const BrowserProfile& profile) {
    if (ProfileLockHeld(profile.LockFile)) return 0;
    uint64_t freed = 0;
    for (const char* name : {"History Provider Cache", "Visited Links"}) {
        std::string path = ProfileFile(profile.Folder, name);
        uint64_t size = FileSizeOf(path);
        if (DeleteFileW(WidePath(path).c_str())) freed += size;
    }
    return freed;
}

}  // namespace

std::vector<DatabaseRow> RunChromiumHistory(const std::string& item, const BrowserProfile& profile, bool wash) {
    std::vector<DatabaseRow> rows;
    rows.push_back(RunDatabasePlan(item, profile, ProfileFile(profile.Folder, "History"), HistoryPlan(), wash));
    if (rows.back().Washed) rows.back().FreedBytes += DeleteHistoryFiles(profile);
    for (const Satellite& satellite : Satellites) {
        std::string path = ProfileFile(profile.Folder, satellite.File);
        // A satellite the browser never filled is an empty file, or none.
        if (FileSizeOf(path) == 0) continue;
        rows.push_back(RunDatabasePlan(item, profile, path, SatellitePlan(satellite), wash));
    }
    return rows;
}
