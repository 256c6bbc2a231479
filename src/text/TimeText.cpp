#include "text/TimeText.h"

#include <utility>

TimeFormat::TimeFormat(std::string_view pattern, std::string am, std::string pm)
    : pattern_(pattern), am_(std::move(am)), pm_(std::move(pm)) {}

TimeFormat TimeFormat::Russian() {
    return TimeFormat("H:mm:ss");
}

std::string TimeFormat::Format(TDateTime value) const {
    const ClockTime time = DecodeTime(value);
    std::string out;
    auto number = [&out](int n, std::size_t width) {
        if (width > 1 && n < 10) {
            out += '0';
        }
        out += std::to_string(n);
    };
    for (std::size_t i = 0; i < pattern_.size();) {
        const char c = pattern_[i];
        if (c == '\'') {
            // Quoted text; two quotes in a row stand for one quote.
            ++i;
            while (i < pattern_.size()) {
                if (pattern_[i] == '\'') {
                    if (i + 1 < pattern_.size() && pattern_[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += pattern_[i++];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern_.size() && pattern_[i + run] == c) {
            ++run;
        }
        switch (c) {
        case 'h': number(time.hour % 12 == 0 ? 12 : time.hour % 12, run); break;
        case 'H': number(time.hour, run); break;
        case 'm': number(time.minute, run); break;
        case 's': number(time.second, run); break;
        case 't': {
            const std::string& marker = time.hour < 12 ? am_ : pm_;
            out += run == 1 ? marker.substr(0, 1) : marker;
            break;
        }
        default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

std::string DateTimeText(TDateTime value, const ShortDateFormat& dates, const TimeFormat& times) {
    CivilDate date;
    if (!TryDecodeDate(value, date)) {
        return {};
    }
    std::string text = dates.Format(value);
    const ClockTime time = DecodeTime(value);
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        text += ' ';
        text += times.Format(value);
    }
    return text;
}
