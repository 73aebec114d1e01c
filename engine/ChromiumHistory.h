#pragma once
// The history of a Chromium browser's profile (Chrome, Edge, Brave, Chromium), washed inside its
// databases: History, and the satellites that only repeat it (Top Sites, Shortcuts, Network
// Action Predictor, emptied inside; History Provider Cache and Visited Links, deleted whole).
#include <vector>

#include "catalogue/BrowserProfiles.h"
#include "engine/DatabaseItems.h"

// One row for History, one for each satellite database the profile has.
std::vector<DatabaseRow> RunChromiumHistory(const std::string& item, const BrowserProfile& profile, bool wash);
