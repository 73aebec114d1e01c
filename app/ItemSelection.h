#pragma once
// The wash items a script names with /item: "*" and "?" match, letter case ignored, each name
// compared with the stored name and the name the list shows (a supplied item's in the language
// in use).
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

// True when pattern matches text whole; "*" matches any run, "?" one character.
bool ItemPatternMatches(const std::wstring& pattern, const std::wstring& text);
// Checks exactly the rows that some pattern names, checked or not before, and unchecks the
// others. Returns the patterns that name no row; the catalogue is left as it was then.
std::vector<std::wstring> CheckNamedItems(Catalogue& catalogue, const std::vector<std::wstring>& patterns);
