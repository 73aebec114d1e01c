#include "catalogue/KeyTransfer.h"

#include <algorithm>

#include "catalogue/WashItemFile.h"

void KeyTransfer::Text(const char* key, std::string& field) const {
    if (read_) field = file_.ReadString(section_, prefix_ + key);
    else file_.WriteString(section_, prefix_ + key, field);
}

void KeyTransfer::Flag(const char* key, bool& field, bool def) const {
    if (read_) field = file_.ReadBool(section_, prefix_ + key, def);
    else file_.WriteBool(section_, prefix_ + key, field);
}

void KeyTransfer::ChoiceValue(const char* key, int& value, int def) const {
    if (!read_) {
        file_.WriteInteger(section_, prefix_ + key, value);
        return;
    }
    value = file_.ReadInteger(section_, prefix_ + key, def);
    if (value < 0 || value > 2) value = 0;
}

void KeyTransfer::OptionalText(const char* key, std::string& field) const {
    if (read_) field = file_.ReadString(section_, prefix_ + key);
    else if (!field.empty()) file_.WriteString(section_, prefix_ + key, field);
    else if (SectionHasKey(file_, section_, prefix_ + key)) file_.DeleteKey(section_, prefix_ + key);
}

void KeyTransfer::OptionalFlag(const char* key, bool& field) const {
    if (read_) field = file_.ReadBool(section_, prefix_ + key, false);
    else if (field) file_.WriteBool(section_, prefix_ + key, true);
    else if (SectionHasKey(file_, section_, prefix_ + key)) file_.DeleteKey(section_, prefix_ + key);
}

void KeyTransfer::OptionalCount(const char* key, int& field) const {
    if (read_) field = std::max(0, file_.ReadInteger(section_, prefix_ + key, 0));
    else if (field > 0) file_.WriteInteger(section_, prefix_ + key, field);
    else if (SectionHasKey(file_, section_, prefix_ + key)) file_.DeleteKey(section_, prefix_ + key);
}
