// Integers and booleans of the settings and wash item files: decimal, or hexadecimal with
// "0x", "0X" or "$", optional sign; checked against a reference parse.
#include <cstdlib>

#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

namespace {
bool Reference(const std::string& text, long long& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') base = 16, ++i;
    else if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) base = 16, i += 2;
    std::string digits = text.substr(i);
    if (digits.empty()) return false;
    size_t zeros = digits.find_first_not_of('0');
    digits.erase(0, zeros == std::string::npos ? digits.size() - 1 : zeros);
    if (digits.size() > 12) return false;
    for (char c : digits)
        if (!(c >= '0' && c <= '9') && !(base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))))
            return false;
    long long magnitude = std::strtoll(digits.c_str(), nullptr, base);
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFll) return false;
        magnitude = static_cast<int>(static_cast<unsigned>(magnitude));  // hex is a 32-bit pattern
    } else if (magnitude > (negative ? 0x80000000ll : 0x7FFFFFFFll)) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    value = static_cast<int>(static_cast<unsigned>(value));
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    int value = 12345;
    bool parsed = TryParseInt(text, value);
    long long expected = 0;
    bool reference = Reference(text, expected);
    FUZZ_CHECK(parsed == reference);
    if (parsed) FUZZ_CHECK(value == expected);
    else FUZZ_CHECK(value == 12345);  // a failed parse leaves the output alone
    return 0;
}
