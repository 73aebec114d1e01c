#include "engine/LevelDbKeys.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/WideText.h"

namespace {

// A cursor over bytes; every read checks the end.
struct Reader {
    const std::string& data;
    size_t pos = 0;
    size_t end = 0;

    Reader(const std::string& bytes, size_t from, size_t to) : data(bytes), pos(from), end(to) {}

    bool Varint(uint64_t& value) {
        value = 0;
        for (int shift = 0; shift < 64 && pos < end; shift += 7) {
            uint8_t byte = static_cast<uint8_t>(data[pos++]);
            value |= static_cast<uint64_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80)) return true;
        }
        return false;
    }
    // A varint that fits the address space: a length or an offset.
    bool Size(size_t& value) {
        uint64_t wide;
        if (!Varint(wide) || wide > SIZE_MAX) return false;
        value = static_cast<size_t>(wide);
        return true;
    }
    bool Bytes(size_t count, std::string& out) {
        if (count > end - pos) return false;
        out.assign(data, pos, count);
        pos += count;
        return true;
    }
    bool Skip(size_t count) {
        if (count > end - pos) return false;
        pos += count;
        return true;
    }
};

uint32_t Fixed32(const std::string& data, size_t pos) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(data[pos + i]);
    return value;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

// A block of a table: its content, uncompressed. The trailer (type, checksum) follows it.
bool ReadBlock(const std::string& file, size_t offset, size_t size, std::string& block) {
    if (offset > file.size() || size > file.size() - offset || file.size() - offset - size < 5) return false;
    std::string raw = file.substr(offset, size);
    switch (file[offset + size]) {
        case 0:
            block = std::move(raw);
            return true;
        case 1:
            return SnappyUncompress(raw, block);
        default:
            return false;  // a compression this reader does not know
    }
}

// The entries of a block: keys are stored as a prefix shared with the previous key and the rest.
bool ForEachEntry(const std::string& block, std::vector<std::pair<std::string, std::string>>& entries) {
    if (block.size() < 4) return false;
    size_t restarts = Fixed32(block, block.size() - 4);
    if (restarts > (block.size() - 4) / 4) return false;
    Reader reader(block, 0, block.size() - 4 - restarts * 4);
    std::string key;
    while (reader.pos < reader.end) {
        size_t shared, unshared, valueSize;
        std::string rest, value;
        if (!reader.Size(shared) || !reader.Size(unshared) || !reader.Size(valueSize)) return false;
        if (shared > key.size() || !reader.Bytes(unshared, rest) || !reader.Bytes(valueSize, value)) return false;
        key = key.substr(0, shared) + rest;
        entries.emplace_back(key, std::move(value));
    }
    return true;
}

// The user key of an internal key (the last 8 bytes are sequence number and type).
std::string UserKey(const std::string& internalKey) {
    return internalKey.size() >= 8 ? internalKey.substr(0, internalKey.size() - 8) : internalKey;
}

bool ReadTable(const std::string& file, std::vector<std::string>& keys) {
    const size_t footerSize = 48;
    if (file.size() < footerSize || Fixed32(file, file.size() - 8) != 0x8b80fb57u ||
        Fixed32(file, file.size() - 4) != 0xdb477524u)
        return false;
    Reader footer(file, file.size() - footerSize, file.size() - 8);
    size_t metaOffset, metaSize, indexOffset, indexSize;
    if (!footer.Size(metaOffset) || !footer.Size(metaSize) || !footer.Size(indexOffset) || !footer.Size(indexSize))
        return false;
    std::string index;
    std::vector<std::pair<std::string, std::string>> handles;
    if (!ReadBlock(file, indexOffset, indexSize, index) || !ForEachEntry(index, handles)) return false;
    for (const auto& handle : handles) {
        Reader reader(handle.second, 0, handle.second.size());
        size_t offset, size;
        std::string block;
        std::vector<std::pair<std::string, std::string>> entries;
        if (!reader.Size(offset) || !reader.Size(size) || !ReadBlock(file, offset, size, block) ||
            !ForEachEntry(block, entries))
            return false;
        for (const auto& entry : entries) keys.push_back(UserKey(entry.first));
    }
    return true;
}

// A write batch of the log: sequence number, count, then each put (key, value) or delete (key).
bool ReadBatch(const std::string& batch, std::vector<std::string>& keys) {
    if (batch.size() < 12) return false;
    Reader reader(batch, 12, batch.size());
    while (reader.pos < reader.end) {
        char tag = batch[reader.pos++];
        size_t size;
        std::string key;
        if ((tag != 0 && tag != 1) || !reader.Size(size) || !reader.Bytes(size, key)) return false;
        keys.push_back(key);
        if (tag == 1 && (!reader.Size(size) || !reader.Skip(size))) return false;
    }
    return true;
}

// A log is cut into 32 KB blocks of records (checksum, length, type) that hold the batches whole
// or in pieces.
bool ReadLog(const std::string& file, std::vector<std::string>& keys) {
    const size_t blockSize = 32768, headerSize = 7;
    std::string batch;
    size_t pos = 0;
    bool ok = true;
    while (pos + headerSize <= file.size()) {
        size_t left = blockSize - pos % blockSize;
        if (left < headerSize) {
            pos += left;
            continue;
        }
        size_t length = static_cast<uint8_t>(file[pos + 4]) | (static_cast<uint8_t>(file[pos + 5]) << 8);
        int type = file[pos + 6];
        if (type == 0 && length == 0) {  // space the writer set aside and never used
            pos += left;
            continue;
        }
        if (type < 1 || type > 4 || headerSize + length > left || pos + headerSize + length > file.size()) return false;
        std::string piece = file.substr(pos + headerSize, length);
        pos += headerSize + length;
        if (type == 1 || type == 2) batch.clear();
        batch += piece;
        if (type == 1 || type == 4) ok = ReadBatch(batch, keys) && ok;
    }
    return ok;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsSchemeChar(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'; }

bool IsHostChar(char c) {
    return isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == '[' || c == ']' ||
           c == '%';
}

}  // namespace

bool SnappyUncompress(const std::string& input, std::string& output) {
    Reader reader(input, 0, input.size());
    size_t length;
    if (!reader.Size(length) || length > (1u << 30)) return false;
    output.clear();
    output.reserve(length);
    while (reader.pos < reader.end) {
        uint8_t tag = static_cast<uint8_t>(input[reader.pos++]);
        size_t count = 0, offset = 0;
        if ((tag & 3) == 0) {
            count = tag >> 2;
            if (count >= 60) {
                size_t bytes = count - 59;
                if (bytes > reader.end - reader.pos) return false;
                count = 0;
                for (size_t i = 0; i < bytes; ++i)
                    count |= static_cast<size_t>(static_cast<uint8_t>(input[reader.pos++])) << (8 * i);
            }
            std::string literal;
            if (!reader.Bytes(count + 1, literal)) return false;
            output += literal;
        } else {
            size_t offsetBytes = (tag & 3) == 1 ? 1 : (tag & 3) == 2 ? 2 : 4;
            count = (tag & 3) == 1 ? ((tag >> 2) & 7) + 4 : (tag >> 2) + 1;
            if (offsetBytes > reader.end - reader.pos) return false;
            for (size_t i = 0; i < offsetBytes; ++i)
                offset |= static_cast<size_t>(static_cast<uint8_t>(input[reader.pos++])) << (8 * i);
            if ((tag & 3) == 1) offset |= static_cast<size_t>(tag >> 5) << 8;
            if (offset == 0 || offset > output.size()) return false;
            size_t from = output.size() - offset;
            for (size_t i = 0; i < count; ++i) output += output[from + i];  // may overlap itself
        }
        if (output.size() > length) return false;
    }
    return output.size() == length;
}

bool ReadLevelDbKeys(const std::string& folder, std::vector<std::string>& keys) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\') base += '\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(base + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true, any = false;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        std::string name = Narrow(found.cFileName);
        for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        bool table = EndsWith(name, ".ldb") || EndsWith(name, ".sst"), log = EndsWith(name, ".log");
        if (!table && !log) continue;
        std::string bytes;
        if (!ReadWholeFile(base + Narrow(found.cFileName), bytes)) {
            ok = false;
            continue;
        }
        any = true;
        ok = (table ? ReadTable(bytes, keys) : ReadLog(bytes, keys)) && ok;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // A store with neither tables nor logs is not one this reader knows.
    return ok && any;
}

std::vector<KeyOrigin> OriginsInText(const std::string& text) {
    std::vector<KeyOrigin> origins;
    for (size_t at = text.find("://"); at != std::string::npos; at = text.find("://", at + 3)) {
        size_t begin = at;
        while (begin > 0 && IsSchemeChar(text[begin - 1])) --begin;
        // A scheme starts with a letter: "_https://" in a Local Storage key gives "https".
        while (begin < at && !isalpha(static_cast<unsigned char>(text[begin]))) ++begin;
        if (begin == at) continue;
        size_t end = at + 3;
        while (end < text.size() && IsHostChar(text[end])) ++end;
        KeyOrigin origin{text.substr(begin, at - begin), text.substr(at + 3, end - at - 3)};
        for (char& c : origin.Scheme) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        // Session Storage joins its namespace and the origin with a dash: "...-https://".
        size_t dash = origin.Scheme.rfind('-');
        if (dash != std::string::npos &&
            (origin.Scheme.substr(dash + 1) == "http" || origin.Scheme.substr(dash + 1) == "https"))
            origin.Scheme.erase(0, dash + 1);
        for (char& c : origin.Host) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        origins.push_back(origin);
    }
    return origins;
}
