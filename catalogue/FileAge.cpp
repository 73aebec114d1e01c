#include "catalogue/FileAge.h"

#include <algorithm>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/WashItem.h"
#include "platform/Language.h"

namespace {
constexpr uint64_t TicksPerHour = 36000000000ull;  // 100-ns ticks
// About a century: more hours than this would run the cutoff before 1601.
constexpr int MaxHours = 876000;

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
}  // namespace

AgeLimit::AgeLimit(int hours) {
    if (hours <= 0) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t span = static_cast<uint64_t>(std::min(hours, MaxHours)) * TicksPerHour;
    cutoff_ = Ticks(now) > span ? Ticks(now) - span : 1;
}

bool AgeLimit::LeavesOut(const FILETIME& lastWrite) const { return cutoff_ != 0 && Ticks(lastWrite) > cutoff_; }

std::string FolderEntry::AgeLimitNote(size_t newerLeft) const {
    if (OlderThanHours <= 0) return {};
    return FormatText(IDS_EntryAgeLimit, OlderThanHours, newerLeft);
}
