#include "catalogue/ItemList.h"

#include <unordered_set>
#include <utility>

#include "catalogue/WashItemFile.h"
#include "platform/Text.h"

namespace {

constexpr const char* FileNameKey = "txtfilename";

// A lookup key that tells (name, file) pairs apart exactly; no path or name holds a NUL.
std::string PairKey(const titem_property& row) {
    return row.ItemName + '\0' + row.txtfilename;
}

}  // namespace

std::string RowKey(const titem_property& row) {
    return JoinRowKey(row.ItemName, row.txtfilename);
}

bool titem_list::Contains(const titem_property& row) const {
    for (const auto& item : Items)
        if (item.ItemName == row.ItemName && item.txtfilename == row.txtfilename) return true;
    return false;
}

void titem_list::Append(const titem_property& row) {
    if (!row.ItemName.empty()) Items.push_back(row);
}

void titem_list::MoveUp(int index) {
    if (index < 1 || index > Count() - 1) return;
    std::swap(Items[index - 1], Items[index]);
}

void titem_list::MoveDown(int index) {
    if (index < 0 || index > Count() - 2) return;
    std::swap(Items[index], Items[index + 1]);
}

// A value with "<|>" is an order row only when its section stores a file; an item of a wash
// item file whose name holds "<|>" has no such key and stays bound to its own file. No path
// contains "<|>", so the name is everything before the last one.
void titem_list::LoadFromFile(const std::string& path) {
    ProfileFile file(path);
    for (int k : ListedItemPositions(file, ReadItemTotal(file))) {
        std::string value = file.ReadString(CommonSection, ItemKey(k));
        if (Trim(value).empty()) continue;
        titem_property row;
        std::string orderName;
        if (SplitRowKey(value, orderName) && SectionHasKey(file, value, FileNameKey)) {
            row.ItemName = orderName;
            row.txtfilename = file.ReadString(value, FileNameKey);
        } else {
            row.ItemName = value;
            row.txtfilename = path;
        }
        row.IsActive = file.ReadBool(value, "IsActive", true);
        row.IsSpecial = file.ReadBool(value, "IsSpecial", false);
        Append(row);
    }
}

void titem_list::SaveToFile(const std::string& path) const {
    ProfileFile file(path);
    file.WriteInteger(CommonSection, "Total", Count());
    for (int k = 0; k < Count(); ++k) {
        const auto& row = Items[k];
        std::string key = RowKey(row);
        file.WriteString(CommonSection, ItemKey(k), key);
        file.WriteString(key, FileNameKey, row.txtfilename);
        file.WriteBool(key, "IsActive", row.IsActive);
        file.WriteBool(key, "IsSpecial", row.IsSpecial);
    }
}

void MergeCatalogue(titem_list& catalogue, const titem_list& found, const titem_list& order) {
    std::unordered_set<std::string> foundKeys, shownKeys;
    for (const auto& row : found.Items) foundKeys.insert(PairKey(row));
    titem_list merged;
    for (const auto& row : order.Items) {
        if (!foundKeys.count(PairKey(row))) continue;
        merged.Append(row);
        shownKeys.insert(PairKey(row));
    }
    for (const auto& row : found.Items) {
        if (shownKeys.count(PairKey(row))) continue;
        merged.Append(row);
        shownKeys.insert(PairKey(row));
    }
    catalogue = std::move(merged);
}
