#include "catalogue/ItemNames.h"

#include "catalogue/ItemList.h"
#include "catalogue/WashItemFile.h"
#include "platform/Text.h"

namespace {
bool NameListedElsewhere(const std::string& txtfilename, const std::string& name, int position) {
    ProfileFile file(txtfilename);
    std::string wanted = Trim(name);
    for (int k : ListedItemPositions(file, ReadItemTotal(file))) {
        if (k == position) continue;
        if (SameText(Trim(file.ReadString(CommonSection, ItemKey(k))), wanted)) return true;
    }
    return false;
}
}  // namespace

int FindItemIndex(const std::string& txtfilename, const std::string& name) {
    ProfileFile file(txtfilename);
    for (int k : ListedItemPositions(file, ReadItemTotal(file)))
        if (file.ReadString(CommonSection, ItemKey(k)) == name) return k;
    return -1;
}

bool ItemNameExists(const std::string& txtfilename, const std::string& name) {
    return NameListedElsewhere(txtfilename, name, -1);
}

bool ItemNameExistsElsewhere(const std::string& txtfilename, const std::string& name, int position) {
    return NameListedElsewhere(txtfilename, name, position);
}

bool IsReservedItemName(const std::string& name) {
    return SameText(Trim(name), CommonSection) || name.find(RowKeySeparator) != std::string::npos ||
           name.find_first_of("[]") != std::string::npos;
}
