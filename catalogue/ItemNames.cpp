#include "catalogue/ItemNames.h"

#include "catalogue/Catalogue.h"
#include "catalogue/WashItemFile.h"
#include "platform/Text.h"

namespace {
bool NameListedElsewhere(const std::string& ItemFile, const std::string& name, int position) {
    ProfileFile file(ItemFile);
    std::string wanted = Trim(name);
    for (int k : ListedItemPositions(file, ReadItemTotal(file))) {
        if (k == position) continue;
        if (SameText(Trim(file.ReadString(CommonSection, ItemKey(k))), wanted)) return true;
    }
    return false;
}
}  // namespace

int FindItemIndex(const std::string& ItemFile, const std::string& name) {
    ProfileFile file(ItemFile);
    for (int k : ListedItemPositions(file, ReadItemTotal(file)))
        if (file.ReadString(CommonSection, ItemKey(k)) == name) return k;
    return -1;
}

bool ItemNameExists(const std::string& ItemFile, const std::string& name) {
    return NameListedElsewhere(ItemFile, name, -1);
}

bool ItemNameExistsElsewhere(const std::string& ItemFile, const std::string& name, int position) {
    return NameListedElsewhere(ItemFile, name, position);
}

bool IsReservedItemName(const std::string& name) {
    return SameText(Trim(name), CommonSection) || name.find(RowKeySeparator) != std::string::npos ||
           name.find_first_of("[]") != std::string::npos;
}
