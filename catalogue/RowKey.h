#pragma once
// Row keys of the order file: an item's name and its wash item file joined by "<|>".
// Plain C++, no system calls.
#include <string>

inline constexpr const char* RowKeySeparator = "<|>";

// itemName + "<|>" + fileName.
std::string JoinRowKey(const std::string& itemName, const std::string& fileName);

// The item name of a row key: everything before its last "<|>" (no path holds one, a name may).
// False, with itemName untouched, when the value holds no separator.
bool SplitRowKey(const std::string& value, std::string& itemName);
