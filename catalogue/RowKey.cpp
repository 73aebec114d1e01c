#include "catalogue/RowKey.h"

std::string JoinRowKey(const std::string& itemName, const std::string& fileName) {
    return itemName + RowKeySeparator + fileName;
}

bool SplitRowKey(const std::string& value, std::string& itemName) {
    auto separator = value.rfind(RowKeySeparator);
    if (separator == std::string::npos) return false;
    itemName = value.substr(0, separator);
    return true;
}
