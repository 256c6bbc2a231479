#include "platform/Locale.h"

#include <windows.h>

namespace {

TDateTime fixedNow = 0;

} // namespace

ShortDateFormat UserShortDateFormat() {
    char pattern[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, sizeof pattern) == 0) {
        pattern[0] = '\0';
    }
    return ShortDateFormat::FromLocalePattern(pattern);
}

TDateTime LocalNow() {
    if (fixedNow != 0) {
        return fixedNow;
    }
    SYSTEMTIME st;
    GetLocalTime(&st);
    TDateTime value = 0;
    TryEncodeDateTime(CivilDate{st.wYear, st.wMonth, st.wDay},
                      ClockTime{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds}, value);
    return value;
}

void SetNowForTests(TDateTime now) {
    fixedNow = now;
}
