#include "engine/HistoryKinds.h"

#include "engine/ChromiumHistory.h"
#include "engine/CompactDatabases.h"
#include "engine/FirefoxHistory.h"

namespace {

using ProfileRun = std::function<std::vector<DatabaseRow>(const std::string&, const BrowserProfile&, bool)>;

// A kind that runs over every profile the finder gives.
DatabaseItemKind ProfileKind(const std::string& name, std::function<std::vector<BrowserProfile>()> profiles,
                             ProfileRun run) {
    return {name, [name, profiles, run](bool wash) {
                std::vector<DatabaseRow> rows;
                for (const BrowserProfile& profile : profiles()) {
                    std::vector<DatabaseRow> found = run(name, profile, wash);
                    rows.insert(rows.end(), found.begin(), found.end());
                }
                return rows;
            }};
}

std::function<std::vector<BrowserProfile>()> ProfilesOf(BrowserKind browser) {
    return [browser] { return FindBrowserProfiles(browser); };
}

}  // namespace

void AddHistoryKinds(std::vector<DatabaseItemKind>& kinds) {
    const std::pair<const char*, BrowserKind> chromium[] = {{"Google Chrome History", BrowserKind::Chrome},
                                                            {"Microsoft Edge History", BrowserKind::Edge},
                                                            {"Brave History", BrowserKind::Brave},
                                                            {"Chromium History", BrowserKind::Chromium}};
    for (const auto& [name, browser] : chromium)
        kinds.push_back(ProfileKind(name, ProfilesOf(browser), RunChromiumHistory));
    kinds.push_back(ProfileKind("Firefox History", ProfilesOf(BrowserKind::Firefox),
                                [](const std::string& item, const BrowserProfile& profile, bool wash) {
                                    return std::vector<DatabaseRow>{RunFirefoxHistory(item, profile, wash)};
                                }));
    kinds.push_back(ProfileKind("Firefox Form History", ProfilesOf(BrowserKind::Firefox),
                                [](const std::string& item, const BrowserProfile& profile, bool wash) {
                                    return std::vector<DatabaseRow>{RunFirefoxFormHistory(item, profile, wash)};
                                }));
    kinds.push_back(ProfileKind("Compact browser databases", FindAllBrowserProfiles, CompactProfileDatabases));
}
