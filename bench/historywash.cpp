// Washes the history of one browser profile folder the way the history items do, for
// bench_historywash.sh:
//   bench_historywash.exe chromium <profile folder>   History (and its satellites, when there)
//   bench_historywash.exe firefox  <profile folder>   places.sqlite
// Prints what went and the wash's own time; the exit code is 0 only when every database was washed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/ChromiumHistory.h"
#include "engine/FirefoxHistory.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "chromium") != 0 && std::strcmp(argv[1], "firefox") != 0)) {
        std::fprintf(stderr, "usage: bench_historywash chromium|firefox <profile folder>\n");
        return 2;
    }
    bool firefox = std::strcmp(argv[1], "firefox") == 0;
    BrowserProfile profile;
    profile.Browser = firefox ? BrowserKind::Firefox : BrowserKind::Chrome;
    profile.Folder = profile.LocalFolder = argv[2];
    profile.LockFile = profile.Folder + (firefox ? "\\parent.lock" : "\\lockfile");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::vector<DatabaseRow> rows = firefox ? std::vector<DatabaseRow>{RunFirefoxHistory("History", profile, true)}
                                            : RunChromiumHistory("History", profile, true);
    QueryPerformanceCounter(&end);
    bool washed = !rows.empty();
    for (const DatabaseRow& row : rows) {
        std::printf("%s: %lld removed, %llu bytes given back%s\n", row.Path.c_str(),
                    static_cast<long long>(row.Removed), static_cast<unsigned long long>(row.FreedBytes),
                    row.Washed ? "" : ", NOT washed");
        washed = washed && row.Washed;
    }
    std::printf("washing took %.3f s\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    return washed ? 0 : 1;
}
