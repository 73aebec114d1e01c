#pragma once
// log.htm read back as characters: its bytes in the ANSI code page, "&#n;" references decoded.
#include <windows.h>

#include <string>

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
