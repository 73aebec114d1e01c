#pragma once
// The item list of a wash item file (also the row list of the order file): section "Common"
// with "Total" and the keys "Item0", "Item1", ... naming the items in file order.
#include <string>
#include <vector>

#include "platform/Profile.h"

inline constexpr const char* CommonSection = "Common";

// "Item" + k in decimal.
std::string ItemKey(int k);

// "Total" of "Common"; missing, not a number or negative: 0.
int ReadItemTotal(const ProfileFile& file);

// The positions below total whose "Item" key exists, rising. Only keys that exist are looked
// at, so a huge "Total" costs nothing beyond the keys the file really has.
std::vector<int> ListedItemPositions(const ProfileFile& file, int total);

// The same from the key names of "Common" as the profile lists them.
std::vector<int> ListedItemPositions(const std::vector<std::string>& commonKeys, int total);

// True when position k lies below "Total" and its "Item" key names the item exactly.
bool ItemListedAt(const ProfileFile& file, const std::string& itemName, int k);

// True when a listed position other than k names the section (sections ignore letter case).
bool SectionNamedElsewhere(const ProfileFile& file, const std::string& section, int k);

// Writes "Total" = t + 1, then "Item" + t = itemName.
void AppendItemName(const ProfileFile& file, const std::string& itemName);

// Moves the names after position k down one place, deletes the last "Item" key and lowers
// "Total" by one.
void RemoveItemPosition(const ProfileFile& file, int k);

// True when the section holds the key (letter case ignored), whatever its value.
bool SectionHasKey(const ProfileFile& file, const std::string& section, const std::string& key);
