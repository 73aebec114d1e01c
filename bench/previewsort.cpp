// Fills the file list of a preview dialog the way the wash of all checked items does: the
// rows of several entries, each expanded into a temporary list of paths and their space on
// disk and appended in one step, the list sorted once, every row checked. With "merge" the list turns sorted after the first wash
// item and takes the later rows in sorted position instead; with "plain" the rows are sorted
// by one CompareStringA call per comparison, for reference. Prints the time of that work and
// the memory per row.
// Usage: bench_previewsort.exe <rows> [items] [merge|plain]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/CheckListModel.h"
#include "platform/Text.h"

namespace {
// Paths as entry expansion reports them: a temp tree of 1,000 folders, in no particular order,
// each string made in the order it arrives.
std::vector<std::string> MakePaths(int count) {
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i) order[i] = i;
    std::mt19937 random(12345);
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::string> paths;
    paths.reserve(count);
    const char* exts[] = {".tmp", ".log", ".TMP", ".dat", ".htm"};
    for (int i : order) {
        char path[160];
        std::snprintf(path, sizeof(path), "C:\\Documents and Settings\\User\\Local Settings\\Temp\\D%03d\\s%02d\\File%07d%s",
                      i % 1000 / 50, i % 50, i, exts[i % 5]);
        paths.push_back(path);
    }
    return paths;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_previewsort <rows> [items]\n");
        return 2;
    }
    int count = std::atoi(argv[1]);
    int items = argc > 2 ? std::atoi(argv[2]) : 4;
    std::string mode = argc > 3 ? argv[3] : "";
    bool merge = mode == "merge";
    const int entriesPerItem = 2;
    int parts = items * entriesPerItem;
    PROCESS_MEMORY_COUNTERS baseline = Memory();

    // The expansion's output of every entry, one string per path as the file search makes them.
    std::vector<std::vector<std::string>> expansions(parts);
    std::vector<std::vector<uint64_t>> spaces(parts);
    {
        std::vector<std::string> paths = MakePaths(count);
        for (int part = 0; part < parts; ++part)
            expansions[part].assign(std::make_move_iterator(paths.begin() + static_cast<size_t>(count) * part / parts),
                                    std::make_move_iterator(paths.begin() + static_cast<size_t>(count) * (part + 1) / parts));
        for (int part = 0; part < parts; ++part)
            for (size_t i = 0; i < expansions[part].size(); ++i) spaces[part].push_back((i % 7) * 4096);
    }

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CheckListModel list;
    for (int item = 0; item < items; ++item) {
        for (int entry = 0; entry < entriesPerItem; ++entry) {
            std::vector<std::string>& expansion = expansions[item * entriesPerItem + entry];
            list.AddRows(std::move(expansion), false, &spaces[item * entriesPerItem + entry]);
            std::vector<std::string>().swap(expansion);
            std::vector<uint64_t>().swap(spaces[item * entriesPerItem + entry]);
        }
        if (merge) list.SetSorted(true);
    }
    if (mode == "plain") {
        std::vector<CheckRow> rows = list.Rows();
        list.Clear();
        std::stable_sort(rows.begin(), rows.end(), [](const CheckRow& a, const CheckRow& b) {
            return AnsiCompareText(a.text, b.text) < 0;
        });
        for (auto& row : rows) list.Add(row.text);
    } else {
        list.SetSorted(true);
    }
    list.CheckAll(true);
    QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS after = Memory();

    for (int i = 1; i < list.Count(); ++i) {
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, list.Text(i - 1).c_str(), -1, list.Text(i).c_str(),
                           -1) == CSTR_GREATER_THAN) {
            std::fprintf(stderr, "rows %d and %d out of order\n", i - 1, i);
            return 1;
        }
    }
    // Held: memory committed for the finished list, texts included. Peak: the highest working
    // set of the run (the sort's temporary lists are the largest), both above the start.
    double rows = list.Count();
    std::printf("rows %d seconds %.3f held_bytes_per_row %.0f peak_bytes_per_row %.0f\n", list.Count(),
                Seconds(start, end), (static_cast<double>(after.PagefileUsage) - baseline.PagefileUsage) / rows,
                (static_cast<double>(after.PeakWorkingSetSize) - baseline.WorkingSetSize) / rows);
    return 0;
}
