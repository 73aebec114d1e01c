#pragma once
// Rows the check lists guard, known by the end of their text: a refused row is never checked; a
// held row is left unchecked by every check of many rows (rows added checked, CheckAll) and is
// checked one by one only. The markers start with a NUL, which no path and no name the registry
// gives holds, so that a value named "...Protected" is never taken for a guarded row. Plain C++,
// no system calls.
#include <string>

inline const std::string RefusedRowMarker("\0Protected", 10);
inline const std::string HeldRowMarker("\0ProtectedOwn", 13);
enum class RowGuard { None, Held, Refused };

inline RowGuard GuardOf(const std::string& text) {
    auto endsWith = [&text](const std::string& suffix) {
        const size_t n = suffix.size();
        return text.size() > n && text.compare(text.size() - n, n, suffix) == 0;
    };
    if (endsWith(RefusedRowMarker)) return RowGuard::Refused;
    if (endsWith(HeldRowMarker)) return RowGuard::Held;
    return RowGuard::None;
}

// The text without its guard marker.
inline std::string Unguarded(const std::string& text) {
    switch (GuardOf(text)) {
        case RowGuard::Refused: return text.substr(0, text.size() - RefusedRowMarker.size());
        case RowGuard::Held: return text.substr(0, text.size() - HeldRowMarker.size());
        default: return text;
    }
}
