// The one text helper that needs the system's locale; the rest of Text.h is plain C++.
#include <windows.h>

#include "platform/Text.h"
#include "platform/WideText.h"

int AnsiCompareText(const std::string& a, const std::string& b) {
    std::wstring wa = Widen(a), wb = Widen(b);
    int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()), wb.data(),
                           static_cast<int>(wb.size()));
    return r - CSTR_EQUAL;
}
