#pragma once
// Date text in the user's short date format. The pattern comes from the caller (on Windows from the
// user locale): "dd.MM.yyyy" for Russian, also "d.M.yyyy", "M/d/yyyy", "yyyy-MM-dd", "dd/MM/yy" and the like.
//
// Pattern letters: d, dd (day), M, MM (month), y, yy (year within the century), yyy and longer (full
// year, at least four digits); text in single quotes and any other character is written as it stands.
// Day and month names and eras are not supported.

#include "text/DateTime.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ShortDateFormat {
  public:
    // Raises std::invalid_argument when the pattern lacks a day, month or year, repeats one, or uses
    // names or eras. Two-digit years read as the year of [twoDigitYearMax - 99, twoDigitYearMax].
    explicit ShortDateFormat(std::string_view pattern, int twoDigitYearMax = 2049);

    // The format of a Russian locale, "dd.MM.yyyy".
    static ShortDateFormat Russian();
    // The pattern when it can be used, the Russian format otherwise.
    static ShortDateFormat FromLocalePattern(std::string_view pattern);

    const std::string& Pattern() const { return pattern_; }

    // The date part of `value`; raises ConvertError for a value outside the years 1..9999.
    std::string Format(TDateTime value) const;
    void AppendTo(std::string& out, TDateTime value) const;
    // Writes the text at `out`, which has room for MaxLength() bytes; gives the end of the text.
    char* WriteTo(char* out, TDateTime value) const;
    std::size_t MaxLength() const { return maxLength_; }

    // Reads a date written in this format: surrounding spaces are ignored, a day or month may have one or
    // two digits, the year one to four (one or two digits go through the two-digit year rule), and a
    // text that ends the pattern may be left out. Gives the day at midnight.
    bool TryParse(std::string_view text, TDateTime& value) const;
    // As TryParse, raising ConvertError "'<text>' is not a valid date" on failure.
    TDateTime Parse(std::string_view text) const;

  private:
    enum class Kind { Literal, Day, Month, Year };
    struct Element {
        Kind kind;
        int width = 0;    // number of pattern letters
        std::string text; // for a literal
    };

    // The text written for this pattern has the same length for every date when the day and month have
    // two digits and the year two or four: then reading a text of that length needs no search.
    struct FixedField {
        Kind kind;
        std::size_t offset;
        std::size_t digits;
    };
    bool TryParseFixed(std::string_view text, TDateTime& value, bool& matched) const;
    int FullYear(int year, std::size_t digits) const;

    std::string pattern_;
    int twoDigitYearMax_;
    std::vector<Element> elements_;
    std::size_t maxLength_ = 0;
    std::size_t fixedLength_ = 0; // 0 when the length varies
    std::vector<FixedField> fixedFields_;
    std::vector<std::pair<std::size_t, char>> fixedLiterals_;
    std::string fixedTemplate_; // the literals in place, zeros for the digits
};
