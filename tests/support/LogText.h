#pragma once
// log.htm read back as characters: its bytes in the ANSI code page, "&#n;" references decoded.
#include <windows.h>

#include <string>

#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

// Waits until the log's last block is closed (its table ended, its summary line written), as
// a wash leaves it at its end; false on timeout.
inline bool WaitForClosedLog(const std::string& path, int timeoutMs = 10000) {
    const std::string end = "</font></p>\r\n";
    return WaitUntil(
        [&] {
            std::string log = ReadTextFile(path);
            size_t table = log.rfind("</table>");
            return table != std::string::npos && log.size() >= end.size() &&
                   log.compare(log.size() - end.size(), end.size(), end) == 0 && log.size() - end.size() > table;
        },
        timeoutMs);
}

inline std::wstring DecodeLog(const std::string& log) {
    std::string ansi;
    std::wstring text;
    auto flush = [&] {
        std::wstring wide(ansi.size(), L'\0');
        int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                    static_cast<int>(wide.size()));
        text += wide.substr(0, n > 0 ? n : 0);
        ansi.clear();
    };
    for (size_t i = 0; i < log.size(); ++i) {
        size_t end = log.find(';', i);
        if (log.compare(i, 2, "&#") != 0 || end == std::string::npos || end - i > 10) {
            ansi += log[i];
            continue;
        }
        flush();
        unsigned code = std::stoul(log.substr(i + 2, end - i - 2));
        if (code >= 0x10000) {
            text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(code);
        }
        i = end;
    }
    flush();
    return text;
}
