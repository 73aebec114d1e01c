#include "platform/SortOrder.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace {
constexpr DWORD SortFlags = NORM_IGNORECASE;
// Marks a character that the table can't order by itself.
constexpr uint16_t Complex = 0;

std::string SortKey(const char* text, int length) {
    int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | SortFlags, text, length, nullptr, 0);
    std::string key(n > 0 ? n : 0, '\0');
    if (n > 0) LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | SortFlags, text, length, key.data(), n);
    return key;
}

// Primary weight of every character whose sort key is that weight alone; a pair of such
// characters must also sort as their two weights (no contraction such as "ch" or "aa").
class WeightTable {
public:
    WeightTable() {
        weights_.fill(Complex);
        std::vector<int> simple;
        for (int c = 1; c < 256; ++c) {
            char text = static_cast<char>(c);
            std::string key = SortKey(&text, 1);
            // Two weight bytes, the empty diacritic, case and special sections, the end mark.
            if (key.size() == 7 && key.compare(2, 5, std::string("\1\1\1\1\0", 5)) == 0 &&
                static_cast<unsigned char>(key[0]) > 1) {
                weights_[c] = static_cast<uint16_t>(static_cast<unsigned char>(key[0]) << 8 |
                                                    static_cast<unsigned char>(key[1]));
                simple.push_back(c);
            }
        }
        // Pairs: one key per simple character f, of f followed by each simple character and f
        // again ("f s1 f s2 f ..."), covers every pair with f on either side. Only when that key
        // is not the plain row of weights are f's pairs looked at one by one.
        const std::array<uint16_t, 256> single = weights_;
        auto expectedKey = [&single](const std::string& text) {
            std::string key;
            for (char c : text) {
                uint16_t w = single[static_cast<unsigned char>(c)];
                key += static_cast<char>(w >> 8);
                key += static_cast<char>(w & 0xFF);
            }
            return key + std::string("\1\1\1\1\0", 5);
        };
        for (int first : simple) {
            std::string text;
            for (int second : simple) {
                text += static_cast<char>(first);
                text += static_cast<char>(second);
            }
            text += static_cast<char>(first);
            if (SortKey(text.data(), static_cast<int>(text.size())) == expectedKey(text)) continue;
            for (int second : simple) {
                const char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
                if (SortKey(pair, 2) != expectedKey(std::string(pair, 2))) weights_[first] = Complex;
            }
        }
        RankWeights();
    }
    uint16_t operator[](unsigned char c) const { return weights_[c]; }

    // 1 to 255 in the order of the weights of simple characters; 0 for a complex one.
    uint8_t Rank(unsigned char c) const { return ranks_[c]; }

    void RankWeights() {
        std::vector<uint16_t> distinct;
        for (uint16_t w : weights_)
            if (w != Complex) distinct.push_back(w);
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        ranks_.fill(0);
        for (int c = 0; c < 256; ++c)
            if (weights_[c] != Complex)
                ranks_[c] = static_cast<uint8_t>(1 + (std::lower_bound(distinct.begin(), distinct.end(), weights_[c]) -
                                                      distinct.begin()));
    }

private:
    std::array<uint16_t, 256> weights_;
    std::array<uint8_t, 256> ranks_;
};

const WeightTable& Weights() {
    static const WeightTable table;
    return table;
}
}  // namespace

namespace {
// A shared prefix of this length can be left out of a comparison: its characters stand the same
// in both texts, and no character of it can combine with the text behind it (the two last are
// simple). Characters such as "-", which only count when all else ties, may stand inside it.
bool SkippablePrefix(const WeightTable& table, const std::string& text, size_t length) {
    return length == 0 || (table.Rank(static_cast<unsigned char>(text[length - 1])) != 0 &&
                           (length < 2 || table.Rank(static_cast<unsigned char>(text[length - 2])) != 0));
}
}  // namespace

int CompareSortOrder(const std::string& a, const std::string& b) {
    const WeightTable& weights = Weights();
    size_t n = a.size() < b.size() ? a.size() : b.size();
    size_t start = std::mismatch(a.begin(), a.begin() + n, b.begin()).first - a.begin();
    if (!SkippablePrefix(weights, a, start)) return AnsiCompareText(a, b);
    // From there to the first difference of weights every character must be simple: the weights
    // of both texts then stand side by side in their sort keys, and that difference decides.
    for (size_t i = start; i < n; ++i) {
        uint16_t wa = weights[static_cast<unsigned char>(a[i])];
        uint16_t wb = a[i] == b[i] ? wa : weights[static_cast<unsigned char>(b[i])];
        if (wa == Complex || wb == Complex) return AnsiCompareText(a, b);
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    // Equal weights so far: a simple rest makes the longer text the greater one.
    const std::string& longer = a.size() > b.size() ? a : b;
    for (size_t i = n; i < longer.size(); ++i)
        if (weights[static_cast<unsigned char>(longer[i])] == Complex) return AnsiCompareText(a, b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Same weights, same length: texts that differ only in letter case, or ones whose shared
    // prefix holds characters that count only in a tie, which the system settles.
    for (size_t i = 0; i < start; ++i)
        if (weights[static_cast<unsigned char>(a[i])] == Complex) return AnsiCompareText(a, b);
    return 0;
}

namespace {
constexpr size_t KeyLength = 16;
constexpr uint32_t InvalidKey = 0x80000000u;

// A text's ranks at KeyLength positions from an offset, 0 past its end; the high bit of
// position marks a key that can't decide (a complex character in its window).
struct SortEntry {
    uint64_t high;
    uint64_t low;
    uint32_t position;
};

SortEntry MakeEntry(const WeightTable& table, const std::string& text, size_t offset, uint32_t position) {
    SortEntry entry{0, 0, position};
    uint64_t parts[2] = {0, 0};
    for (size_t k = 0; k < KeyLength; ++k) {
        size_t i = offset + k;
        uint8_t rank = 0;
        if (i < text.size()) {
            rank = table.Rank(static_cast<unsigned char>(text[i]));
            if (rank == 0) entry.position |= InvalidKey;
        }
        parts[k / 8] = parts[k / 8] << 8 | rank;
    }
    entry.high = parts[0];
    entry.low = parts[1];
    return entry;
}
}  // namespace

std::vector<uint32_t> SortedPositions(const std::vector<const std::string*>& texts) {
    const WeightTable& table = Weights();
    // The shared prefix is skipped when nothing in it can combine with what follows.
    size_t prefix = texts.empty() ? 0 : texts[0]->size();
    for (const std::string* text : texts) {
        size_t n = std::min(prefix, text->size());
        prefix = std::mismatch(text->begin(), text->begin() + n, texts[0]->begin()).first - text->begin();
    }
    if (!texts.empty() && !SkippablePrefix(table, *texts[0], prefix)) prefix = 0;

    std::vector<SortEntry> entries;
    entries.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        entries.push_back(MakeEntry(table, *texts[i], prefix, static_cast<uint32_t>(i)));
    std::sort(entries.begin(), entries.end(), [&texts](const SortEntry& a, const SortEntry& b) {
        uint32_t i = a.position & ~InvalidKey, j = b.position & ~InvalidKey;
        if (!((a.position | b.position) & InvalidKey) && (a.high != b.high || a.low != b.low))
            return a.high != b.high ? a.high < b.high : a.low < b.low;
        int order = CompareSortOrder(*texts[i], *texts[j]);
        return order != 0 ? order < 0 : i < j;
    });
    std::vector<uint32_t> positions;
    positions.reserve(entries.size());
    for (const SortEntry& entry : entries) positions.push_back(entry.position & ~InvalidKey);
    return positions;
}
