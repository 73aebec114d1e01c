#include "platform/CheckListModel.h"

#include <algorithm>

#include "platform/Text.h"

namespace {
bool RowLess(const CheckRow& a, const CheckRow& b) { return AnsiCompareText(a.text, b.text) < 0; }
}  // namespace

int CheckListModel::Add(const std::string& text, bool checked) {
    CheckRow row{text, checked};
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
    if (texts.empty()) return;
    size_t old = rows_.size();
    rows_.reserve(old + texts.size());
    for (const auto& text : texts) rows_.push_back(CheckRow{text, checked});
    if (sorted_) {
        std::stable_sort(rows_.begin() + old, rows_.end(), RowLess);
        std::inplace_merge(rows_.begin(), rows_.begin() + old, rows_.end(), RowLess);
    }
    Changed(-1);
}

void CheckListModel::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count() || rows_[index].checked == checked) return;
    rows_[index].checked = checked;
    Changed(index);
}

void CheckListModel::CheckAll(bool checked) {
    for (auto& row : rows_) row.checked = checked;
    Changed(-1);
}

void CheckListModel::Clear() {
    rows_.clear();
    Changed(-1);
}

void CheckListModel::Exchange(int a, int b) {
    if (a < 0 || b < 0 || a >= Count() || b >= Count()) return;
    std::swap(rows_[a], rows_[b]);
    Changed(-1);
}

void CheckListModel::SetSorted(bool sorted) {
    if (sorted && !sorted_) std::stable_sort(rows_.begin(), rows_.end(), RowLess);
    sorted_ = sorted;
    Changed(-1);
}
