#include "catalogue/ItemList.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "catalogue/FileReplace.h"
#include "catalogue/ProfileSnapshot.h"
#include "catalogue/ProfileWriter.h"
#include "catalogue/WashItemFile.h"
#include "platform/Error.h"
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

// Reads through the system's profile functions or through a snapshot of the whole file; both
// give the same texts.
template <class Reader>
static void LoadRows(titem_list& list, const Reader& file, const std::string& path) {
    auto readInteger = [&file](const std::string& section, const std::string& key, int def) {
        int value;
        return TryParseInt(file.ReadString(section, key), value) ? value : def;
    };
    int total = std::max(0, readInteger(CommonSection, "Total", 0));
    if (total == 0) return;
    for (int k : ListedItemPositions(file.ReadSection(CommonSection), total)) {
        std::string value = file.ReadString(CommonSection, ItemKey(k));
        if (Trim(value).empty()) continue;
        titem_property row;
        std::string orderName;
        bool orderRow = false;
        if (SplitRowKey(value, orderName))
            for (const auto& key : file.ReadSection(value)) orderRow = orderRow || SameText(Trim(key), FileNameKey);
        if (orderRow) {
            row.ItemName = orderName;
            row.txtfilename = file.ReadString(value, FileNameKey);
        } else {
            row.ItemName = value;
            row.txtfilename = path;
        }
        row.IsActive = readInteger(value, "IsActive", 1) != 0;
        row.IsSpecial = readInteger(value, "IsSpecial", 0) != 0;
        list.Append(row);
    }
}

// A value with "<|>" is an order row only when its section stores a file; an item of a wash
// item file whose name holds "<|>" has no such key and stays bound to its own file. No path
// contains "<|>", so the name is everything before the last one.
void titem_list::LoadFromFile(const std::string& path) {
    ProfileSnapshot snapshot;
    if (snapshot.Load(path)) LoadRows(*this, snapshot, path);
    else LoadRows(*this, ProfileFile(path), path);
}

// Writes the rows through any writer with WriteString (the profile file or a whole-file builder).
template <class Writer>
static void SaveRows(const titem_list& list, Writer& file) {
    file.WriteString(CommonSection, "Total", std::to_string(list.Count()));
    for (int k = 0; k < list.Count(); ++k) {
        const auto& row = list.Items[k];
        std::string key = RowKey(row);
        file.WriteString(CommonSection, ItemKey(k), key);
        file.WriteString(key, FileNameKey, row.txtfilename);
        file.WriteString(key, "IsActive", row.IsActive ? "1" : "0");
        file.WriteString(key, "IsSpecial", row.IsSpecial ? "1" : "0");
    }
}

void titem_list::SaveToFile(const std::string& path) const {
    ProfileFile file(path);
    SaveRows(*this, file);
}

void titem_list::RewriteFile(const std::string& path) const {
    ProfileWriter writer;
    SaveRows(*this, writer);
    const std::string text = writer.Text();
    RewriteThroughCopy(path, [&text](const std::string& copy) {
        std::FILE* file = std::fopen(copy.c_str(), "wb");
        bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
        if (file && std::fclose(file) != 0) written = false;
        if (!written) throw AppError(FormatMessageText("Unable to write to %s", copy));
    });
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
