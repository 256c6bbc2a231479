// Letter case, integer text, dates and short-date text.
#include "text/DateTime.h"
#include "text/Errors.h"
#include "text/IntText.h"
#include "text/Letters.h"
#include "text/ShortDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

TDateTime Day(int year, int month, int day) {
    TDateTime value = 0;
    EXPECT_TRUE(TryEncodeDate(year, month, day, value)) << year << "-" << month << "-" << day;
    return value;
}

template <typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

} // namespace

TEST(LetterCase, MapsLatinCyrillicAndTheOtherLettersOfThePageBothWays) {
    const std::string small = "abcdefghijklmnopqrstuvwxyzабвгдеёжзийклмнопрстуфхцчшщъыьэюяђѓљњќћџўјґєїіѕ";
    const std::string capital = "ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЂЃЉЊЌЋЏЎЈҐЄЇІЅ";
    EXPECT_EQ(UpperCase(small), capital);
    EXPECT_EQ(LowerCase(capital), small);
    EXPECT_EQ(UpperCase(capital), capital);
    EXPECT_EQ(LowerCase(small), small);
}

TEST(LetterCase, LeavesEveryOtherByteAlone) {
    const std::string others = "0123456789 .,;:!?-_*@#№«»§©®°±µ¶·…‘’“”–—€‚„†‡‰‹›™";
    EXPECT_EQ(UpperCase(others), others);
    EXPECT_EQ(LowerCase(others), others);
    // Every byte is either left alone or one of a capital/small pair that maps back.
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (UpperCase(c) != c) {
            ++changed;
            EXPECT_EQ(LowerCase(UpperCase(c)), c) << "byte " << b;
            EXPECT_EQ(LowerCase(c), c) << "byte " << b;
        }
    }
    EXPECT_EQ(changed, 26 + 32 + 15);
}

TEST(LetterCase, SameTextIgnoresOnlyLetterCase) {
    EXPECT_TRUE(SameText("Книга", "кНИГА"));
    EXPECT_TRUE(SameText("Ёлка Її Іі Ўў", "ёЛКА їЇ іІ ўЎ"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_FALSE(SameText("Ёлка", "Елка"));
    EXPECT_FALSE(SameText("Книга", "Книга "));
    EXPECT_FALSE(SameText("I", "І")); // Latin and Cyrillic look alike but differ
}

TEST(IntegerText, WritesAndReadsPlainDecimalOnly) {
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("-0"), 0);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "+", " 1", "1 ", "1.0", "12a", "0x10", "$10", "--1", "2147483648",
                            "-2147483649", "99999999999999999999"}) {
        int32_t value = 0;
        EXPECT_FALSE(TryStrToInt(bad, value)) << bad;
    }
    EXPECT_EQ(MessageOf([] { StrToInt(""); }), "'' is not a valid integer value");
    EXPECT_EQ(MessageOf([] { StrToInt("***"); }), "'***' is not a valid integer value");
    EXPECT_THROW(StrToInt("2147483648"), ConvertError);
}

TEST(IntegerText, RangedFieldBringsNumbersToTheNearerBoundAndReadsOtherTextAsTheLowest) {
    EXPECT_EQ(RangedInt("+12", 1, 1000), 12);
    EXPECT_EQ(RangedInt("5000", 1, 1000), 1000);
    EXPECT_EQ(RangedInt("0", 1, 1000), 1);
    EXPECT_EQ(RangedInt("99999999999", 1, 1000), 1000);
    EXPECT_EQ(RangedInt("-99999999999", 1, 1000), 1);
    for (const char* other : {"", "-", "+", "1,5", "1.5", "+-3", "12a"}) {
        EXPECT_EQ(RangedInt(other, 1, 1000), 1) << other;
    }
}

TEST(Dates, CountDaysFrom30December1899) {
    EXPECT_EQ(Day(1899, 12, 30), 0);
    EXPECT_EQ(Day(1900, 1, 1), 2);
    EXPECT_EQ(Day(2024, 3, 15), 45366);
    EXPECT_EQ(Day(1, 1, 1), -693593);
    EXPECT_EQ(Day(9999, 12, 31), 2958465);
    TDateTime value = 0;
    EXPECT_FALSE(TryEncodeDate(0, 12, 31, value));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, value));
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, value));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, value));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, value));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, value));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, value));
}

TEST(Dates, DecodeGivesBackEveryDayOfFourCenturies) {
    for (TDateTime day = Day(1700, 1, 1); day <= Day(2100, 12, 31); day += 1) {
        CivilDate date;
        ASSERT_TRUE(TryDecodeDate(day < 0 ? day - 0.75 : day + 0.75, date)); // 18:00 that day
        TDateTime again = 0;
        ASSERT_TRUE(TryEncodeDate(date.year, date.month, date.day, again));
        ASSERT_EQ(again, day);
    }
    CivilDate date;
    EXPECT_FALSE(TryDecodeDate(NAN, date));
    EXPECT_FALSE(TryDecodeDate(-693594, date));
    EXPECT_FALSE(TryDecodeDate(2958466, date));
}

TEST(Dates, TimeIsTheFractionAlsoBefore1900) {
    TDateTime value = 0;
    ASSERT_TRUE(TryEncodeDateTime({1899, 12, 29}, {6, 0, 0, 0}, value));
    EXPECT_DOUBLE_EQ(value, -1.25);
    CivilDate date;
    ASSERT_TRUE(TryDecodeDate(value, date));
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(DecodeTime(value).hour, 6);

    ASSERT_TRUE(TryEncodeDateTime({2024, 3, 15}, {23, 59, 59, 999}, value));
    const ClockTime t = DecodeTime(value);
    EXPECT_EQ(t.hour * 10000000 + t.minute * 100000 + t.second * 1000 + t.millisecond, 235959999);
    ASSERT_TRUE(TryDecodeDate(value, date));
    EXPECT_EQ(date.day, 15);
    EXPECT_FALSE(TryEncodeDateTime({2024, 3, 15}, {24, 0, 0, 0}, value));
}

TEST(ShortDate, RussianFormatWritesTheDatePartOnly) {
    const ShortDateFormat ru = ShortDateFormat::Russian();
    EXPECT_EQ(ru.Format(Day(2026, 12, 6) + 0.999), "06.12.2026");
    EXPECT_EQ(ru.Format(Day(1, 1, 1)), "01.01.0001");
    EXPECT_EQ(ru.Parse("06.12.2026"), Day(2026, 12, 6));
    EXPECT_THROW(ru.Format(1e7), ConvertError);
}

TEST(ShortDate, EachCommonPatternReadsBackWhatItWrote) {
    struct Case {
        const char* pattern;
        const char* written; // 6 March 2024
    };
    const Case cases[] = {
        {"dd.MM.yyyy", "06.03.2024"},
        {"d.M.yyyy", "6.3.2024"},
        {"M/d/yyyy", "3/6/2024"},
        {"yyyy-MM-dd", "2024-03-06"},
        {"dd/MM/yy", "06/03/24"},
        {"d. M. yyyy", "6. 3. 2024"},
        {"yyyy.MM.dd.", "2024.03.06."},
        {"yyyyMMdd", "20240306"},
        {"dd' de 'MM' de 'yyyy", "06 de 03 de 2024"},
        {"d-M-y", "6-3-24"},
    };
    for (const Case& c : cases) {
        const ShortDateFormat format(c.pattern);
        EXPECT_EQ(format.Format(Day(2024, 3, 6)), c.written) << c.pattern;
        const bool twoDigitYear = std::string(c.pattern).find("yyy") == std::string::npos;
        const TDateTime first = twoDigitYear ? Day(1950, 1, 1) : Day(1, 1, 1);
        const TDateTime last = twoDigitYear ? Day(2049, 12, 31) : Day(9999, 12, 31);
        for (TDateTime day = first; day <= last; day += twoDigitYear ? 13 : 331) {
            TDateTime read = 0;
            ASSERT_TRUE(format.TryParse(format.Format(day), read)) << c.pattern << " " << format.Format(day);
            ASSERT_EQ(read, day) << c.pattern << " " << format.Format(day);
        }
    }
}

TEST(ShortDate, ReadsLeniently) {
    const ShortDateFormat ru = ShortDateFormat::Russian();
    EXPECT_EQ(ru.Parse(" 6.3.2024 "), Day(2024, 3, 6));
    EXPECT_EQ(ru.Parse("06 . 03 . 2024"), Day(2024, 3, 6));
    EXPECT_EQ(ru.Parse("6.3.24"), Day(2024, 3, 6));
    EXPECT_EQ(ru.Parse("31.12.49"), Day(2049, 12, 31));
    EXPECT_EQ(ru.Parse("1.1.50"), Day(1950, 1, 1));
    EXPECT_EQ(ru.Parse("1.1.024"), Day(24, 1, 1)); // three digits are a year as it stands
    EXPECT_EQ(ShortDateFormat("dd/MM/yy").Parse("06/03/1924"), Day(1924, 3, 6));
    EXPECT_EQ(ShortDateFormat("yyyy.MM.dd.").Parse("2024.03.06"), Day(2024, 3, 6));
    EXPECT_EQ(ShortDateFormat("dd.MM.yy", 2029).Parse("01.01.30"), Day(1930, 1, 1));
}

TEST(ShortDate, RejectsWhatIsNotADateOfThePattern) {
    const ShortDateFormat ru = ShortDateFormat::Russian();
    for (const char* bad : {"", " ", "06.12", "06-12-2026", "32.01.2024", "29.02.2023", "00.01.2024",
                            "01.00.2024", "01.01.0000", "06.12.20261", "006.12.2026", "06.12.2026.",
                            "06.12.2026 12:00", "+6.12.2026", "06..12.2026", "2024-03-15"}) {
        TDateTime value = 0;
        EXPECT_FALSE(ru.TryParse(bad, value)) << bad;
    }
    EXPECT_EQ(MessageOf([&] { ru.Parse(""); }), "'' is not a valid date");
    EXPECT_EQ(MessageOf([&] { ru.Parse("2024-03-15"); }), "'2024-03-15' is not a valid date");
    TDateTime value = 0;
    EXPECT_FALSE(ShortDateFormat("yyyyMMdd").TryParse("202436", value));
}

TEST(ShortDate, AnotherLocaleOrderSwapsDayAndMonthOrFails) {
    const std::string written = ShortDateFormat::Russian().Format(Day(2024, 3, 6));
    EXPECT_EQ(ShortDateFormat("MM.dd.yyyy").Parse(written), Day(2024, 6, 3));
    const std::string late = ShortDateFormat::Russian().Format(Day(2024, 3, 13));
    EXPECT_THROW(ShortDateFormat("MM.dd.yyyy").Parse(late), ConvertError);
    EXPECT_THROW(ShortDateFormat("M/d/yyyy").Parse(written), ConvertError);
}

TEST(ShortDate, RefusesPatternsItCannotReadBack) {
    for (const char* bad :
         {"", "dd.MM", "dd.MM.yyyy dd", "dddd, d MMMM yyyy", "dd MMM yyyy", "gg yyyy-MM-dd", "dMyyyy"}) {
        EXPECT_THROW(ShortDateFormat{bad}, std::invalid_argument) << bad;
        EXPECT_EQ(ShortDateFormat::FromLocalePattern(bad).Pattern(), "dd.MM.yyyy") << bad;
    }
    EXPECT_EQ(ShortDateFormat::FromLocalePattern("d/M/yyyy").Pattern(), "d/M/yyyy");
}
