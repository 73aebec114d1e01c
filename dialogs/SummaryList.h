#pragma once
// The "Summary" page of Preview All: one row per checked wash item with its file count, the
// space of its files and its registry rows, ordered by a click on a column header (a second
// click reverses).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ItemSummary {
    std::string Name;
    int Files = 0;
    uint64_t Space = 0;
    int RegistryRows = 0;
    // A database item's counts ("1,234 removed, 12 kept"), ordered by Removed; empty otherwise.
    std::string Databases = {};
    int64_t Removed = 0;
};

class SummaryList {
public:
    std::vector<ItemSummary> Rows;

    // Binds the ListView, adds its columns and shows Rows.
    void Attach(HWND listView, int dpi);
    void SetDpi(int dpi);
    // Orders Rows by a column (0 name, 1 files, 2 space, 3 registry rows, 4 browser data); the same column again
    // reverses the order. Equal rows keep their order.
    void SortBy(int column);
    // Routes LVN_COLUMNCLICK; true when handled.
    bool HandleNotify(NMHDR* header, LRESULT& result);

private:
    void Fill();

    HWND handle_ = nullptr;
    int sortColumn_ = -1;
    bool descending_ = false;
};
