#pragma once
// Registry rows as entry expansion makes them: a key path followed by "<|>DeleteKey", or a key
// path ending in "\", "<|>DeleteValue<|>" and a value name. No system calls.
#include <string>

inline constexpr const char* DeleteKeyMarker = "<|>DeleteKey";
inline constexpr const char* DeleteValueMarker = "<|>DeleteValue<|>";

enum class RegistryRowKind { None, Key, Value };

// A value row is recognised by the first value marker that follows a "\"; a key row by the key
// marker at its very end. Key and value names may hold marker texts themselves, so a marker
// elsewhere never decides. For None, keyPath is the row and valueName empty. A row guard marker
// (platform/CheckListModel.h) at the end is no part of the row.
RegistryRowKind ParseRegistryRow(const std::string& row, std::string& keyPath, std::string& valueName);

// True when the row is a key row or a value row.
bool HasRegistryRowMarker(const std::string& row);
// True for a key row (valueName empty), false for a value row or a row with no marker.
bool SplitRegistryRow(const std::string& row, std::string& keyPath, std::string& valueName);
// A row as the user reads it: a key row as its key path, a value row as its key path and value
// name, any other row as it is.
std::string RegistryRowName(const std::string& row);
