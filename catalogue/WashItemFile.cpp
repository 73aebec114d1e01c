#include "catalogue/WashItemFile.h"

#include <algorithm>

#include "platform/Text.h"

namespace {

constexpr const char* TotalKey = "Total";

// The number of a key "Item<n>" (any letter case, n in decimal without leading zeros), or -1.
int ItemKeyNumber(const std::string& rawKey) {
    std::string key = Trim(rawKey);
    if (key.size() <= 4 || key.size() > 14 || !SameText(key.substr(0, 4), "Item")) return -1;
    std::string digits = key.substr(4);
    if (digits.size() > 1 && digits[0] == '0') return -1;
    long long n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n > 0x7FFFFFFF ? -1 : static_cast<int>(n);
}

}  // namespace

std::string ItemKey(int k) { return std::string("Item") + std::to_string(k); }

int ReadItemTotal(const ProfileFile& file) {
    return std::max(0, file.ReadInteger(CommonSection, TotalKey, 0));
}

std::vector<int> ListedItemPositions(const ProfileFile& file, int total) {
    if (total <= 0) return {};
    return ListedItemPositions(file.ReadSection(CommonSection), total);
}

std::vector<int> ListedItemPositions(const std::vector<std::string>& commonKeys, int total) {
    std::vector<int> positions;
    if (total <= 0) return positions;
    for (const auto& key : commonKeys) {
        int n = ItemKeyNumber(key);
        if (n >= 0 && n < total) positions.push_back(n);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

bool ItemListedAt(const ProfileFile& file, const std::string& itemName, int k) {
    if (k < 0 || k >= ReadItemTotal(file)) return false;
    std::string name = Trim(itemName);
    return !name.empty() && file.ReadString(CommonSection, ItemKey(k)) == name;
}

bool SectionNamedElsewhere(const ProfileFile& file, const std::string& section, int k) {
    std::string name = Trim(section);
    for (int p : ListedItemPositions(file, ReadItemTotal(file))) {
        if (p == k) continue;
        if (AnsiCompareText(file.ReadString(CommonSection, ItemKey(p)), name) == 0) return true;
    }
    return false;
}

void AppendItemName(const ProfileFile& file, const std::string& itemName) {
    int t = ReadItemTotal(file);
    file.WriteInteger(CommonSection, TotalKey, t + 1);
    file.WriteString(CommonSection, ItemKey(t), itemName);
}

void RemoveItemPosition(const ProfileFile& file, int k) {
    int t = ReadItemTotal(file);
    if (k < 0 || k >= t) return;
    // Only positions where a key exists, or whose successor's key exists, change.
    std::vector<int> moved;
    for (int p : ListedItemPositions(file, t)) {
        if (p >= k && p <= t - 2) moved.push_back(p);
        if (p - 1 >= k) moved.push_back(p - 1);
    }
    std::sort(moved.begin(), moved.end());
    moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    for (int j : moved)
        file.WriteString(CommonSection, ItemKey(j), file.ReadString(CommonSection, ItemKey(j + 1)));
    if (t - 1 >= 0) file.DeleteKey(CommonSection, ItemKey(t - 1));
    file.WriteInteger(CommonSection, TotalKey, t - 1);
}

bool SectionHasKey(const ProfileFile& file, const std::string& section, const std::string& key) {
    for (const auto& found : file.ReadSection(section))
        if (SameText(Trim(found), key)) return true;
    return false;
}
