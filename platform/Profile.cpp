#include "platform/Profile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Text.h"

namespace {
constexpr DWORD ValueBufferSize = 2048;  // 2047 characters and the terminator
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) const {
    char buffer[ValueBufferSize];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                       ValueBufferSize, path_.c_str());
    return std::string(buffer, n);
}

int ProfileFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string text = ReadString(section, key);
    int value;
    return TryParseInt(text, value) ? value : def;
}

bool ProfileFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) const {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw AppError(FormatMessageText("Unable to write to %s", path_));
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) const {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
    WriteString(section, key, value ? "1" : "0");
}

bool ProfileFile::EraseSection(const std::string& section) const {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str()) != 0;
}

bool ProfileFile::DeleteKey(const std::string& section, const std::string& key) const {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str()) != 0;
}

std::vector<std::string> ProfileFile::ReadSection(const std::string& section) const {
    std::vector<char> buffer(16384);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), path_.c_str());
        if (n + 2 < buffer.size()) {
            std::vector<std::string> keys;
            for (const char* p = buffer.data(); *p; p += strlen(p) + 1) keys.emplace_back(p);
            return keys;
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool ProfileFile::SectionExists(const std::string& section) const {
    return !ReadSection(section).empty();
}
