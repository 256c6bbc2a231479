#include "platform/Locale.h"

#include <windows.h>

ShortDateFormat UserShortDateFormat() {
    char pattern[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, sizeof pattern) == 0) {
        pattern[0] = '\0';
    }
    return ShortDateFormat::FromLocalePattern(pattern);
}

namespace {

std::string LocaleText(LCTYPE what, const char* fallback) {
    char text[80] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof text) != 0 ? text : fallback;
}

} // namespace

TimeFormat UserLongTimeFormat() {
    return TimeFormat(LocaleText(LOCALE_STIMEFORMAT, "H:mm:ss"), LocaleText(LOCALE_S1159, "AM"),
                      LocaleText(LOCALE_S2359, "PM"));
}

char UserDecimalSeparator() {
    return LocaleText(LOCALE_SDECIMAL, ".")[0];
}

TDateTime LocalNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    TDateTime value = 0;
    TryEncodeDateTime(CivilDate{st.wYear, st.wMonth, st.wDay},
                      ClockTime{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds}, value);
    return value;
}
