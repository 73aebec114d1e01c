// The Recycle Bin's item records read for their deletion time, and the age limit applied to it.
#include "engine/RecycleBinAge.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {
constexpr uint64_t Deleted = 133500000000000000ull;  // a time in 2024

// A $I record: version, original size, deletion time, then the path (version 1: 260 characters;
// version 2: its length and the characters).
std::string Record(uint64_t version, uint64_t time, uint32_t pathLength, size_t pathBytes) {
    std::string bytes(24, '\0');
    const uint64_t size = 1234;
    std::memcpy(&bytes[0], &version, 8);
    std::memcpy(&bytes[8], &size, 8);
    std::memcpy(&bytes[16], &time, 8);
    if (version == 2) bytes.append(reinterpret_cast<const char*>(&pathLength), 4);
    bytes.append(pathBytes, 'x');
    return bytes;
}

uint64_t UtcTicks(WORD year, WORD month, WORD day) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return (static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}
}  // namespace

TEST(RecycleBinAge, RecordsGiveTheirDeletionTimeAndDamagedOnesNone) {
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
    } cases[] = {
        {"version 1", Record(1, Deleted, 0, 520), true},
        {"version 2", Record(2, Deleted, 12, 24), true},
        {"version 1 cut in its path", Record(1, Deleted, 0, 100), false},
        {"version 2 shorter than its path", Record(2, Deleted, 200, 24), false},
        {"cut before the time", Record(1, Deleted, 0, 520).substr(0, 20), false},
        {"empty", "", false},
        {"unknown version", Record(7, Deleted, 0, 520), false},
        {"no time", Record(2, 0, 12, 24), false},
        {"text", std::string(600, 'A'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint64_t time = 0;
        EXPECT_EQ(ParseRecycleRecord(c.bytes, time), c.ok);
        if (c.ok) EXPECT_EQ(time, Deleted);
    }
}

TEST(RecycleBinAge, TrashInfoGivesItsLocalDeletionDateAndAGarbledOneNone) {
    struct Case {
        const char* text;
        uint64_t utcDay;  // the date read as UTC; the local time lies within a day of it; 0: none
    } cases[] = {
        {"[Trash Info]\nPath=/tmp/a\nDeletionDate=2024-01-02T03:04:05\n", UtcTicks(2024, 1, 2)},
        {"[Trash Info]\r\nPath=/tmp/a\r\nDeletionDate=2023-12-31T23:59:59\r\n", UtcTicks(2023, 12, 31)},
        {"[Trash Info]\nDeletionDate=2124-06-01T00:00:00", UtcTicks(2124, 6, 1)},
        {"[Trash Info]\nPath=/tmp/a\n", 0},
        {"[Trash Info]\nDeletionDate=2024-01-02", 0},
        {"[Trash Info]\nDeletionDate=2024-13-40T03:04:05\n", 0},
        {"[Trash Info]\nDeletionDate=2024-02-30T03:04:05\n", 0},
        {"[Trash Info]\nDeletionDate=20x4-01-02T03:04:05\n", 0},
        {"[Trash Info]\nPath=/DeletionDate=2024-01-02T03:04:05\n", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint64_t time = 0;
        EXPECT_EQ(ParseTrashInfo(c.text, time), c.utcDay != 0);
        if (c.utcDay) {
            EXPECT_GT(time + TicksPerDay, c.utcDay);
            EXPECT_LT(time, c.utcDay + 2 * TicksPerDay);
        }
    }
}

TEST(RecycleBinAge, OnlyItemsDeletedMoreThanTheDaysAgoAreOld) {
    const uint64_t now = Deleted + 100 * TicksPerDay;
    struct Case {
        const char* name;
        uint64_t deleted;
        bool old;
    } cases[] = {
        {"30 days ago", now - 30 * TicksPerDay, true},
        {"8 days ago", now - 8 * TicksPerDay, true},
        {"6 days ago", now - 6 * TicksPerDay, false},
        {"exactly 7 days ago", now - 7 * TicksPerDay, false},
        {"in the future", now + 30 * TicksPerDay, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DeletedMoreThan(c.deleted, now, 7), c.old);
    }
}
