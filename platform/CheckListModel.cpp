#include "platform/CheckListModel.h"

#include <algorithm>
#include <string>

#include "platform/SortOrder.h"

namespace {
bool RowLess(const CheckRow& a, const CheckRow& b) { return CompareSortOrder(a.text, b.text) < 0; }

// Sorts rows [first, rows.size()) stably, moving each row once along its permutation cycle.
void SortRows(std::vector<CheckRow>& rows, size_t first) {
    std::vector<const std::string*> texts;
    texts.reserve(rows.size() - first);
    for (size_t i = first; i < rows.size(); ++i) texts.push_back(&rows[i].text);
    std::vector<uint32_t> from = SortedPositions(texts);
    texts.clear();
    texts.shrink_to_fit();
    std::vector<CheckRow> sorted;
    sorted.reserve(from.size());
    for (uint32_t source : from) sorted.push_back(std::move(rows[first + source]));
    std::move(sorted.begin(), sorted.end(), rows.begin() + first);
}

}  // namespace

void CheckListModel::Recount() {
    totalSpace_ = checkedSpace_ = 0;
    checkedCount_ = 0;
    for (const auto& row : rows_) {
        totalSpace_ += row.space;
        if (!row.checked) continue;
        checkedSpace_ += row.space;
        ++checkedCount_;
    }
}

int CheckListModel::Add(const std::string& text, bool checked, uint64_t space) {
    checked = checked && GuardOf(text) == RowGuard::None;
    CheckRow row{text, checked, space};
    totalSpace_ += space;
    if (checked) {
        checkedSpace_ += space;
        ++checkedCount_;
    }
    int index;
    if (sorted_) {
        auto at = std::upper_bound(rows_.begin(), rows_.end(), row, RowLess);
        index = static_cast<int>(at - rows_.begin());
        rows_.insert(at, std::move(row));
    } else {
        index = Count();
        rows_.push_back(std::move(row));
    }
    Changed(sorted_ ? -1 : index);
    return index;
}

void CheckListModel::AddRows(const std::vector<std::string>& texts, bool checked) {
    AddRows(std::vector<std::string>(texts), checked);
}

void CheckListModel::AddRows(std::vector<std::string>&& texts, bool checked, const std::vector<uint64_t>* spaces) {
    if (texts.empty()) return;
    size_t old = rows_.size();
    // Geometric growth, so many small additions stay linear.
    if (rows_.capacity() < old + texts.size()) rows_.reserve(std::max(old + texts.size(), 2 * rows_.capacity()));
    for (size_t i = 0; i < texts.size(); ++i) {
        uint64_t space = spaces && i < spaces->size() ? (*spaces)[i] : 0;
        const bool check = checked && GuardOf(texts[i]) == RowGuard::None;
        totalSpace_ += space;
        if (check) {
            checkedSpace_ += space;
            ++checkedCount_;
        }
        rows_.push_back(CheckRow{std::move(texts[i]), check, space});
    }
    texts.clear();
    if (sorted_) {
        SortRows(rows_, old);
        std::inplace_merge(rows_.begin(), rows_.begin() + old, rows_.end(), RowLess);
    }
    Changed(-1);
}

void CheckListModel::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count() || rows_[index].checked == checked) return;
    if (checked && GuardOf(rows_[index].text) == RowGuard::Refused) return;
    rows_[index].checked = checked;
    if (checked) {
        checkedSpace_ += rows_[index].space;
        ++checkedCount_;
    } else {
        checkedSpace_ -= rows_[index].space;
        --checkedCount_;
    }
    Changed(index);
}

void CheckListModel::CheckAll(bool checked) {
    for (auto& row : rows_) row.checked = checked && GuardOf(row.text) == RowGuard::None;
    Recount();
    Changed(-1);
}

void CheckListModel::Clear() {
    rows_.clear();
    Recount();
    Changed(-1);
}

void CheckListModel::Exchange(int a, int b) {
    if (a < 0 || b < 0 || a >= Count() || b >= Count()) return;
    std::swap(rows_[a], rows_[b]);
    Changed(-1);
}

void CheckListModel::SetSorted(bool sorted) {
    if (sorted && !sorted_) SortRows(rows_, 0);
    sorted_ = sorted;
    Changed(-1);
}

void CheckListModel::SortBy(CheckListOrder order, bool descending) {
    if (order == CheckListOrder::Text) {
        if (!sorted_) SortRows(rows_, 0);
        if (descending) {
            // Reversing keeps equal rows together; their own order does not matter here.
            std::reverse(rows_.begin(), rows_.end());
        }
    } else if (descending) {
        std::stable_sort(rows_.begin(), rows_.end(), [](const CheckRow& a, const CheckRow& b) { return a.space > b.space; });
    } else {
        std::stable_sort(rows_.begin(), rows_.end(), [](const CheckRow& a, const CheckRow& b) { return a.space < b.space; });
    }
    sorted_ = order == CheckListOrder::Text && !descending;
    Changed(-1);
}
