#include "platform/Language.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/WideText.h"

namespace {

using Table = std::unordered_map<UINT, std::string>;

struct State {
    std::mutex Lock;
    LANGID Current = EnglishLanguage;
    std::map<LANGID, Table> Tables;
    std::unordered_map<std::string, UINT> EnglishIds;
    TextTransform Transform = nullptr;
};

State& Shared() {
    static State state;
    return state;
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    (void)module;
    (void)type;
    auto* blocks = reinterpret_cast<std::vector<WORD>*>(param);
    if (IS_INTRESOURCE(name)) blocks->push_back(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

bool BlockHasLanguage(HMODULE module, WORD block, LANGID language) {
    std::vector<LANGID> present;
    EnumResourceLanguagesW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&present));
    return std::find(present.begin(), present.end(), language) != present.end();
}

// A string block holds 16 counted UTF-16 texts: ids (block - 1) * 16 to (block - 1) * 16 + 15.
// Only blocks that carry the language itself count: FindResourceEx may fall back to another.
Table LoadTable(LANGID language) {
    Table table;
    HMODULE module = GetModuleHandleW(nullptr);
    std::vector<WORD> blocks;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    for (WORD block : blocks) {
        if (!BlockHasLanguage(module, block, language)) continue;
        HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), language);
        const auto* data = found ? static_cast<const WCHAR*>(LockResource(LoadResource(module, found))) : nullptr;
        if (!data) continue;
        DWORD size = SizeofResource(module, found) / sizeof(WCHAR);
        DWORD at = 0;
        for (UINT i = 0; i < 16 && at < size; ++i) {
            DWORD length = data[at++];
            if (length > size - at) break;
            if (length > 0) table[(block - 1u) * 16u + i] = Narrow(data + at, length);
            at += length;
        }
    }
    return table;
}

// Tables are loaded once, under the lock.
const Table& TableLocked(State& state, LANGID language) {
    auto it = state.Tables.find(language);
    if (it != state.Tables.end()) return it->second;
    return state.Tables.emplace(language, LoadTable(language)).first->second;
}

std::string LookupLocked(State& state, UINT id) {
    const Table& current = TableLocked(state, state.Current);
    auto it = current.find(id);
    if (it == current.end()) {
        const Table& english = TableLocked(state, EnglishLanguage);
        it = english.find(id);
        if (it == english.end()) return {};
    }
    return state.Transform ? state.Transform(it->second) : it->second;
}

// "%%", "%s", "%d", "%u" or "%ls" at i: its length; 0 for a lone "%".
size_t PlaceholderLength(const std::string& text, size_t i) {
    if (i + 1 >= text.size()) return 0;
    char kind = text[i + 1];
    if (kind == '%' || kind == 's' || kind == 'd' || kind == 'u') return 2;
    if (kind == 'l' && i + 2 < text.size() && text[i + 2] == 's') return 3;
    return 0;
}

}  // namespace

const std::vector<LanguageInfo>& Languages() {
    static const std::vector<LanguageInfo> languages = {
        {EnglishLanguage, "en", "English", "English"},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), "de", "Deutsch", "German"},
        {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), "fr", "Fran\xC3\xA7" "ais", "French"},
        {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), "es", "Espa\xC3\xB1ol", "Spanish"},
        {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), "it", "Italiano", "Italian"},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), "pt-BR", "Portugu\xC3\xAAs (Brasil)",
         "Portuguese (Brazil)"},
        {MAKELANGID(LANG_POLISH, SUBLANG_POLISH_POLAND), "pl", "Polski", "Polish"},
        {MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), "ru", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9",
         "Russian"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), "zh-CN", "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87",
         "Chinese (Simplified)"},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), "ja", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "Japanese"},
        {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), "ko", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4", "Korean"},
    };
    return languages;
}

const LanguageInfo& LanguageOf(LANGID id) {
    for (const LanguageInfo& info : Languages())
        if (info.Id == id) return info;
    return Languages().front();
}

LANGID MatchLanguage(LANGID wanted) {
    for (const LanguageInfo& info : Languages())
        if (info.Id == wanted) return info.Id;
    if (PRIMARYLANGID(wanted) == LANG_CHINESE) {
        // Only the Simplified script: Traditional Chinese readers get English.
        WORD sub = SUBLANGID(wanted);
        return sub == SUBLANG_CHINESE_SINGAPORE ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                                : EnglishLanguage;
    }
    for (const LanguageInfo& info : Languages())
        if (PRIMARYLANGID(info.Id) == PRIMARYLANGID(wanted)) return info.Id;
    return EnglishLanguage;
}

LANGID ChooseLanguage(const std::string& choice) {
    for (const LanguageInfo& info : Languages())
        if (choice == info.Tag) return info.Id;
    return MatchLanguage(GetUserDefaultUILanguage());
}

void UseLanguage(LANGID id) {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    state.Current = MatchLanguage(id);
}

LANGID LanguageInUse() {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    return state.Current;
}

std::string Text(UINT id) {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    return LookupLocked(state, id);
}

std::string FillPlaceholders(const std::string& format, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(format.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        size_t length = format[i] == '%' ? PlaceholderLength(format, i) : 0;
        if (length == 0) {
            out += format[i];
        } else if (format[i + 1] == '%') {
            out += '%';
        } else {
            if (next < args.size()) out += args[next];
            ++next;
        }
        if (length > 0) i += length - 1;
    }
    return out;
}

std::string PlaceholdersOf(const std::string& text) {
    std::string found;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t length = text[i] == '%' ? PlaceholderLength(text, i) : 0;
        if (length > 0) {
            found += text.substr(i, length);
            i += length - 1;
        }
    }
    return found;
}

std::string FormatText(UINT id, const std::vector<std::string>& args) { return FillPlaceholders(Text(id), args); }

std::string TranslateUiText(const std::string& english) {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    // English shown as it stands: no table of every text to build.
    if (state.Current == EnglishLanguage && !state.Transform) return english;
    if (state.EnglishIds.empty()) {
        for (const auto& [id, text] : TableLocked(state, EnglishLanguage)) {
            auto [it, added] = state.EnglishIds.emplace(text, id);
            if (!added && id < it->second) it->second = id;
        }
    }
    auto it = state.EnglishIds.find(english);
    if (it == state.EnglishIds.end()) return english;
    return LookupLocked(state, it->second);
}

std::vector<std::pair<UINT, std::string>> TableOf(LANGID id) {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    const Table& table = TableLocked(state, id);
    std::vector<std::pair<UINT, std::string>> rows(table.begin(), table.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void SetTextTransform(TextTransform transform) {
    State& state = Shared();
    std::lock_guard<std::mutex> lock(state.Lock);
    state.Transform = transform;
}
