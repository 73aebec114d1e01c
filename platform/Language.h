#pragma once
// The program's texts: string tables in the resources, one per language, English the fallback.
// Every text a user reads is looked up here by its id; dialog templates and their hints keep
// English texts, which TranslateUiText turns into the language in use.
#include <windows.h>

#include <string>
#include <vector>

struct LanguageInfo {
    LANGID Id;
    const char* Tag;          // stored in wildcard.ini: "de", "pt-BR", ...
    const char* NativeName;   // as the language names itself: "Deutsch"
    const char* EnglishName;  // "German"
};

inline constexpr LANGID EnglishLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
inline constexpr const char* AutomaticLanguage = "Automatic";

// The languages the program has tables for, English first.
const std::vector<LanguageInfo>& Languages();
const LanguageInfo& LanguageOf(LANGID id);
// The table for a Windows language: its own, else the one of its primary language, else English.
LANGID MatchLanguage(LANGID wanted);
// A stored choice ("Automatic", empty or unknown: Windows' display language) as a table.
LANGID ChooseLanguage(const std::string& choice);

// Switches every later lookup to a language's table.
void UseLanguage(LANGID id);
LANGID LanguageInUse();

// The text of an id in the language in use (English where the language lacks it; empty when
// no table has it).
std::string Text(UINT id);
// The same text with each %s, %d, %u or %ls replaced in turn by the next argument; %% is "%".
std::string FormatText(UINT id, const std::vector<std::string>& args);
template <typename... Args>
std::string FormatText(UINT id, const Args&... args);
// format with each %s, %d, %u or %ls replaced in turn by the next argument; %% is "%".
std::string FillPlaceholders(const std::string& format, const std::vector<std::string>& args);
// The placeholders of a text in order ("%s%d"), to compare a translation with its English.
std::string PlaceholdersOf(const std::string& text);
// An English text from a dialog template or menu in the language in use; other texts unchanged.
std::string TranslateUiText(const std::string& english);

// Every id and text of a language's table (tests and tools).
std::vector<std::pair<UINT, std::string>> TableOf(LANGID id);

// Test builds change every text through this (a pseudo-language); the program never sets it.
using TextTransform = std::string (*)(const std::string&);
void SetTextTransform(TextTransform transform);

namespace detail {
inline std::string ArgText(const std::string& s) { return s; }
inline std::string ArgText(const char* s) { return s ? s : ""; }
template <typename T>
std::string ArgText(const T& value) { return std::to_string(value); }
}  // namespace detail

template <typename... Args>
std::string FormatText(UINT id, const Args&... args) {
    return FormatText(id, std::vector<std::string>{detail::ArgText(args)...});
}
