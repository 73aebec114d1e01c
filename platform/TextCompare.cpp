// The one text helper that needs the system's locale; the rest of Text.h is plain C++.
#include <windows.h>

#include "platform/Text.h"

int AnsiCompareText(const std::string& a, const std::string& b) {
    int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                           b.data(), static_cast<int>(b.size()));
    return r - CSTR_EQUAL;
}
