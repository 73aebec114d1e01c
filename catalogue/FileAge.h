#pragma once
// The age limit of a folder/file entry: files last written within the last N hours are left.
#include <windows.h>

#include <cstdint>

class AgeLimit {
public:
    // hours <= 0: no limit. The limit is measured from now, once.
    explicit AgeLimit(int hours);

    bool Active() const { return cutoff_ != 0; }
    // True for a file written after the cutoff (the time from the folder listing).
    bool LeavesOut(const FILETIME& lastWrite) const;

private:
    uint64_t cutoff_ = 0;  // FILETIME ticks; 0 without a limit
};
