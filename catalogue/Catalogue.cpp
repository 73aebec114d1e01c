#include "catalogue/Catalogue.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "catalogue/FileReplace.h"
#include "catalogue/ProfileSnapshot.h"
#include "catalogue/ProfileWriter.h"
#include "catalogue/WashItemFile.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/StoredText.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

constexpr const char* FileNameKey = "txtfilename";

// A lookup key that tells (name, file) pairs apart exactly; no path or name holds a NUL.
std::string PairKey(const CatalogueRow& row) {
    return row.ItemName + '\0' + row.ItemFile;
}

}  // namespace

std::string RowKey(const CatalogueRow& row) {
    return JoinRowKey(row.ItemName, row.ItemFile);
}

bool Catalogue::Contains(const CatalogueRow& row) const {
    for (const auto& item : Items)
        if (item.ItemName == row.ItemName && item.ItemFile == row.ItemFile) return true;
    return false;
}

void Catalogue::Append(const CatalogueRow& row) {
    if (!row.ItemName.empty()) Items.push_back(row);
}

void Catalogue::MoveUp(int index) {
    if (index < 1 || index > Count() - 1) return;
    std::swap(Items[index - 1], Items[index]);
}

void Catalogue::MoveDown(int index) {
    if (index < 0 || index > Count() - 2) return;
    std::swap(Items[index], Items[index + 1]);
}

// Reads through the system's profile functions or through a snapshot of the whole file; both
// give the same texts.
template <class Reader>
static void LoadRows(Catalogue& list, const Reader& file, const std::string& path, bool orderFile) {
    auto readInteger = [&file](const std::string& section, const std::string& key, int def) {
        int value;
        return TryParseInt(file.ReadString(section, key), value) ? value : def;
    };
    int total = std::max(0, readInteger(CommonSection, "Total", 0));
    if (total == 0) return;
    for (int k : ListedItemPositions(file.ReadSection(CommonSection), total)) {
        std::string value = file.ReadString(CommonSection, ItemKey(k));
        if (Trim(value).empty()) continue;
        CatalogueRow row;
        std::string orderName;
        bool orderRow = false;
        if (value.find(RowKeySeparator) != std::string::npos && !orderFile) continue;
        if (SplitRowKey(value, orderName))
            for (const auto& key : file.ReadSection(value)) orderRow = orderRow || SameText(Trim(key), FileNameKey);
        if (orderRow) {
            row.ItemName = orderName;
            row.ItemFile = file.ReadString(value, FileNameKey);
        } else {
            row.ItemName = value;
            row.ItemFile = path;
        }
        row.IsActive = readInteger(value, "IsActive", 1) != 0;
        row.IsSpecial = readInteger(value, "IsSpecial", 0) != 0;
        list.Append(row);
    }
}

// In the order file a value with "<|>" is a row only when its section stores a file. No path
// contains "<|>", so the name is everything before the last one.
static void LoadListedRows(Catalogue& list, const std::string& path, bool orderFile) {
    if (!PrepareStoredText(path).empty()) return;
    ProfileSnapshot snapshot;
    if (snapshot.Load(path)) LoadRows(list, snapshot, path, orderFile);
    else LoadRows(list, ProfileFile(path), path, orderFile);
}

void Catalogue::LoadFromFile(const std::string& path) { LoadListedRows(*this, path, false); }

void Catalogue::LoadOrderFile(const std::string& path) { LoadListedRows(*this, path, true); }

// Writes the rows through any writer with WriteString (the profile file or a whole-file builder).
template <class Writer>
static void SaveRows(const Catalogue& list, Writer& file) {
    file.WriteString(CommonSection, "Total", std::to_string(list.Count()));
    for (int k = 0; k < list.Count(); ++k) {
        const auto& row = list.Items[k];
        std::string key = RowKey(row);
        file.WriteString(CommonSection, ItemKey(k), key);
        file.WriteString(key, FileNameKey, row.ItemFile);
        file.WriteString(key, "IsActive", row.IsActive ? "1" : "0");
        file.WriteString(key, "IsSpecial", row.IsSpecial ? "1" : "0");
    }
}

void Catalogue::SaveToFile(const std::string& path) const {
    ProfileFile file(path);
    SaveRows(*this, file);
}

void Catalogue::RewriteFile(const std::string& path) const {
    ProfileWriter writer;
    SaveRows(*this, writer);
    const std::string text = writer.Text();
    // In the ANSI code page as the system writes it, or in UTF-16 when a name needs more.
    const std::wstring wide = Widen(text);
    std::string bytes;
    if (!ToAnsi(wide, bytes)) {
        const std::wstring marked = L"\xFEFF" + wide;
        bytes.assign(reinterpret_cast<const char*>(marked.data()), marked.size() * sizeof(wchar_t));
    }
    RewriteThroughCopy(path, [&bytes](const std::string& copy) {
        HANDLE file = CreateFileW(WidePath(copy).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD done = 0;
        bool written = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                       done == bytes.size();
        if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) written = false;
        if (!written) throw AppError(FormatText(IDS_UnableToWriteTo, copy));
    }, OldText::Replaced);
}

void MergeCatalogue(Catalogue& catalogue, const Catalogue& found, const Catalogue& order) {
    // The order file gives the order and the check marks; what an item is (special or not) its
    // own file says, so an item that became special keeps its check from an older order file.
    std::unordered_map<std::string, bool> foundSpecial;
    std::unordered_set<std::string> shownKeys;
    for (const auto& row : found.Items) foundSpecial.emplace(PairKey(row), row.IsSpecial);
    Catalogue merged;
    for (const auto& row : order.Items) {
        auto special = foundSpecial.find(PairKey(row));
        if (special == foundSpecial.end()) continue;
        CatalogueRow kept = row;
        kept.IsSpecial = special->second;
        merged.Append(kept);
        shownKeys.insert(PairKey(row));
    }
    for (const auto& row : found.Items) {
        if (shownKeys.count(PairKey(row))) continue;
        merged.Append(row);
        shownKeys.insert(PairKey(row));
    }
    catalogue = std::move(merged);
}
