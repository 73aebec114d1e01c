#include "platform/NumberText.h"

#include <windows.h>

#include "platform/Language.h"
#include "platform/WideText.h"

std::string GroupedNumber(int64_t value) {
    std::wstring digits = std::to_wstring(value);
    LCID locale = MAKELCID(LanguageInUse(), SORT_DEFAULT);
    wchar_t separator[8] = L",", decimal[8] = L".";
    GetLocaleInfoW(locale, LOCALE_STHOUSAND, separator, 8);
    GetLocaleInfoW(locale, LOCALE_SDECIMAL, decimal, 8);
    NUMBERFMTW format{};
    format.NumDigits = 0;
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = separator;
    format.NegativeOrder = 1;
    wchar_t grouped[64];
    if (!GetNumberFormatW(locale, 0, digits.c_str(), &format, grouped, 64)) return std::to_string(value);
    return Narrow(grouped);
}
