#include "catalogue/MacroText.h"

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

size_t FindMacro(const std::string& text, const std::string& macro) {
    if (macro.empty() || text.size() < macro.size()) return std::string::npos;
    for (size_t at = 0; at + macro.size() <= text.size(); ++at) {
        size_t k = 0;
        while (k < macro.size() && Upper(text[at + k]) == Upper(macro[k])) ++k;
        if (k == macro.size()) return at;
    }
    return std::string::npos;
}

std::string ReplaceMacro(const std::string& text, const std::string& macro, const std::string& value) {
    size_t at = FindMacro(text, macro);
    if (at == std::string::npos) return text;
    return text.substr(0, at) + value + text.substr(at + macro.size());
}
