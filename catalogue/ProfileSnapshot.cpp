#include "catalogue/ProfileSnapshot.h"

#include <cstdio>

#include "platform/Text.h"

namespace {
constexpr size_t MaxValue = 2047;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

std::string Trimmed(const char* first, const char* last) {
    while (first < last && IsBlank(*first)) ++first;
    while (last > first && IsBlank(last[-1])) --last;
    return std::string(first, last);
}

// Bytes whose treatment as blank or text by the system depends on code page or Unicode tables.
bool Unusual(unsigned char c) {
    return c == 0 || (c < 0x20 && !IsBlank(static_cast<char>(c))) || c == 0x7F || c == 0x85 || c == 0xA0;
}
}  // namespace

bool ProfileSnapshot::Parse(const std::string& bytes) {
    sections_.clear();
    index_.clear();
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return false;
    for (unsigned char c : bytes)
        if (Unusual(c)) return false;

    Section* current = nullptr;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        const char* first = p;
        const char* last = lineEnd;
        p = lineEnd < end ? lineEnd + 1 : end;
        while (first < last && IsBlank(*first)) ++first;
        while (last > first && IsBlank(last[-1])) --last;
        if (first == last) continue;
        if (*first == '[') {
            const char* close = last;
            while (close > first && close[-1] != ']') --close;
            if (close > first + 1) {
                Section section;
                section.name = Trimmed(first + 1, close - 1);
                std::string upper = UpperCase(section.name);
                sections_.push_back(std::move(section));
                index_.emplace(upper, sections_.size() - 1);
                current = &sections_.back();
                continue;
            }
        }
        if (!current) {
            sections_.emplace_back();
            index_.emplace("", 0);
            current = &sections_.back();
        }
        Key key;
        const char* equals = first;
        while (equals < last && *equals != '=') ++equals;
        key.name = Trimmed(first, equals);
        if (equals < last) {
            key.value = Trimmed(equals + 1, last);
            key.hasValue = true;
        }
        std::string upper = UpperCase(key.name);
        current->keys.push_back(std::move(key));
        current->index.emplace(upper, current->keys.size() - 1);
    }
    return true;
}

bool ProfileSnapshot::Load(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Parse("");
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok && Parse(bytes);
}

const ProfileSnapshot::Section* ProfileSnapshot::Find(const std::string& section) const {
    auto found = index_.find(UpperCase(section));
    return found == index_.end() ? nullptr : &sections_[found->second];
}

std::string ProfileSnapshot::ReadString(const std::string& section, const std::string& key,
                                        const std::string& def) const {
    const Section* s = Find(Trim(section));
    const Key* k = nullptr;
    if (s) {
        auto found = s->index.find(UpperCase(Trim(key)));
        if (found != s->index.end()) k = &s->keys[found->second];
    }
    std::string value = k && k->hasValue ? k->value : def;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    if (value.size() > MaxValue) value.resize(MaxValue);
    return value;
}

std::vector<std::string> ProfileSnapshot::ReadSection(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* s = Find(section))
        for (const auto& key : s->keys)
            if (key.hasValue && !key.name.empty() && key.name[0] != ';') names.push_back(key.name);
    return names;
}
