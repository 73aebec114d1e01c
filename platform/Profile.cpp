#include "platform/Profile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/StoredText.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
constexpr DWORD ValueBufferSize = 2048;  // 2047 characters and the terminator
constexpr size_t OpeningBytes = 4096;

const wchar_t* OrNull(const std::wstring& text, bool isNull) { return isNull ? nullptr : text.c_str(); }

bool HasUnicodeMark(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char mark[2] = {};
    DWORD got = 0;
    bool unicode = ReadFile(file, mark, 2, &got, nullptr) && got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
    CloseHandle(file);
    return unicode;
}

// The profile functions keep a file in the encoding they find it in: an ANSI file gets "?" for
// a character its code page lacks. Before such a text is written, the file is rewritten whole
// in UTF-16 with its byte order mark (the same lines, decoded from the ANSI code page), through
// a temporary file beside it, so the old file stays as it was if that fails.
bool MakeUnicodeFile(const std::wstring& path) {
    if (HasUnicodeMark(path)) return true;
    std::string bytes;
    HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in != INVALID_HANDLE_VALUE) {
        char chunk[65536];
        DWORD got = 0;
        bool ok = true;
        while ((ok = ReadFile(in, chunk, sizeof(chunk), &got, nullptr) != FALSE) && got > 0) bytes.append(chunk, got);
        CloseHandle(in);
        if (!ok) return false;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    std::wstring text = L"\xFEFF";
    if (!bytes.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring lines(n, L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), lines.data(), n);
        text += lines;
    }
    std::wstring temp = path + L".~new";
    HANDLE out = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t)), written = 0;
    bool ok = WriteFile(out, text.data(), size, &written, nullptr) && written == size;
    ok = CloseHandle(out) && ok;
    if (ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

// Writes one key (or deletes, with a null value or key); true when the system took it. A file
// whose opening bytes the profile functions can't read is never written: they would replace it.
bool WriteProfile(const std::string& path, const std::string* section, const std::string* key,
                  const std::string* value) {
    if (!PrepareStoredText(path, OpeningBytes).empty()) return false;
    std::wstring file = WidePath(path), wSection = Widen(*section);
    std::wstring wKey = key ? Widen(*key) : std::wstring(), wValue = value ? Widen(*value) : std::wstring();
    std::string ansi;
    if (!ToAnsi(wSection, ansi) || !ToAnsi(wKey, ansi) || !ToAnsi(wValue, ansi))
        if (!MakeUnicodeFile(file)) return false;
    return WritePrivateProfileStringW(wSection.c_str(), OrNull(wKey, !key), OrNull(wValue, !value),
                                      file.c_str()) != 0;
}
}  // namespace

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) const {
    wchar_t buffer[ValueBufferSize];
    DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(def).c_str(), buffer,
                                       ValueBufferSize, WidePath(path_).c_str());
    return Narrow(buffer, n);
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
    if (!WriteProfile(path_, &section, &key, &value))
        throw AppError(FormatText(IDS_UnableToWriteTo, path_));
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) const {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
    WriteString(section, key, value ? "1" : "0");
}

bool ProfileFile::EraseSection(const std::string& section) const {
    return WriteProfile(path_, &section, nullptr, nullptr);
}

bool ProfileFile::DeleteKey(const std::string& section, const std::string& key) const {
    return WriteProfile(path_, &section, &key, nullptr);
}

std::vector<std::string> ProfileFile::ReadSection(const std::string& section) const {
    std::vector<wchar_t> buffer(16384);
    const std::wstring file = WidePath(path_), wSection = Widen(section);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(wSection.c_str(), nullptr, L"", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
        if (n + 2 < buffer.size()) {
            std::vector<std::string> keys;
            for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) keys.push_back(Narrow(p, wcslen(p)));
            return keys;
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool ProfileFile::SectionExists(const std::string& section) const {
    return !ReadSection(section).empty();
}
