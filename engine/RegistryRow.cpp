#include "engine/RegistryRow.h"

#include "platform/RowGuard.h"

namespace {
const size_t KeyMarkerLength = std::char_traits<char>::length(DeleteKeyMarker);
const size_t ValueMarkerLength = std::char_traits<char>::length(DeleteValueMarker);

size_t ValueMarkerAt(const std::string& row) {
    for (size_t at = row.find(DeleteValueMarker); at != std::string::npos; at = row.find(DeleteValueMarker, at + 1))
        if (at > 0 && row[at - 1] == '\\') return at;
    return std::string::npos;
}

bool EndsWithKeyMarker(const std::string& row) {
    return row.size() >= KeyMarkerLength && row.compare(row.size() - KeyMarkerLength, KeyMarkerLength, DeleteKeyMarker) == 0;
}
}  // namespace

RegistryRowKind ParseRegistryRow(const std::string& text, std::string& keyPath, std::string& valueName) {
    // A guarded row is read without its guard marker.
    std::string unguarded;
    const std::string& row = GuardOf(text) == RowGuard::None ? text : (unguarded = Unguarded(text));
    // A value row ending in the key marker (a value so named) stays a value row: of the two
    // readings it is the one that deletes less.
    size_t at = ValueMarkerAt(row);
    if (at != std::string::npos) {
        keyPath = row.substr(0, at);
        valueName = row.substr(at + ValueMarkerLength);
        return RegistryRowKind::Value;
    }
    valueName.clear();
    if (EndsWithKeyMarker(row)) {
        keyPath = row.substr(0, row.size() - KeyMarkerLength);
        return RegistryRowKind::Key;
    }
    keyPath = row;
    return RegistryRowKind::None;
}

bool HasRegistryRowMarker(const std::string& row) {
    std::string keyPath, valueName;
    return ParseRegistryRow(row, keyPath, valueName) != RegistryRowKind::None;
}

bool SplitRegistryRow(const std::string& row, std::string& keyPath, std::string& valueName) {
    return ParseRegistryRow(row, keyPath, valueName) == RegistryRowKind::Key;
}

std::string RegistryRowName(const std::string& row) {
    std::string keyPath, valueName;
    switch (ParseRegistryRow(row, keyPath, valueName)) {
        case RegistryRowKind::Key: return keyPath;
        case RegistryRowKind::Value: return keyPath + valueName;
        case RegistryRowKind::None: break;
    }
    return row;
}
