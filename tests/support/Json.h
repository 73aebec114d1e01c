#pragma once
// A small strict JSON reader for the tests that read the program's reports back, and its writer.
#include <map>
#include <memory>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // UTF-8
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    // The member of an object; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
    long long Int() const { return static_cast<long long>(number); }
};

// Parses a whole text; false (with where it stopped in error) when it is no valid JSON.
bool ParseJson(const std::string& text, JsonValue& value, std::string& error);
// The value as compact JSON (members in name order), for tests that write a browser's files.
std::string WriteJson(const JsonValue& value);
