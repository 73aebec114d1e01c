#pragma once
// Shows the hourglass while alive and restores the previous cursor when it dies.
#include <windows.h>

class BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) { ++depth_; }
    ~BusyCursor() {
        if (--depth_ == 0) SetCursor(previous_ ? previous_ : LoadCursor(nullptr, IDC_ARROW));
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    static bool Active() { return depth_ > 0; }

private:
    HCURSOR previous_;
    static inline int depth_ = 0;
};
