// The wash log: log.htm, appended block by block through one buffered stream per wash.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "engine/EngineTexts.h"
#include "engine/WashEngine.h"
#include "engine/WashLog.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

namespace {

constexpr size_t LogBufferSize = 64 * 1024;
// Rows older than this reach the file even while the buffer has room: a process ended in the
// middle of a wash (the session ends) loses at most the rows of the last moment.
DWORD flushIntervalMs = 500;
constexpr std::string_view TableEnd = "</table>\r\n";

// The web name of the ANSI code page the log is written in.
std::string CharsetName() {
    const UINT codePage = GetACP();
    switch (codePage) {
        case 932: return "shift_jis";
        case 936: return "gbk";
        case 949: return "euc-kr";
        case 950: return "big5";
        case 65001: return "utf-8";
        default: return "windows-" + std::to_string(codePage);
    }
}

// Reads the bytes of [from, to) into bytes; false when they can't be read.
bool ReadRange(HANDLE file, LONGLONG from, LONGLONG to, std::string& bytes) {
    LARGE_INTEGER at;
    at.QuadPart = from;
    bytes.resize(static_cast<size_t>(to - from));
    DWORD got = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())
        return false;
    return true;
}

// Where the last of the texts that starts in [from, to) starts, and which of them it is; -1 when
// none does or the file can't be read. The range is read backwards a chunk at a time: a long
// block is read once, never the whole file at once.
LONGLONG FindLast(HANDLE file, LONGLONG from, LONGLONG to, std::initializer_list<std::string_view> texts,
                  size_t* which = nullptr) {
    constexpr LONGLONG Chunk = 64 * 1024;
    size_t longest = 0;
    for (std::string_view text : texts) longest = std::max(longest, text.size());
    std::string bytes;
    for (LONGLONG end = to; end > from;) {
        const LONGLONG start = std::max(from, end - Chunk);
        // The chunk reaches into the one read before, for a text that starts before its end.
        if (!ReadRange(file, start, std::min(to, end + static_cast<LONGLONG>(longest) - 1), bytes)) return -1;
        LONGLONG found = -1;
        size_t k = 0;
        for (std::string_view text : texts) {
            size_t at = std::string_view(bytes).rfind(text, static_cast<size_t>(end - start - 1));
            if (at != std::string_view::npos && start + static_cast<LONGLONG>(at) > found) {
                found = start + static_cast<LONGLONG>(at);
                if (which) *which = k;
            }
            ++k;
        }
        if (found >= 0) return found;
        end = start;
    }
    return -1;
}

// Ends the block a wash left open: one whose "<table" line no "</table>" follows (its process
// ended, or an error ended the wash). A row cut short is dropped with the rest of its lines.
// unclosed tells whether the rows kept must still be followed by "</table>". False when the
// file refused the cut; a file that can't be read is taken as it is.
bool CutBlockLeftOpen(HANDLE file, bool& unclosed) {
    constexpr std::string_view RowEnd = "</tr>\r\n";
    unclosed = false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) return true;
    size_t which = 0;
    const LONGLONG start = FindLast(file, 0, size.QuadPart, {"<table", "</table>"}, &which);
    if (start < 0 || which != 0) return true;
    // The heading's "</tr>" counts: a block cut inside its heading keeps only its date.
    const LONGLONG rowEnd = FindLast(file, start, size.QuadPart, {RowEnd});
    const LONGLONG keep = rowEnd >= 0 ? rowEnd + static_cast<LONGLONG>(RowEnd.size()) : start;
    if (keep < size.QuadPart) {
        LARGE_INTEGER at;
        at.QuadPart = keep;
        if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) return false;
    }
    unclosed = keep > start;
    return true;
}

class LogStream {
public:
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

    void Open(const std::string& path) {
        Discard();
        path_ = path;
        const std::wstring wide = WidePath(path);
        // Refused as the system refuses it to anyone but an administrator.
        DWORD attrs = GetFileAttributesW(wide.c_str());
        if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) Fail();
        HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) Fail();
        const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
        bool unclosed = false;
        LARGE_INTEGER zero{};
        if ((!created && !CutBlockLeftOpen(file, unclosed)) || !SetFilePointerEx(file, zero, nullptr, FILE_END)) {
            CloseHandle(file);
            Fail();
        }
        file_ = file;
        lastFlush_ = GetTickCount();
        buffer_.reserve(LogBufferSize);
        // The charset of a new log is declared before its first block; names outside it are
        // written as character references.
        if (created) Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + CharsetName() + "\">");
        if (unclosed) buffer_ += TableEnd;
    }

    // Text appended here goes to the file with a Commit that finds the buffer full.
    std::string& Buffer() { return buffer_; }
    void Commit() {
        if (buffer_.size() >= LogBufferSize || GetTickCount() - lastFlush_ >= flushIntervalMs) Flush();
    }

    // Appends one line and its CR LF.
    void Line(const std::string& text) {
        buffer_ += text;
        buffer_ += "\r\n";
        Commit();
    }

    void Close() {
        Flush();
        HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(file)) Fail();
    }

    // Ends the open block, writes what it can of the buffer and closes, ignoring errors.
    void Discard() {
        if (!IsOpen()) return;
        buffer_ += TableEnd;
        DWORD written = 0;
        if (!buffer_.empty())
            WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr);
        buffer_.clear();
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

private:
    void Flush() {
        size_t done = 0;
        while (done < buffer_.size()) {
            DWORD written = 0;
            BOOL ok = WriteFile(file_, buffer_.data() + done, static_cast<DWORD>(buffer_.size() - done),
                                &written, nullptr);
            if (!ok || written == 0) {
                buffer_.clear();
                CloseHandle(file_);
                file_ = INVALID_HANDLE_VALUE;
                Fail();
            }
            done += written;
        }
        buffer_.clear();
        lastFlush_ = GetTickCount();
    }

    [[noreturn]] void Fail() const { throw AppError(FormatText(IDS_UnableToWriteTo, path_)); }

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string path_;
    std::string buffer_;
    DWORD lastFlush_ = 0;
};

LogStream& Log() {
    static LogStream log;
    return log;
}

// The heading of a block; each empty line is a column's title, from HeadingTitles in turn.
const char* const HeadingLines[] = {
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">",
    "<tr>",
    "<td width=\"14%\">",
    nullptr,
    "</td>",
    "<td width=\"5%\">",
    nullptr,
    "</td>",
    "<td width=\"8%\">",
    nullptr,
    "</td>",
    "<td width=\"61%\">",
    nullptr,
    "</td>",
    "<td width=\"12%\">",
    nullptr,
    "</td>",
    "</tr>",
};
const UINT HeadingTitles[] = {IDS_LogType, IDS_LogMode, IDS_LogStatus, IDS_LogItems, IDS_LogNote};

// Appends one cell line of a row group.
void AppendCell(std::string& out, const char* width, const char* colour, std::string_view text) {
    out += "<td width=\"";
    out += width;
    out += "\"><font size=\"2\" color=\"";
    out += colour;
    out += "\">";
    out += text;
    out += "</font></td>\r\n";
}

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The text itself when it needs no escaping, else its escaped copy in scratch.
std::string_view Escaped(const std::string& text, std::string& scratch) {
    if (IsAscii(text)) {
        if (text.find_first_of("&<>\"") == std::string::npos) return text;
        scratch = HtmlEscape(text);
        return scratch;
    }
    scratch = LogText(HtmlEscape(text));
    return scratch;
}

// The words of a row in the language in use, HTML-escaped and in the log's code page: looked up
// once per wash, when the log opens.
struct RowWords {
    std::string FolderFile, RegistryEntry, SpecialItem, Quick, Secure, Success, Fail;
};

RowWords& Words() {
    static RowWords words;
    return words;
}

std::string LogWord(UINT id) {
    std::string scratch;
    const std::string text = Text(id);
    return std::string(Escaped(text, scratch));
}

}  // namespace

std::string FormatWashLogTime(const SYSTEMTIME& t) {
    char text[32];
    if (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0)
        std::snprintf(text, sizeof(text), "%04u-%02u-%02u", t.wYear, t.wMonth, t.wDay);
    else
        std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                      t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string LogText(const std::string& text) {
    const std::wstring wide = Widen(text);
    std::string out, ansi;
    if (ToAnsi(wide, out)) return out;  // the common case: the code page has every character
    out.reserve(text.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        // One character: a surrogate pair counts as one.
        size_t length = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]) ? 2 : 1;
        std::wstring one = wide.substr(i, length);
        if (length == 1 && ToAnsi(one, ansi)) {
            out += ansi;
        } else {
            unsigned code = length == 2 ? 0x10000 + ((wide[i] - 0xD800) << 10) + (wide[i + 1] - 0xDC00) : wide[i];
            out += "&#" + std::to_string(code) + ";";
        }
        i += length - 1;
    }
    return out;
}

std::string HtmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

void OpenWashLog() {
    LogStream& log = Log();
    log.Open(LogFilePath());
    SYSTEMTIME now;
    GetLocalTime(&now);
    log.Line("<p align=\"center\"><font size=\"4\"><b>" + FormatWashLogTime(now) + "</b></font></p>");
    Words() = {LogWord(IDS_LogFolderFile), LogWord(IDS_LogRegistryEntry), LogWord(IDS_LogSpecialItem),
               LogWord(IDS_LogQuick),      LogWord(IDS_LogSecure),        LogWord(IDS_LogSuccess),
               LogWord(IDS_LogFail)};
    size_t title = 0;
    for (const char* line : HeadingLines)
        log.Line(line ? line : "<div align=\"center\"><b>" + LogWord(HeadingTitles[title++]) + "</b></div>");
}

void WriteWashLogRow(WashRowKind kind, bool quick, bool success, const std::string& item,
                     const std::string& note) {
    LogStream& log = Log();
    if (!log.IsOpen()) throw AppError(Text(IDS_LogNotOpen));
    const RowWords& words = Words();
    std::string_view type;
    const char* colour = "";
    std::string_view mode = "&nbsp;";
    switch (kind) {
        case WashRowKind::FolderFile:
            type = words.FolderFile;
            colour = "#000000";
            mode = quick ? words.Quick : words.Secure;
            break;
        case WashRowKind::RegistryEntry:
            type = words.RegistryEntry;
            colour = "#000040";
            break;
        case WashRowKind::SpecialItem:
            type = words.SpecialItem;
            colour = "#FF00FF";
            break;
    }
    if (!success) colour = "#FF0000";
    std::string& row = log.Buffer();
    row += "<tr>\r\n";
    AppendCell(row, "14%", colour, type);
    AppendCell(row, "5%", colour, mode);
    AppendCell(row, "8%", colour, success ? words.Success : words.Fail);
    std::string scratch;
    AppendCell(row, "61%", colour, Escaped(item, scratch));
    AppendCell(row, "12%", colour, note.empty() ? std::string_view("&nbsp;") : Escaped(note, scratch));
    row += "</tr>\r\n";
    log.Commit();
}

void CloseWashLog() {
    LogStream& log = Log();
    if (!log.IsOpen()) throw AppError(Text(IDS_LogNotOpen));
    log.Line("</table>");
    log.Close();
}

void CloseWashLog(const WashSummary& summary) {
    LogStream& log = Log();
    if (!log.IsOpen()) throw AppError(Text(IDS_LogNotOpen));
    log.Line("</table>");
    std::string scratch;
    log.Line("<p><font size=\"2\">" + std::string(Escaped(WashSummaryText(summary), scratch)) + "</font></p>");
    log.Close();
}

void WriteWashLogSummary(const WashSummary& summary) {
    LogStream& log = Log();
    log.Open(LogFilePath());
    std::string scratch;
    log.Line("<p><font size=\"2\">" + std::string(Escaped(WashSummaryText(summary), scratch)) + "</font></p>");
    log.Close();
}

void WriteRestartLogBlock(int deleted, int total, const std::vector<std::string>& stillThere) {
    OpenWashLog();
    try {
        for (const auto& file : stillThere)
            WriteWashLogRow(WashRowKind::FolderFile, true, false, file, Text(IDS_StillThereAfterRestart));
    } catch (...) {
        AbandonWashLog();
        throw;
    }
    LogStream& log = Log();
    log.Line("</table>");
    std::string scratch;
    log.Line("<p><font size=\"2\">" + std::string(Escaped(FormatText(IDS_DeletedAtRestart, deleted, total), scratch)) +
             "</font></p>");
    log.Close();
}

void AbandonWashLog() { Log().Discard(); }

bool WashLogIsOpen() { return Log().IsOpen(); }

DWORD SetWashLogFlushInterval(DWORD ms) {
    DWORD previous = flushIntervalMs;
    flushIntervalMs = ms;
    return previous;
}
