#pragma once
// What the program takes from the user's locale and clock: the short date format and the local time.

#include "text/DateTime.h"
#include "text/ShortDate.h"
#include "text/TimeText.h"

// The short date format of the user's locale (the Russian format when the locale's pattern cannot be
// used).
ShortDateFormat UserShortDateFormat();

// The long time format of the user's locale, with its texts for the morning and the afternoon.
TimeFormat UserLongTimeFormat();

// The decimal separator of the user's locale.
char UserDecimalSeparator();
// The local date and time now.
TDateTime LocalNow();

// Tests fix the clock: the commands that stamp items with the current time are checked against a known
// moment. A value of 0 gives the real clock back.
void SetNowForTests(TDateTime now);
