#include "text/DateTime.h"

#include <cmath>

namespace {

// Day 0 of the count is 1899-12-30; days_from_civil gives days since 1970-01-01.
constexpr std::int64_t kEpochShift = 25569;
constexpr double kFirstDay = -693593.0; // 0001-01-01
constexpr double kLastDay = 2958465.0;  // 9999-12-31

// Howard Hinnant's algorithms for the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (!IsValidDate(year, month, day)) {
        return false;
    }
    value = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochShift);
    return true;
}

bool TryEncodeDateTime(const CivilDate& date, const ClockTime& time, TDateTime& value) {
    TDateTime day = 0;
    if (!TryEncodeDate(date.year, date.month, date.day, day) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59 || time.millisecond < 0 ||
        time.millisecond > 999) {
        return false;
    }
    const double fraction =
        (((time.hour * 60.0 + time.minute) * 60.0 + time.second) * 1000.0 + time.millisecond) / 86400000.0;
    value = day < 0 ? day - fraction : day + fraction;
    return true;
}

bool TryDecodeDate(TDateTime value, CivilDate& date) {
    const double day = std::trunc(value);
    if (!(day >= kFirstDay && day <= kLastDay)) {
        return false;
    }
    date = CivilFromDays(static_cast<std::int64_t>(day) - kEpochShift);
    return true;
}

ClockTime DecodeTime(TDateTime value) {
    ClockTime t;
    if (!std::isfinite(value)) {
        return t;
    }
    double fraction = std::fabs(value - std::trunc(value));
    auto ms = static_cast<std::int64_t>(std::llround(fraction * 86400000.0));
    if (ms >= 86400000) {
        ms = 86399999;
    }
    t.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}
