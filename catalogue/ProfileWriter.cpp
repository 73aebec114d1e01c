#include "catalogue/ProfileWriter.h"

#include "platform/Text.h"

void ProfileWriter::WriteString(const std::string& rawSection, const std::string& rawKey, const std::string& value) {
    std::string section = Trim(rawSection), key = Trim(rawKey);
    auto found = index_.find(UpperCase(section));
    if (found == index_.end()) {
        sections_.push_back(Section{section, {}, {}});
        found = index_.emplace(UpperCase(section), sections_.size() - 1).first;
    }
    Section& s = sections_[found->second];
    auto at = s.index.find(UpperCase(key));
    if (at != s.index.end()) {
        s.keys[at->second].second = Trim(value);
        return;
    }
    s.keys.emplace_back(key, Trim(value));
    s.index.emplace(UpperCase(key), s.keys.size() - 1);
}

std::string ProfileWriter::Text() const {
    std::string text;
    for (const auto& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const auto& [key, value] : s.keys) text += key + "=" + value + "\r\n";
    }
    return text;
}
