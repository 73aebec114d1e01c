#pragma once
// The Recycle Bin emptied item by item: only items deleted more than a number of days ago go.
// Each layout has its own reader of an item's deletion time; a damaged record keeps its item.
#include <cstdint>
#include <string>
#include <vector>

// Times are FILETIME ticks (100 ns since 1601-01-01, UTC).
inline constexpr uint64_t TicksPerDay = 864000000000ull;

// The deletion time of a $I record (version 1 or 2: version, original size, deletion time at
// offset 16, original path); false when the record is short, of another version or has no time.
bool ParseRecycleRecord(const std::string& bytes, uint64_t& deleted);
// The deletion time of a .trashinfo record ("DeletionDate=YYYY-MM-DDTHH:MM:SS", local time);
// false when the line is missing or not a valid date.
bool ParseTrashInfo(const std::string& text, uint64_t& deleted);
// True when an item deleted at 'deleted' is more than days old at 'now' (a future time is not).
bool DeletedMoreThan(uint64_t deleted, uint64_t now, int days);

struct BinAgeResult {
    int Deleted = 0;
    int Kept = 0;  // newer than the limit, or with a damaged record
    uint64_t FreedBytes = 0;
    std::vector<std::string> Failed;  // items that should have gone but stay
};

// Counts only: what EmptyBinOlderThan would delete and keep now.
BinAgeResult CountBinOlderThan(const std::vector<std::string>& folders, int days);
// Deletes the items of the bin folders (RecycleBinFolders) deleted more than days ago: a link in
// one goes as a link, an item holding a link that can't be removed stays; the record goes last.
BinAgeResult EmptyBinOlderThan(const std::vector<std::string>& folders, int days);
