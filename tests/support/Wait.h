#pragma once
// Waiting on a condition instead of a fixed time.
#include <windows.h>

#include <functional>

// Polls done every 10 ms, pumping the calling thread's messages between polls (a test's UI
// thread keeps its windows answering); true once it holds, false after timeoutMs.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}
