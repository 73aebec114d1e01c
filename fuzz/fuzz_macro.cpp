// Macro replacement: line 1 the text, line 2 the macro, line 3 the value.
#include "catalogue/MacroText.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto texts = SplitInput(data, size, 3);
    const std::string &text = texts[0], &macro = texts[1], &value = texts[2];
    size_t at = FindMacro(text, macro);
    std::string result = ReplaceMacro(text, macro, value);
    if (at == std::string::npos) {
        FUZZ_CHECK(result == text);
        FUZZ_CHECK(macro.empty() || UpperCase(text).find(UpperCase(macro)) == std::string::npos);
        return 0;
    }
    // The first occurrence, letter case ignored, and exactly the macro's length replaced.
    FUZZ_CHECK(at == UpperCase(text).find(UpperCase(macro)));
    FUZZ_CHECK(result.size() == text.size() - macro.size() + value.size());
    FUZZ_CHECK(result.compare(0, at, text, 0, at) == 0);
    FUZZ_CHECK(result.compare(at, value.size(), value) == 0);
    FUZZ_CHECK(result.compare(at + value.size(), std::string::npos, text, at + macro.size()) == 0);
    return 0;
}
