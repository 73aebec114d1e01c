#pragma once
// The rows of a check list: text, check mark and colour, kept in a plain vector.
// A window (CheckList) shows them; washes read them directly, shown or not.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/RowGuard.h"

struct CheckRow {
    std::string text;
    bool checked = false;
    // Space the row's file takes on disk (0 for other rows).
    uint64_t space = 0;
};

// Columns a list can be ordered by.
enum class CheckListOrder { Text, Space };

class CheckListModel {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    bool Empty() const { return rows_.empty(); }
    const std::string& Text(int index) const { return rows_[index].text; }
    bool Checked(int index) const { return rows_[index].checked; }
    const std::vector<CheckRow>& Rows() const { return rows_; }
    uint64_t Space(int index) const { return rows_[index].space; }
    // Sums kept up to date with every change.
    uint64_t TotalSpace() const { return totalSpace_; }
    uint64_t CheckedSpace() const { return checkedSpace_; }
    int CheckedCount() const { return checkedCount_; }

    // Appends, or in sorted mode inserts after rows that compare equal; returns the position.
    // A guarded row is added unchecked.
    int Add(const std::string& text, bool checked = false, uint64_t space = 0);
    // Appends many rows in one step; in sorted mode they are merged into place, each after the
    // rows that compare equal to it.
    void AddRows(const std::vector<std::string>& texts, bool checked = false);
    // The same, taking the texts over; spaces, when given, holds each text's space.
    void AddRows(std::vector<std::string>&& texts, bool checked = false, const std::vector<uint64_t>* spaces = nullptr);
    void SetChecked(int index, bool checked);
    void CheckAll(bool checked);
    void Clear();
    void Exchange(int a, int b);
    void Reserve(size_t n) { rows_.reserve(n); }

    // Sorted mode keeps rows in case-insensitive order (the system's locale); switching it on
    // sorts once. Duplicates stay.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    // Orders the rows once by a column (equal rows keep their order), descending when asked;
    // afterwards new rows are appended.
    void SortBy(CheckListOrder order, bool descending);

    // Called after every change: index of the changed row, or -1 when many rows changed.
    std::function<void(int)> OnChanged;

private:
    void Changed(int index) {
        if (OnChanged) OnChanged(index);
    }
    void Recount();
    std::vector<CheckRow> rows_;
    bool sorted_ = false;
    uint64_t totalSpace_ = 0;
    uint64_t checkedSpace_ = 0;
    int checkedCount_ = 0;
};
