#pragma once
// Date-time values: days since 30 December 1899 as a double, the fraction being the time of day.
// Before that day the value is negative and its fraction still counts forwards from midnight in
// magnitude (-1.25 is 29 December 1899, 06:00), so the day is always the value truncated towards zero.

#include <cstdint>

using TDateTime = double;

struct CivilDate {
    int year = 0;  // 1..9999
    int month = 0; // 1..12
    int day = 0;   // 1..31
};

struct ClockTime {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Days from 30 December 1899 to the given date; false when the date does not exist or lies outside the
// years 1..9999.
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeDateTime(const CivilDate& date, const ClockTime& time, TDateTime& value);

// The date part of `value`; false for values outside the years 1..9999 (and for NaN).
bool TryDecodeDate(TDateTime value, CivilDate& date);
// The time of day of `value`, rounded to the millisecond.
ClockTime DecodeTime(TDateTime value);
