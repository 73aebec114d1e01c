#pragma once
// Firefox's history washed inside a profile's places.sqlite, its bookmarks kept as the browser
// reads them; and its form history (formhistory.sqlite).
#include <string>

#include "catalogue/BrowserProfiles.h"
#include "engine/DatabaseItems.h"

DatabaseRow RunFirefoxHistory(const std::string& item, const BrowserProfile& profile, bool wash);
DatabaseRow RunFirefoxFormHistory(const std::string& item, const BrowserProfile& profile, bool wash);
