#pragma once
// LevelDB files as Chromium writes them, made by hand: a log of put batches, and a table whose
// keys share prefixes and whose block is Snappy-compressed.
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

inline std::string Varint(size_t value) {
    std::string bytes;
    for (; value >= 0x80; value >>= 7) bytes += static_cast<char>((value & 0x7f) | 0x80);
    return bytes + static_cast<char>(value);
}

inline std::string Fixed32(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    return bytes;
}

// One full record holding one batch that puts every key (value "v").
inline std::string LevelDbLog(const std::vector<std::string>& keys) {
    std::string batch = std::string(8, '\1') + Fixed32(static_cast<uint32_t>(keys.size()));
    for (const std::string& key : keys) batch += '\1' + Varint(key.size()) + key + Varint(1) + "v";
    return std::string(4, '\0') + static_cast<char>(batch.size() & 0xff) + static_cast<char>(batch.size() >> 8) + '\1' +
           batch;
}

// A block of entries whose keys share the prefix of the one before; compressed as one Snappy
// literal when snappy is set.
inline std::string LevelDbBlock(const std::vector<std::string>& keys, const std::vector<std::string>& values,
                                bool snappy) {
    std::string block, previous;
    for (size_t i = 0; i < keys.size(); ++i) {
        size_t shared = 0;
        while (shared < previous.size() && shared < keys[i].size() && previous[shared] == keys[i][shared]) ++shared;
        block += Varint(shared) + Varint(keys[i].size() - shared) + Varint(values[i].size()) + keys[i].substr(shared) +
                 values[i];
        previous = keys[i];
    }
    block += Fixed32(0) + Fixed32(1);
    if (!snappy) return block + '\0' + Fixed32(0);
    std::string literal = Varint(block.size()) + static_cast<char>(61 << 2) +
                          static_cast<char>((block.size() - 1) & 0xff) + static_cast<char>((block.size() - 1) >> 8) +
                          block;
    return literal + '\1' + Fixed32(0);
}

// A table of one data block holding the keys (sorted by the caller).
inline std::string LevelDbTable(const std::vector<std::string>& userKeys) {
    std::vector<std::string> keys, values;
    for (const std::string& key : userKeys) {
        keys.push_back(key + std::string(8, '\1'));
        values.push_back("v");
    }
    std::string data = LevelDbBlock(keys, values, true);
    std::string dataHandle = Varint(0) + Varint(data.size() - 5);
    std::string index = LevelDbBlock({keys.back()}, {dataHandle}, false);
    std::string footer = Varint(data.size()) + Varint(0) + Varint(data.size()) + Varint(index.size() - 5);
    footer.resize(40, '\0');
    return data + index + footer + Fixed32(0x8b80fb57u) + Fixed32(0xdb477524u);
}
