#include "catalogue/BrowserProfileText.h"

#include "platform/Text.h"

namespace {
constexpr int MaxDepth = 100;

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A reader of strict JSON that walks the text once; every call either moves on or fails.
class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) at_ = 3;
    }

    bool AtEnd() {
        SkipSpace();
        return at_ == text_.size();
    }
    bool Next(char c) {
        SkipSpace();
        return at_ < text_.size() && text_[at_] == c;
    }
    bool Take(char c) {
        if (!Next(c)) return false;
        ++at_;
        return true;
    }

    bool String(std::string& out) {
        out.clear();
        if (!Take('"')) return false;
        while (at_ < text_.size()) {
            const unsigned char c = static_cast<unsigned char>(text_[at_++]);
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (at_ >= text_.size()) return false;
            const char escaped = text_[at_++];
            if (escaped == 'u') {
                unsigned code = 0;
                if (!Hex4(at_, code)) return false;
                at_ += 4;
                AppendUtf8(out, Surrogates(code));
                continue;
            }
            static const std::string from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
            const size_t which = from.find(escaped);
            if (which == std::string::npos) return false;
            out += to[which];
        }
        return false;
    }

    // Calls member(key) for each member with the reader at its value; member reads the value.
    template <class Member>
    bool Object(int depth, Member member) {
        if (depth > MaxDepth || !Take('{')) return false;
        if (Take('}')) return true;
        std::string key;
        do {
            if (!String(key) || !Take(':') || !member(key)) return false;
        } while (Take(','));
        return Take('}');
    }

    bool SkipValue(int depth) {
        if (depth > MaxDepth) return false;
        SkipSpace();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '"') {
            std::string ignored;
            return String(ignored);
        }
        if (c == '{') return Object(depth, [&](const std::string&) { return SkipValue(depth + 1); });
        if (c == '[') {
            ++at_;
            if (Take(']')) return true;
            do {
                if (!SkipValue(depth + 1)) return false;
            } while (Take(','));
            return Take(']');
        }
        if (c == '-' || (c >= '0' && c <= '9')) return Number();
        return Word("true") || Word("false") || Word("null");
    }

private:
    void SkipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    bool Hex4(size_t from, unsigned& code) const {
        if (from > text_.size() || text_.size() - from < 4) return false;
        code = 0;
        for (size_t i = from; i < from + 4; ++i) {
            const char h = text_[i];
            const int digit = h >= '0' && h <= '9'   ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                     : -1;
            if (digit < 0) return false;
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }

    // A high surrogate followed by "\u" and a low one is one character; a lone half is U+FFFD.
    unsigned Surrogates(unsigned code) {
        if (code >= 0xDC00 && code < 0xE000) return 0xFFFD;
        if (code < 0xD800 || code >= 0xDC00) return code;
        unsigned low = 0;
        if (at_ + 1 < text_.size() && text_[at_] == '\\' && text_[at_ + 1] == 'u' && Hex4(at_ + 2, low) &&
            low >= 0xDC00 && low < 0xE000) {
            at_ += 6;
            return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        return 0xFFFD;
    }

    bool Number() {
        bool digit = false;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c >= '0' && c <= '9') digit = true;
            else if (c != '-' && c != '+' && c != '.' && c != 'e' && c != 'E') break;
            ++at_;
        }
        return digit;
    }

    bool Word(const char* word) {
        const std::string w(word);
        if (text_.compare(at_, w.size(), w) != 0) return false;
        at_ += w.size();
        return true;
    }

    const std::string& text_;
    size_t at_ = 0;
};

bool StartsWithText(const std::string& text, const char* prefix) {
    const std::string p(prefix);
    return text.size() >= p.size() && SameText(text.substr(0, p.size()), p);
}

bool LooksAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '/' || path[0] == '\\'));
}
}  // namespace

bool ReadLocalStateProfiles(const std::string& json, std::vector<LocalStateProfile>& profiles) {
    JsonReader reader(json);
    std::vector<LocalStateProfile> found;
    auto cacheEntry = [&](const std::string& folder) {
        if (!reader.Next('{')) return reader.SkipValue(3);
        LocalStateProfile profile{folder, {}};
        const bool read = reader.Object(3, [&](const std::string& key) {
            if (key == "name" && reader.Next('"')) return reader.String(profile.Name);
            return reader.SkipValue(4);
        });
        if (read) found.push_back(std::move(profile));
        return read;
    };
    auto profileMember = [&](const std::string& key) {
        if (key == "info_cache" && reader.Next('{')) return reader.Object(2, cacheEntry);
        return reader.SkipValue(2);
    };
    const bool read = reader.Object(0, [&](const std::string& key) {
        if (key == "profile" && reader.Next('{')) return reader.Object(1, profileMember);
        return reader.SkipValue(1);
    });
    if (!read || !reader.AtEnd()) return false;
    profiles.swap(found);
    return true;
}

std::vector<ProfilesIniEntry> ReadProfilesIni(const std::string& text) {
    std::vector<ProfilesIniEntry> entries;
    ProfilesIniEntry current;
    bool inProfile = false, hasPath = false, hasRelative = false;
    auto close = [&] {
        if (!inProfile || !hasPath) return;
        if (!hasRelative) current.IsRelative = !LooksAbsolute(current.Path);
        entries.push_back(current);
    };
    for (const std::string& line : TrimmedLines(text)) {
        if (!line.empty() && line[0] == '[') {
            close();
            const size_t bracket = line.find(']');
            inProfile = bracket != std::string::npos && StartsWithText(line.substr(1, bracket - 1), "Profile");
            current = {};
            hasPath = hasRelative = false;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inProfile || equals == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
        if (SameText(key, "Name")) {
            current.Name = value;
        } else if (SameText(key, "Path")) {
            current.Path = value;
            hasPath = !value.empty();
        } else if (SameText(key, "IsRelative")) {
            current.IsRelative = value != "0";
            hasRelative = true;
        }
    }
    close();
    return entries;
}
