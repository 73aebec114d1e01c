#include "engine/WashAhead.h"

#include <algorithm>

#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "platform/Text.h"

void WashAhead::Delete(const std::string& path) {
    if (stopped_) return;
    if (openLog_ && !WashLogIsOpen()) {
        try {
            OpenWashLog();
        } catch (const AppError&) {
            stopped_ = true;
            return;
        }
    }
    // The same delete as the wash's own: a name the system resolves to another file stays.
    if (WashOneFile(path, true)) deleted_.emplace(UpperCase(path), path);
}

bool WashAhead::Take(const std::string& path) {
    return !deleted_.empty() && deleted_.erase(UpperCase(path)) > 0;
}

std::vector<std::string> WashAhead::Untaken() const {
    std::vector<std::string> paths;
    for (const auto& entry : deleted_) paths.push_back(entry.second);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void LogUntakenWashAhead(const WashAhead& ahead) {
    if (!WashLogIsOpen()) return;
    for (const auto& path : ahead.Untaken()) WriteWashLogRow(WashRowKind::FolderFile, true, true, path, "");
}
