#include "engine/CompactDatabases.h"

#include "engine/DatabaseWash.h"
#include "engine/EngineTexts.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"

namespace {

const char* const ChromiumDatabases[] = {
    "History", "Network\\Cookies", "Cookies", "Favicons", "Web Data", "Top Sites", "Shortcuts",
    "Network Action Predictor", "Login Data", "Login Data For Account", "Account Web Data", "Affiliation Database",
    "Extension Cookies", "Network\\Reporting and NEL", "Network\\Trust Tokens", "Media History", "DIPS",
};

const char* const FirefoxDatabases[] = {
    "places.sqlite", "favicons.sqlite", "cookies.sqlite", "formhistory.sqlite", "permissions.sqlite",
    "content-prefs.sqlite", "webappsstore.sqlite", "storage.sqlite", "protections.sqlite",
};

DatabaseRow CompactOne(const std::string& item, const BrowserProfile& profile, const std::string& path, bool wash) {
    DatabaseRow row;
    row.Item = item;
    row.Label = profile.Label();
    row.Path = path;
    BrowserDatabase database(path, profile.LockFile, {});
    row.State = database.State();
    try {
        if (row.State == DatabaseState::Ready && wash) {
            row.FreedBytes = database.Compact();
            row.Washed = true;
            row.Text = FormatText(IDS_Hist_GivenBack, FormatSpace(row.FreedBytes));
        } else if (row.State == DatabaseState::Ready) {
            SqliteDb& db = database.Db();
            uint64_t unused = static_cast<uint64_t>(db.QueryInt("PRAGMA freelist_count")) *
                                  static_cast<uint64_t>(db.QueryInt("PRAGMA page_size")) +
                              FileSizeOf(path + "-wal");
            row.Text = FormatText(IDS_Hist_Unused, FormatSpace(unused));
        }
    } catch (const SqliteError& error) {
        row.State = StateOfSqliteError(error);
    }
    if (row.State != DatabaseState::Ready) row.Text = DatabaseStateText(row.State, BrowserName(profile.Browser));
    return row;
}

}  // namespace

std::vector<DatabaseRow> CompactProfileDatabases(const std::string& item, const BrowserProfile& profile, bool wash) {
    std::vector<DatabaseRow> rows;
    auto add = [&](const char* name) {
        std::string path = ProfileFile(profile.Folder, name);
        if (DatabaseFilesSize(path) > 0) rows.push_back(CompactOne(item, profile, path, wash));
    };
    if (profile.Browser == BrowserKind::Firefox)
        for (const char* name : FirefoxDatabases) add(name);
    else
        for (const char* name : ChromiumDatabases) add(name);
    return rows;
}
