#pragma once
// The program's language switched for one test, English again when it ends.
#include "platform/Language.h"

class LanguageScope {
public:
    explicit LanguageScope(LANGID language) { UseLanguage(language); }
    ~LanguageScope() { UseLanguage(EnglishLanguage); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
};
