#include "engine/CookieWash.h"

#include <set>

#include <sqlite3.h>

#include "catalogue/CookiesToKeep.h"
#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "settings/AppPaths.h"
#include "settings/Policies.h"

namespace {

// One host of the database and how many cookies it has.
struct HostCookies {
    std::string Host;
    int64_t Count = 0;
};

std::vector<HostCookies> CookiesByHost(SqliteDb& db, const std::string& table, const std::string& column) {
    std::vector<HostCookies> hosts;
    SqliteStatement query(db, "SELECT " + column + ", COUNT(*) FROM " + table + " GROUP BY " + column);
    while (query.Step()) hosts.push_back({query.Text(0), query.Int(1)});
    return hosts;
}

// ".example.com" and "example.com" are one site.
std::string SiteOf(const std::string& host) { return !host.empty() && host[0] == '.' ? host.substr(1) : host; }

}  // namespace

DatabaseRow WashCookieDatabase(const CookieDatabase& database, const KeepSite& keep, bool wash) {
    const std::string table = database.Firefox ? "moz_cookies" : "cookies";
    const std::string column = database.Firefox ? "host" : "host_key";
    DatabaseRow row;
    row.Path = database.Path;
    BrowserDatabase db(database.Path, database.LockFile, {{table, {column}}});
    row.State = db.State();
    if (row.State == DatabaseState::Ready && wash && !db.Begin()) row.State = db.State();
    if (row.State != DatabaseState::Ready) {
        row.Text = DatabaseStateText(row.State, database.BrowserName);
        return row;
    }
    try {
        std::set<std::string> sitesGoing;
        std::vector<std::string> going;
        for (const HostCookies& host : CookiesByHost(db.Db(), table, column)) {
            if (keep(host.Host)) {
                row.Kept += host.Count;
                continue;
            }
            row.Removed += host.Count;
            sitesGoing.insert(SiteOf(host.Host));
            going.push_back(host.Host);
        }
        if (wash) {
            SqliteStatement remove(db.Db(), "DELETE FROM " + table + " WHERE " + column + " = ?");
            for (const std::string& host : going) remove.Bind(1, host).Run();
            row.FreedBytes = db.Finish();
            row.Washed = true;
        }
        row.Text = FormatText(wash ? IDS_Ck_CookiesRemoved : IDS_Ck_CookiesGo, row.Removed, sitesGoing.size());
        if (row.Kept > 0) row.Text += "; " + FormatText(IDS_Ck_CookiesKept, row.Kept);
    } catch (const SqliteError& error) {
        // Finish rolls back what was not committed; the database keeps its cookies.
        bool busy = error.Code == SQLITE_BUSY || error.Code == SQLITE_LOCKED;
        row.State = busy ? DatabaseState::InUse : DatabaseState::Damaged;
        row.Text = DatabaseStateText(row.State, database.BrowserName);
        row.Removed = 0;
        row.Washed = false;
    }
    return row;
}

KeepSite CookieKeepPredicate() {
    // The list in force now: the administrator's while a policy holds it, else the user's.
    std::vector<std::string> kept = KeepListInForce(SettingsFilePath(), ReadPolicies());
    return [kept = std::move(kept)](const std::string& host) { return KeepsSite(kept, host); };
}
