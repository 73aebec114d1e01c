#pragma once
// The user lists of the settings file: a count key and numbered keys ("Record0", ...).
#include <string>
#include <vector>

struct NumberedList {
    const char* section;
    const char* countKey;
    const char* prefix;
    // Values are trimmed when read (the exclusion list); the wildcard list takes them as they are.
    bool trim;
};

inline constexpr NumberedList ExclusionList{"Exclude Files", "Count", "Record", true};
inline constexpr NumberedList WildcardList{"Common", "Wildcard Total", "Wildcard", false};
// The sites whose cookies are kept (catalogue/CookiesToKeep.h).
inline constexpr NumberedList CookiesToKeepList{"Cookies To Keep", "Count", "Site", true};

// Rows 0 to count - 1, empty values skipped. A missing file or section gives no rows.
std::vector<std::string> ReadNumberedList(const std::string& file, const NumberedList& list);

// Writes the count and the rows. The settings file is changed whole or not at all: the keys
// are written into a copy beside it, which then replaces it. A refused write raises
// "Unable to write to %s" with the settings file's path and leaves the file as it was.
void WriteNumberedList(const std::string& file, const NumberedList& list, const std::vector<std::string>& rows);
