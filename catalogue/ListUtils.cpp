#include "catalogue/ListUtils.h"

#include "platform/Text.h"

namespace {
bool SameName(const std::string& a, const std::string& b) { return SameText(Trim(a), Trim(b)); }

template <class GetText>
bool HasTextElsewhere(int count, GetText text, const std::string& wanted, int position) {
    const std::string trimmed = Trim(wanted);
    for (int i = 0; i < count; ++i)
        if (i != position && SameName(text(i), trimmed)) return true;
    return false;
}
}  // namespace

void CheckAll(CheckListModel& list, int state) {
    if (!list.Empty()) list.CheckAll(state == 1);
}

bool ListHasText(const std::vector<std::string>& list, const std::string& text) {
    return ListHasTextElsewhere(list, text, -1);
}

bool ListHasText(const CheckListModel& list, const std::string& text) {
    return ListHasTextElsewhere(list, text, -1);
}

bool ListHasTextElsewhere(const std::vector<std::string>& list, const std::string& text, int position) {
    return HasTextElsewhere(
        static_cast<int>(list.size()), [&](int i) -> const std::string& { return list[i]; }, text, position);
}

bool ListHasTextElsewhere(const CheckListModel& list, const std::string& text, int position) {
    return HasTextElsewhere(
        list.Count(), [&](int i) -> const std::string& { return list.Text(i); }, text, position);
}
