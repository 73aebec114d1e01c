#include "platform/EventLog.h"

#include "platform/WideText.h"

bool WriteApplicationEvent(const wchar_t* source, WORD type, DWORD id, const std::string& text) {
    HANDLE log = RegisterEventSourceW(nullptr, source);
    if (!log) return false;
    std::wstring wide = Widen(text);
    LPCWSTR strings[] = {wide.c_str()};
    bool ok = ReportEventW(log, type, 0, id, nullptr, 1, 0, strings, nullptr) != FALSE;
    DeregisterEventSource(log);
    return ok;
}
