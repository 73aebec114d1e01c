#pragma once
// "Compact browser databases": every known database of a browser's profile vacuumed (only those
// whose browser is closed), with the space each gave back.
#include <string>
#include <vector>

#include "catalogue/BrowserProfiles.h"
#include "engine/DatabaseItems.h"

// One row per database the profile has: its unused space (preview), or what compacting gave back.
std::vector<DatabaseRow> CompactProfileDatabases(const std::string& item, const BrowserProfile& profile, bool wash);
