#pragma once
// Splits a fuzzer's input into texts at newline bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::string> texts(parts);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && part + 1 < parts) ++part;
        else texts[part] += static_cast<char>(data[i]);
    }
    return texts;
}

// Stops the run with a message libFuzzer reports as a crash, with the input saved.
#define FUZZ_CHECK(condition)                                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            __builtin_printf("check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                  \
        }                                                                      \
    } while (0)
