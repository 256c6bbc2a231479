#pragma once
// What the program takes from the user's locale and clock: the short date format and the local time.

#include "text/DateTime.h"
#include "text/ShortDate.h"
#include "text/TimeText.h"

#include <functional>

// The short date format of the user's locale (the Russian format when the locale's pattern cannot be
// used).
ShortDateFormat UserShortDateFormat();

// The long time format of the user's locale, with its texts for the morning and the afternoon.
TimeFormat UserLongTimeFormat();

// The decimal separator of the user's locale.
char UserDecimalSeparator();
// The local date and time now.
TDateTime LocalNow();

// Where a window takes the current moment from: LocalNow, or a clock of the caller's choosing.
using NowClock = std::function<TDateTime()>;
