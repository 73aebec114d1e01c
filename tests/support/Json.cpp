#include "tests/support/Json.h"

#include <cstdio>
#include <cstdlib>

namespace {
class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}

    bool Document(JsonValue& value) {
        if (!Value(value)) return false;
        Blanks();
        return at_ == s_.size() || Fail("text after the value");
    }
    std::string error;

private:
    bool Fail(const std::string& what) {
        if (error.empty()) error = what + " at " + std::to_string(at_);
        return false;
    }
    void Blanks() {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\r' || s_[at_] == '\t')) ++at_;
    }
    bool Word(const char* word) {
        std::string w(word);
        if (s_.compare(at_, w.size(), w) != 0) return Fail("unknown word");
        at_ += w.size();
        return true;
    }
    bool Value(JsonValue& v) {
        Blanks();
        if (at_ >= s_.size()) return Fail("end of text");
        char c = s_[at_];
        if (c == '{') return Object(v);
        if (c == '[') return Array(v);
        if (c == '"') {
            v.kind = JsonValue::Kind::String;
            return String(v.text);
        }
        if (c == 't' || c == 'f') {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = c == 't';
            return Word(c == 't' ? "true" : "false");
        }
        if (c == 'n') return Word("null");
        char* end = nullptr;
        v.number = std::strtod(s_.c_str() + at_, &end);
        if (end == s_.c_str() + at_) return Fail("no value");
        v.kind = JsonValue::Kind::Number;
        at_ = static_cast<size_t>(end - s_.c_str());
        return true;
    }
    bool String(std::string& out) {
        ++at_;
        while (at_ < s_.size() && s_[at_] != '"') {
            unsigned char c = static_cast<unsigned char>(s_[at_]);
            if (c < 0x20) return Fail("control character in a string");
            if (c != '\\') {
                out += s_[at_++];
                continue;
            }
            if (++at_ >= s_.size()) break;
            char e = s_[at_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (at_ + 4 > s_.size()) return Fail("short \\u");
                    unsigned code = static_cast<unsigned>(std::strtoul(s_.substr(at_, 4).c_str(), nullptr, 16));
                    at_ += 4;
                    if (code >= 0x80) return Fail("\\u above ASCII");  // the program writes UTF-8 as it is
                    out += static_cast<char>(code);
                    break;
            }
            default: return Fail("bad escape");
            }
        }
        if (at_ >= s_.size()) return Fail("unended string");
        ++at_;
        return true;
    }
    bool Array(JsonValue& v) {
        v.kind = JsonValue::Kind::Array;
        ++at_;
        Blanks();
        if (at_ < s_.size() && s_[at_] == ']') return ++at_, true;
        for (;;) {
            v.items.emplace_back();
            if (!Value(v.items.back())) return false;
            Blanks();
            if (at_ < s_.size() && s_[at_] == ',') { ++at_; continue; }
            if (at_ < s_.size() && s_[at_] == ']') return ++at_, true;
            return Fail("expected , or ]");
        }
    }
    bool Object(JsonValue& v) {
        v.kind = JsonValue::Kind::Object;
        ++at_;
        Blanks();
        if (at_ < s_.size() && s_[at_] == '}') return ++at_, true;
        for (;;) {
            Blanks();
            std::string name;
            if (at_ >= s_.size() || s_[at_] != '"' || !String(name)) return Fail("expected a member name");
            Blanks();
            if (at_ >= s_.size() || s_[at_] != ':') return Fail("expected :");
            ++at_;
            if (v.members.count(name)) return Fail("repeated member " + name);
            if (!Value(v.members[name])) return false;
            Blanks();
            if (at_ < s_.size() && s_[at_] == ',') { ++at_; continue; }
            if (at_ < s_.size() && s_[at_] == '}') return ++at_, true;
            return Fail("expected , or }");
        }
    }
    const std::string& s_;
    size_t at_ = 0;
};
}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
    static const JsonValue none;
    auto found = members.find(name);
    return found == members.end() ? none : found->second;
}

bool ParseJson(const std::string& text, JsonValue& value, std::string& error) {
    Reader reader(text);
    value = JsonValue();
    bool ok = reader.Document(value);
    error = reader.error;
    return ok;
}

namespace {
void Write(const JsonValue& v, std::string& out) {
    auto text = [&out](const std::string& s) {
        out += '"';
        for (char c : s) {
            if (c == '"' || c == '\\') out += '\\', out += c;
            else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                out += escaped;
            } else out += c;
        }
        out += '"';
    };
    switch (v.kind) {
    case JsonValue::Kind::Null: out += "null"; break;
    case JsonValue::Kind::Bool: out += v.boolean ? "true" : "false"; break;
    case JsonValue::Kind::Number: {
        char number[32];
        if (v.number == static_cast<double>(static_cast<long long>(v.number)) && v.number < 9e15 && v.number > -9e15)
            snprintf(number, sizeof(number), "%lld", static_cast<long long>(v.number));
        else snprintf(number, sizeof(number), "%.17g", v.number);
        out += number;
        break;
    }
    case JsonValue::Kind::String: text(v.text); break;
    case JsonValue::Kind::Array:
        out += '[';
        for (size_t i = 0; i < v.items.size(); ++i) {
            if (i) out += ',';
            Write(v.items[i], out);
        }
        out += ']';
        break;
    case JsonValue::Kind::Object: {
        out += '{';
        bool first = true;
        for (const auto& [name, member] : v.members) {
            if (!first) out += ',';
            first = false;
            text(name);
            out += ':';
            Write(member, out);
        }
        out += '}';
        break;
    }
    }
}
}  // namespace

std::string WriteJson(const JsonValue& value) {
    std::string out;
    Write(value, out);
    return out;
}
