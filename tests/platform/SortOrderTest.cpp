// The fast sort order must be the system's own case-insensitive order, text for text.
#include <gtest/gtest.h>

#include <random>

#include "platform/SortOrder.h"
#include "platform/Text.h"

namespace {
int Sign(int v) { return (v > 0) - (v < 0); }

// Random texts over letters of both cases, digits, punctuation that sorts by special weights
// only (hyphen, apostrophe), expanding letters (ß, æ) and accented ones.
std::vector<std::string> RandomTexts(size_t count, const std::string& prefix, unsigned seed) {
    const std::string alphabet = "aAbBcCzZ09-_'. \\~!$&()[]{}+=,;#@^`\xe9\xc9\xe0\xfc\xdf\xe6\xf1";
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i) {
        std::string text = prefix;
        for (int n = 1 + random() % 20; n > 0; --n) text += alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    return texts;
}
}  // namespace

TEST(SortOrder, ComparesAsCompareStringA) {
    std::vector<std::string> texts = RandomTexts(4000, "", 7);
    texts.insert(texts.end(), {"", "a", "A", "a-", "ab", "a-b", "ss", "\xdf", "ae", "\xe6", "C:\\x", "c:\\X"});
    std::mt19937 random(11);
    for (int i = 0; i < 100000; ++i) {
        const std::string& a = texts[random() % texts.size()];
        const std::string& b = texts[random() % texts.size()];
        ASSERT_EQ(Sign(CompareSortOrder(a, b)), Sign(AnsiCompareText(a, b))) << "'" << a << "' '" << b << "'";
    }
}

TEST(SortOrder, SortedPositionsAreStableAndInTheSystemOrder) {
    // A long shared prefix, as paths of one folder have, then texts that tie on their keys.
    std::vector<std::string> texts = RandomTexts(3000, "C:\\Temp\\Folder\\", 3);
    for (int i = 0; i < 50; ++i) {
        texts.push_back("C:\\Temp\\Folder\\same name that is long" + std::to_string(i % 5));
        texts.push_back("C:\\TEMP\\folder\\SAME NAME THAT IS LONG" + std::to_string(i % 5));
    }
    std::vector<const std::string*> pointers;
    for (const auto& text : texts) pointers.push_back(&text);
    std::vector<uint32_t> positions = SortedPositions(pointers);
    ASSERT_EQ(positions.size(), texts.size());
    for (size_t i = 1; i < positions.size(); ++i) {
        int order = AnsiCompareText(texts[positions[i - 1]], texts[positions[i]]);
        ASSERT_LE(order, 0) << texts[positions[i - 1]] << " before " << texts[positions[i]];
        if (order == 0) {
            EXPECT_LT(positions[i - 1], positions[i]);
        }
    }
    EXPECT_TRUE(SortedPositions({}).empty());
}

// Paths under a folder whose name holds characters that only count in a tie or that expand
// ("wt-speed", "O'Brien", "Stra\xdf" + "e"): the shared part is left out, the order stays the system's.
TEST(SortOrder, SharedPrefixWithSpecialCharactersKeepsTheSystemOrder) {
    for (const std::string prefix : {"Z:\\work\\wt-speed\\tree\\", "C:\\O'Brien\\Stra\xdf" "e\\\xe6\\", "C:\\a-"}) {
        std::vector<std::string> texts = RandomTexts(2000, prefix, 5);
        texts.push_back(prefix);
        texts.push_back(prefix + "-");
        std::mt19937 random(13);
        for (int i = 0; i < 30000; ++i) {
            const std::string& a = texts[random() % texts.size()];
            const std::string& b = texts[random() % texts.size()];
            ASSERT_EQ(Sign(CompareSortOrder(a, b)), Sign(AnsiCompareText(a, b))) << "'" << a << "' '" << b << "'";
        }
        std::vector<const std::string*> pointers;
        for (const auto& text : texts) pointers.push_back(&text);
        std::vector<uint32_t> order = SortedPositions(pointers);
        for (size_t k = 1; k < order.size(); ++k) {
            int c = AnsiCompareText(texts[order[k - 1]], texts[order[k]]);
            ASSERT_TRUE(c < 0 || (c == 0 && order[k - 1] < order[k])) << texts[order[k - 1]] << " / " << texts[order[k]];
        }
    }
}
