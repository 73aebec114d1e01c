#pragma once
// Holds a slim reader/writer lock exclusively for as long as it lives.
#include <windows.h>

class SlimLockHold {
public:
    explicit SlimLockHold(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~SlimLockHold() { ReleaseSRWLockExclusive(&lock_); }
    SlimLockHold(const SlimLockHold&) = delete;
    SlimLockHold& operator=(const SlimLockHold&) = delete;

private:
    SRWLOCK& lock_;
};
