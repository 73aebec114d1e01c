// /item NAME: which rows of the catalogue a script names.
#include "app/ItemSelection.h"

#include <windows.h>

#include "platform/Language.h"
#include "platform/WideText.h"

namespace {
std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
}  // namespace

bool ItemPatternMatches(const std::wstring& pattern, const std::wstring& text) {
    const std::wstring mask = Upper(pattern), name = Upper(text);
    size_t n = 0, m = 0, star = std::wstring::npos, mark = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == L'?' || (mask[m] != L'*' && mask[m] == name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == L'*') {
            star = m++;
            mark = n;
        } else if (star != std::wstring::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') ++m;
    return m == mask.size();
}

std::vector<std::wstring> CheckNamedItems(Catalogue& catalogue, const std::vector<std::wstring>& patterns) {
    std::vector<bool> named(catalogue.Items.size(), false), used(patterns.size(), false);
    for (size_t r = 0; r < catalogue.Items.size(); ++r) {
        const std::string& stored = catalogue.Items[r].ItemName;
        const std::wstring names[] = {Widen(stored), Widen(TranslateUiText(stored))};
        for (size_t p = 0; p < patterns.size(); ++p) {
            if (!ItemPatternMatches(patterns[p], names[0]) && !ItemPatternMatches(patterns[p], names[1])) continue;
            named[r] = true;
            used[p] = true;
        }
    }
    std::vector<std::wstring> unknown;
    for (size_t p = 0; p < patterns.size(); ++p)
        if (!used[p]) unknown.push_back(patterns[p]);
    if (!unknown.empty()) return unknown;
    for (size_t r = 0; r < catalogue.Items.size(); ++r) catalogue.Items[r].IsActive = named[r];
    return unknown;
}
