#include "platform/StoredText.h"

#include <windows.h>

#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/WideText.h"

namespace {

// Up to limit bytes of the file; false when it is missing or can't be read.
bool ReadBytes(const std::string& path, size_t limit, std::string& bytes) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char chunk[65536];
    DWORD got = 0;
    bool ok = true;
    while (bytes.size() < limit && (ok = ReadFile(file, chunk, sizeof(chunk), &got, nullptr) != FALSE) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    if (bytes.size() > limit) bytes.resize(limit);
    return ok;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    const std::wstring target = WidePath(path), temp = WidePath(path + ".~mark");
    HANDLE out = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    ok = CloseHandle(out) && ok;
    if (ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

std::string Reason(StoredTextKind kind) {
    if (kind == StoredTextKind::UnmarkedUtf16) return Text(IDS_StoredTextUnmarkedUtf16);
    if (kind == StoredTextKind::NotText) return Text(IDS_StoredTextNotText);
    return {};
}

}  // namespace

StoredTextKind ClassifyStoredText(const std::string& bytes) {
    auto at = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF)))
        return StoredTextKind::Text;
    // UTF-16LE: the high byte of most characters is zero (INI lines are mostly ASCII), the low
    // byte almost never.
    size_t pairs = bytes.size() / 2, highZero = 0, lowZero = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        lowZero += at(i) == 0;
        highZero += at(i + 1) == 0;
    }
    if (pairs > 0 && bytes.size() % 2 == 0 && highZero * 2 >= pairs && lowZero * 20 <= pairs)
        return StoredTextKind::UnmarkedUtf16;
    size_t controls = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = at(i);
        if (c == 0) return StoredTextKind::NotText;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A) ++controls;
    }
    return controls * 100 > bytes.size() ? StoredTextKind::NotText : StoredTextKind::Text;
}

std::string StoredTextProblem(const std::string& path, size_t limit) {
    std::string bytes;
    if (!ReadBytes(path, limit, bytes)) return {};
    return Reason(ClassifyStoredText(bytes));
}

std::string PrepareStoredText(const std::string& path, size_t limit) {
    std::string bytes;
    if (!ReadBytes(path, limit, bytes)) return {};
    StoredTextKind kind = ClassifyStoredText(bytes);
    if (kind != StoredTextKind::UnmarkedUtf16) return Reason(kind);
    std::string whole;
    if (ReadBytes(path, static_cast<size_t>(-1), whole) && ClassifyStoredText(whole) == StoredTextKind::UnmarkedUtf16 &&
        WriteWhole(path, "\xFF\xFE" + whole))
        return {};
    return Reason(kind);
}
