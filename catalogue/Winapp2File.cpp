// One-pass reader of winapp2.ini.
#include "catalogue/Winapp2File.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

constexpr const char* CommonSectionName = "Common";

struct NumberedValue {
    int number;
    std::string key;
    std::string value;
};

// ASCII letters only: key names are ASCII, and this runs for every line of a large file.
bool SameLetters(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool StartsWithNoCase(const std::string& text, const char* prefix, size_t& rest) {
    size_t n = strlen(prefix);
    if (text.size() < n || !SameLetters(text.data(), prefix, n)) return false;
    rest = n;
    return true;
}

bool Is(const std::string& key, const char* name) {
    return key.size() == strlen(name) && SameLetters(key.data(), name, key.size());
}

// "FileKey12" with prefix "FileKey": 12. An empty suffix is 0 (Detect, DetectFile).
bool KeyNumber(const std::string& key, size_t from, int& number) {
    if (from == key.size()) {
        number = 0;
        return true;
    }
    if (key.size() - from > 6) return false;
    number = 0;
    for (size_t i = from; i < key.size(); ++i) {
        if (!isdigit(static_cast<unsigned char>(key[i]))) return false;
        number = number * 10 + (key[i] - '0');
    }
    return true;
}

void SortedInto(std::vector<NumberedValue>& values, std::vector<std::string>& target,
                std::vector<std::string>* names = nullptr) {
    auto byNumber = [](const NumberedValue& a, const NumberedValue& b) { return a.number < b.number; };
    if (!std::is_sorted(values.begin(), values.end(), byNumber)) std::stable_sort(values.begin(), values.end(), byNumber);
    target.reserve(values.size());
    for (auto& v : values) {
        target.push_back(std::move(v.value));
        if (names) names->push_back(std::move(v.key));
    }
}

// Collects the keys of one section before they are put in number order.
struct SectionBuilder {
    Winapp2Entry entry;
    std::vector<NumberedValue> detects, detectFiles, fileKeys, regKeys, excludeKeys;
    std::string section, langSecRef;

    // False for a key this reader does not know or whose number is not one. With light, only
    // the keys of the group and of detection are kept.
    bool Add(const std::string& key, const char* valueBegin, const char* valueEnd, bool light) {
        size_t rest = 0;
        int number = 0;
        auto numbered = [&](const char* prefix, std::vector<NumberedValue>& into, bool keep) {
            if (!StartsWithNoCase(key, prefix, rest) || !KeyNumber(key, rest, number)) return false;
            if (keep) into.push_back({number, key, std::string(valueBegin, valueEnd)});
            return true;
        };
        if (Is(key, "LangSecRef")) langSecRef.assign(valueBegin, valueEnd);
        else if (Is(key, "Section")) section.assign(valueBegin, valueEnd);
        else if (Is(key, "Warning")) {
            if (!light) entry.Warning.assign(valueBegin, valueEnd);
        } else if (Is(key, "SpecialDetect")) entry.SpecialDetect = true;
        else if (Is(key, "DetectOS") || Is(key, "Default")) return true;
        else if (StartsWithNoCase(key, "DetectFile", rest)) return numbered("DetectFile", detectFiles, true);
        else if (StartsWithNoCase(key, "Detect", rest)) return numbered("Detect", detects, true);
        else if (StartsWithNoCase(key, "FileKey", rest)) return numbered("FileKey", fileKeys, !light);
        else if (StartsWithNoCase(key, "RegKey", rest)) return numbered("RegKey", regKeys, !light);
        else if (StartsWithNoCase(key, "ExcludeKey", rest)) return numbered("ExcludeKey", excludeKeys, !light);
        else return false;
        return true;
    }

    Winapp2Entry Finish() {
        SortedInto(detects, entry.Detects);
        SortedInto(detectFiles, entry.DetectFiles);
        SortedInto(fileKeys, entry.FileKeys, &entry.FileKeyNames);
        SortedInto(regKeys, entry.RegKeys, &entry.RegKeyNames);
        SortedInto(excludeKeys, entry.ExcludeKeys);
        int number = 0;
        if (!section.empty()) entry.Category = section;
        else if (!langSecRef.empty() && TryParseInt(langSecRef, number)) entry.Category = Winapp2CategoryName(number);
        else entry.Category = "Other";
        return std::move(entry);
    }
};

}  // namespace

std::string Winapp2CategoryName(int langSecRef) {
    switch (langSecRef) {
        case 3001: return "Internet Explorer";
        case 3005: case 3006: return "Edge";
        case 3021: return "Applications";
        case 3022: return "Internet";
        case 3023: return "Multimedia";
        case 3024: return "Utilities";
        case 3025: return "Windows";
        case 3026: return "Firefox";
        case 3027: return "Opera";
        case 3028: return "Safari";
        case 3029: return "Google Chrome";
        case 3030: return "Thunderbird";
        default: return "Other";
    }
}

bool Winapp2File::Load(const std::string& path) {
    Entries.clear();
    index_.clear();
    text_.clear();
    SkippedLines = 0;
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string text;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (256LL << 20);
    if (ok) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD done = 0;
        size_t at = 0;
        while (ok && at < text.size()) {
            DWORD part = static_cast<DWORD>(std::min<size_t>(text.size() - at, 1u << 24));
            ok = ReadFile(file, &text[at], part, &done, nullptr) && done > 0;
            at += done;
        }
    }
    CloseHandle(file);
    if (!ok) return false;
    text_ = std::move(text);
    Scan(text_, 0, text_.size(), true, nullptr, this);
    return true;
}

void Winapp2File::Parse(const std::string& text) {
    Entries.clear();
    index_.clear();
    text_ = text;
    SkippedLines = 0;
    Scan(text_, 0, text_.size(), false, nullptr, this);
}

Winapp2Entry Winapp2File::Complete(const Winapp2Entry& entry) const {
    if (!entry.Light) return entry;
    Winapp2Entry full;
    Scan(text_, entry.Begin, entry.End, false, &full, nullptr);
    full.Name = entry.Name;
    full.Begin = entry.Begin;
    full.End = entry.End;
    return full;
}

// One pass over the lines of text from begin to finish. With only, the lines are the body of one
// section and go into *only; otherwise every section becomes an entry of into.
void Winapp2File::Scan(const std::string& text, size_t begin, size_t finish, bool light, Winapp2Entry* only,
                        Winapp2File* into) {
    SectionBuilder current;
    bool inSection = only != nullptr;  // a section header has been seen
    bool usable = only != nullptr;     // the current section is one to keep
    size_t bodyBegin = begin;
    auto end = [&](size_t bodyEnd) {
        if (only) {
            *only = current.Finish();
        } else if (usable) {
            current.entry.Light = light;
            current.entry.Begin = bodyBegin;
            current.entry.End = bodyEnd;
            into->index_.emplace(current.entry.Name, into->Entries.size());
            into->Entries.push_back(current.Finish());
        }
        current = SectionBuilder();
    };
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };

    const char* const base = text.data();
    const char* p = base + begin;
    const char* const stop = base + finish;
    // A UTF-8 byte order mark is no part of the first line.
    if (begin == 0 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) p += 3;
    while (p < stop) {
        const char* lineEnd = static_cast<const char*>(memchr(p, '\n', stop - p));
        if (!lineEnd) lineEnd = stop;
        const char* first = p;
        const char* last = lineEnd;
        const char* lineStart = p;
        p = lineEnd < stop ? lineEnd + 1 : stop;
        while (first < last && blank(*first)) ++first;
        while (last > first && blank(last[-1])) --last;
        if (first == last || *first == ';') continue;
        if (*first == '[' && !only) {
            end(lineStart - base);
            inSection = true;
            std::string name = last[-1] == ']' && last - first >= 2 ? Trim(std::string(first + 1, last - 1)) : std::string();
            usable = !name.empty() && name.find("<|>") == std::string::npos && !into->index_.count(name);
            if (!usable) ++into->SkippedLines;
            current.entry.Name = std::move(name);
            bodyBegin = p - base;
            continue;
        }
        const char* equals = static_cast<const char*>(memchr(first, '=', last - first));
        if (!inSection || !usable || !equals || equals == first) {
            if (!only) ++into->SkippedLines;
            continue;
        }
        const char* keyEnd = equals;
        while (keyEnd > first && blank(keyEnd[-1])) --keyEnd;
        const char* value = equals + 1;
        while (value < last && blank(*value)) ++value;
        if (!current.Add(std::string(first, keyEnd), value, last, light) && !only) ++into->SkippedLines;
    }
    end(finish);
}

const Winapp2Entry* Winapp2File::Find(const std::string& name) const {
    auto it = index_.find(name);
    return it == index_.end() ? nullptr : &Entries[it->second];
}

bool IsWinapp2File(const std::string& path) {
    Winapp2File file;
    if (!file.Load(path)) return false;
    bool rules = false;
    for (const auto& entry : file.Entries) {
        // A wash item file lists its items in "Common".
        if (_stricmp(entry.Name.c_str(), CommonSectionName) == 0) return false;
        if (rules) continue;
        Winapp2Entry full = file.Complete(entry);
        rules = !full.FileKeys.empty() || !full.RegKeys.empty() || !full.Detects.empty() || !full.DetectFiles.empty();
    }
    return rules;
}
