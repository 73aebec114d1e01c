#pragma once
// Lookups of wash item names in the item list of a wash item file, and the names the file
// format cannot hold.
#include <string>

// The first position whose "Item" key holds name exactly (letter case counts); -1 when the file
// lists no such item.
int FindItemIndex(const std::string& ItemFile, const std::string& name);
// Some listed name equals name, surrounding blanks and letter case ignored.
bool ItemNameExists(const std::string& ItemFile, const std::string& name);
// The same, leaving out position.
bool ItemNameExistsElsewhere(const std::string& ItemFile, const std::string& name, int position);

// A name that cannot be stored as a wash item: "Common" in any letter case (that section holds
// the item list) or a name holding "<|>", "[" or "]".
bool IsReservedItemName(const std::string& name);
