#include "text/ShortDate.h"

#include "text/Errors.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Writes `value` in at least `digits` digits, zeros in front.
char* WritePadded(char* out, int value, int digits) {
    char buffer[8];
    int n = 0;
    do {
        buffer[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && n < 8);
    while (n < digits) {
        buffer[n++] = '0';
    }
    while (n > 0) {
        *out++ = buffer[--n];
    }
    return out;
}

void SkipSpaces(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
}

// Matches the literal, ignoring spaces on both sides; moves `pos` past it on success.
bool MatchLiteral(std::string_view text, std::size_t& pos, std::string_view literal) {
    std::size_t p = pos;
    for (char c : literal) {
        if (c == ' ') {
            continue;
        }
        SkipSpaces(text, p);
        if (p == text.size() || text[p] != c) {
            return false;
        }
        ++p;
    }
    SkipSpaces(text, p);
    pos = p;
    return true;
}

} // namespace

ShortDateFormat::ShortDateFormat(std::string_view pattern, int twoDigitYearMax)
    : pattern_(pattern), twoDigitYearMax_(twoDigitYearMax) {
    auto addLiteral = [this](char c) {
        if (elements_.empty() || elements_.back().kind != Kind::Literal) {
            elements_.push_back(Element{Kind::Literal, 0, {}});
        }
        elements_.back().text += c;
    };
    int seen[4] = {};
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {
            // Quoted text; two quotes in a row stand for one quote.
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == '\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                        addLiteral('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                addLiteral(pattern[i++]);
            }
            continue;
        }
        if (c != 'd' && c != 'M' && c != 'y' && c != 'g') {
            addLiteral(c);
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) {
            ++run;
        }
        i += run;
        Kind kind = c == 'd' ? Kind::Day : c == 'M' ? Kind::Month : Kind::Year;
        if (c == 'g' || (c != 'y' && run > 2)) {
            throw std::invalid_argument("short date pattern with names or eras: " + pattern_);
        }
        ++seen[static_cast<int>(kind)];
        elements_.push_back(Element{kind, static_cast<int>(run), {}});
    }
    if (seen[1] != 1 || seen[2] != 1 || seen[3] != 1) {
        throw std::invalid_argument("short date pattern without exactly one day, month and year: " +
                                    pattern_);
    }
    // A field written right before another one must have a fixed width, or the two run together.
    for (std::size_t n = 0; n + 1 < elements_.size(); ++n) {
        const bool packed = elements_[n].kind != Kind::Literal && elements_[n + 1].kind != Kind::Literal;
        if (packed && elements_[n].width < 2) {
            throw std::invalid_argument("short date pattern with fields of varying width side by side: " +
                                        pattern_);
        }
    }
    for (const Element& e : elements_) {
        maxLength_ += e.kind == Kind::Literal ? e.text.size() : e.kind == Kind::Year && e.width > 2 ? 4 : 2;
    }
    std::size_t length = 0;
    for (const Element& e : elements_) {
        if (e.kind == Kind::Literal) {
            if (e.text.find(' ') != std::string::npos) {
                return; // spaces are read leniently
            }
            for (char c : e.text) {
                fixedLiterals_.emplace_back(length++, c);
            }
            continue;
        }
        const std::size_t digits =
            e.kind == Kind::Year && e.width > 2 ? 4 : static_cast<std::size_t>(e.width);
        if (digits < 2) {
            return;
        }
        fixedFields_.push_back(FixedField{e.kind, length, digits});
        length += digits;
    }
    fixedLength_ = length;
    fixedTemplate_.assign(length, '0');
    for (const auto& [offset, c] : fixedLiterals_) {
        fixedTemplate_[offset] = c;
    }
}

ShortDateFormat ShortDateFormat::Russian() {
    return ShortDateFormat("dd.MM.yyyy");
}

ShortDateFormat ShortDateFormat::FromLocalePattern(std::string_view pattern) {
    try {
        return ShortDateFormat(pattern);
    } catch (const std::invalid_argument&) {
        return Russian();
    }
}

char* ShortDateFormat::WriteTo(char* out, TDateTime value) const {
    CivilDate date;
    if (!TryDecodeDate(value, date)) {
        char number[64];
        std::snprintf(number, sizeof number, "%g", value);
        throw InvalidDateError(number);
    }
    if (fixedLength_ != 0) {
        std::memcpy(out, fixedTemplate_.data(), fixedLength_);
        for (const FixedField& f : fixedFields_) {
            int number = f.kind == Kind::Day ? date.day : f.kind == Kind::Month ? date.month : date.year;
            for (std::size_t i = f.digits; i-- > 0;) {
                out[f.offset + i] = static_cast<char>('0' + number % 10);
                number /= 10;
            }
        }
        return out + fixedLength_;
    }
    for (const Element& e : elements_) {
        switch (e.kind) {
        case Kind::Literal: out = std::copy(e.text.begin(), e.text.end(), out); break;
        case Kind::Day: out = WritePadded(out, date.day, e.width); break;
        case Kind::Month: out = WritePadded(out, date.month, e.width); break;
        case Kind::Year:
            out = e.width <= 2 ? WritePadded(out, date.year % 100, e.width) : WritePadded(out, date.year, 4);
            break;
        }
    }
    return out;
}

void ShortDateFormat::AppendTo(std::string& out, TDateTime value) const {
    const std::size_t size = out.size();
    out.resize(size + maxLength_);
    char* end = WriteTo(out.data() + size, value);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string ShortDateFormat::Format(TDateTime value) const {
    std::string out;
    AppendTo(out, value);
    return out;
}

int ShortDateFormat::FullYear(int year, std::size_t digits) const {
    if (digits > 2) {
        return year;
    }
    year += twoDigitYearMax_ / 100 * 100;
    return year > twoDigitYearMax_ ? year - 100 : year;
}

bool ShortDateFormat::TryParseFixed(std::string_view text, TDateTime& value, bool& matched) const {
    matched = false;
    if (fixedLength_ == 0 || text.size() != fixedLength_) {
        return false;
    }
    for (const auto& [offset, c] : fixedLiterals_) {
        if (text[offset] != c) {
            return false;
        }
    }
    int day = 0, month = 0, year = 0;
    for (const FixedField& f : fixedFields_) {
        int number = 0;
        for (std::size_t i = f.offset; i < f.offset + f.digits; ++i) {
            if (!IsDigit(text[i])) {
                return false;
            }
            number = number * 10 + (text[i] - '0');
        }
        switch (f.kind) {
        case Kind::Day: day = number; break;
        case Kind::Month: month = number; break;
        default: year = FullYear(number, f.digits); break;
        }
    }
    matched = true;
    return TryEncodeDate(year, month, day, value);
}

bool ShortDateFormat::TryParse(std::string_view text, TDateTime& value) const {
    // Texts as this format writes them take the short way.
    bool matched = false;
    const bool parsed = TryParseFixed(text, value, matched);
    if (matched) {
        return parsed;
    }
    int day = 0, month = 0, year = 0;
    std::size_t pos = 0;
    SkipSpaces(text, pos);
    for (std::size_t n = 0; n < elements_.size(); ++n) {
        const Element& e = elements_[n];
        if (e.kind == Kind::Literal) {
            if (!MatchLiteral(text, pos, e.text)) {
                // A text that ends the pattern, such as the final full stop of "yyyy.MM.dd.", may be missing.
                SkipSpaces(text, pos);
                if (n + 1 == elements_.size() && pos == text.size()) {
                    break;
                }
                return false;
            }
            continue;
        }
        // A field followed directly by another field ("yyyyMMdd") has exactly the width of the pattern.
        const bool packed = n + 1 < elements_.size() && elements_[n + 1].kind != Kind::Literal;
        std::size_t most = e.kind == Kind::Year ? 4 : 2;
        if (packed && e.kind == Kind::Year && e.width == 2) {
            most = 2;
        }
        std::size_t digits = 0;
        int number = 0;
        while (digits < most && pos < text.size() && IsDigit(text[pos])) {
            number = number * 10 + (text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || (packed && digits != most)) {
            return false;
        }
        switch (e.kind) {
        case Kind::Day: day = number; break;
        case Kind::Month: month = number; break;
        default: year = FullYear(number, digits); break;
        }
    }
    SkipSpaces(text, pos);
    return pos == text.size() && TryEncodeDate(year, month, day, value);
}

TDateTime ShortDateFormat::Parse(std::string_view text) const {
    TDateTime value = 0;
    if (!TryParse(text, value)) {
        throw InvalidDateError(text);
    }
    return value;
}
