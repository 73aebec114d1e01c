#pragma once
// Counts as the user reads them.
#include <cstdint>
#include <string>

// A whole number with the digit grouping of the language in use: "1,234,567", "1.234.567".
std::string GroupedNumber(int64_t value);
