#pragma once
// Time of day text in the user's long time format. The pattern comes from the caller (on Windows from
// the user locale): "H:mm:ss" or "HH:mm:ss" for Russian, "h:mm:ss tt" for English and the like.
//
// Pattern letters: h, hh (hour 1..12), H, HH (hour 0..23), m, mm (minute), s, ss (second), t (first
// character of the AM or PM text), tt (the whole of it); a doubled letter writes two digits. Text in
// single quotes and any other character is written as it stands.

#include "text/DateTime.h"
#include "text/ShortDate.h"

#include <string>
#include <string_view>

class TimeFormat {
  public:
    explicit TimeFormat(std::string_view pattern, std::string am = "AM", std::string pm = "PM");

    // The format of a Russian locale, "H:mm:ss".
    static TimeFormat Russian();

    // The time of day of `value`, to the second.
    std::string Format(TDateTime value) const;

  private:
    std::string pattern_;
    std::string am_;
    std::string pm_;
};

// A moment as a date and a time: the short date, a space and the long time; the date alone when the
// clock reads 0:00:00. A value outside the years 1..9999 gives an empty text.
std::string DateTimeText(TDateTime value, const ShortDateFormat& dates, const TimeFormat& times);
