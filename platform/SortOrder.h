#pragma once
// The order of CompareStringA with NORM_IGNORECASE in the user's locale, fast for long lists:
// texts whose every character sorts by one primary weight alone (as most file paths do) are
// compared through a table of those weights, built once from the system's own sort keys;
// any other text is compared by CompareStringA itself.
#include <cstdint>
#include <string>
#include <vector>

// <0, 0 or >0 as AnsiCompareText(a, b).
int CompareSortOrder(const std::string& a, const std::string& b);

// The positions of texts in stable CompareSortOrder order. Texts are sorted by a short key
// of their weights behind the prefix all of them share, held side by side in memory; only
// texts whose keys tie are compared in full.
std::vector<uint32_t> SortedPositions(const std::vector<const std::string*>& texts);
