#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "TextFileTemp.h"

using namespace platform;

TEST(FloatToStr, ShortestFifteenDigitFormFixedOrWithExponent) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {25, "25"}, {-1000, "-1000"},
        {1e14, "100000000000000"}, {999999999999999, "999999999999999"},
        {806.3, "806.3"}, {-0.125, "-0.125"}, {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {0.00001, "0.00001"}, {123456.789012345678, "123456.789012346"},
        {1e20, "1E20"}, {1e15, "1E15"}, {1.5e-7, "1.5E-7"}, {-2.25e-6, "-2.25E-6"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        // Rounding to 15 digits carries into the next decade and must switch the form with it.
        {9.9999999999999999e14, "1E15"},
        {std::nan(""), "NAN"}, {HUGE_VAL, "INF"}, {-HUGE_VAL, "-INF"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FloatToStr(value), text) << text;
}

TEST(StrToInt, AcceptsSignsAndSurroundingBlanksAndRejectsTheRestWithTheRuntimeMessage) {
    EXPECT_EQ(StrToInt("  -7 "), -7);
    EXPECT_EQ(StrToInt("+3"), 3);
    EXPECT_EQ(StrToInt("\t2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"abc", "", "   ", "1 2", "10.0", "3x", "+-5", "--5", "-", "2147483648", "1e3"})
        EXPECT_EQ(MessageOf([&] { StrToInt(bad); }), "'" + std::string(bad) + "' is not a valid integer value");
}

TEST(StrToFloat, AcceptsDecimalAndExponentFormsAndRejectsTheRestWithTheRuntimeMessage) {
    EXPECT_DOUBLE_EQ(StrToFloat("2.50"), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" 1e3 "), 1000);
    EXPECT_DOUBLE_EQ(StrToFloat("-1.5E-7"), -1.5e-7);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("7."), 7);
    for (const char* bad : {"abc", "", "2,5", "inf", "nan", "--1", "-+1", ".", "1e", "1e400", "0x10"})
        EXPECT_EQ(MessageOf([&] { StrToFloat(bad); }),
                  "'" + std::string(bad) + "' is not a valid floating point value");
    for (double v : {806.3, -0.125, 1.0 / 3, 1e20, 1.5e-7, 123456.789012345})
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(v))), FloatToStr(v)) << "reads back what FloatToStr writes";
}

TEST(TypedStrToFloat, TakesACommaAsTheDecimalPointAndNamesTheTypedTextWhenItRefuses) {
    EXPECT_DOUBLE_EQ(TypedStrToFloat("10,5"), 10.5);
    EXPECT_DOUBLE_EQ(TypedStrToFloat(" -2,5E-3 "), -2.5e-3);
    EXPECT_DOUBLE_EQ(TypedStrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(TypedStrToFloat("806.3"), 806.3) << "the point as before";
    for (const char* bad : {"1,2,3", "1,2.3", ",", "", "abc", "inf", "1e400"})
        EXPECT_EQ(MessageOf([&] { TypedStrToFloat(bad); }),
                  "'" + std::string(bad) + "' is not a valid floating point value");
}

TEST(RoundAndTrunc, HalvesGoToTheEvenNeighbourAndTruncCutsTowardZero) {
    const std::pair<double, std::int64_t> rounded[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999999999999996, 2}, {-0.6, -1},
        {4503599627370497.0, 4503599627370497}, {9223372036854774784.0, 9223372036854774784}};
    for (const auto& [value, expected] : rounded) EXPECT_EQ(Round(value), expected) << value;
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

TEST(RoundAndTrunc, RefuseValuesWithoutAnInt64Result) {
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9223372036854775808.0, -1e19, 1e300}) {
        EXPECT_EQ(MessageOf([&] { Round(bad); }), "Invalid floating point operation") << bad;
        EXPECT_EQ(MessageOf([&] { Trunc(bad); }), "Invalid floating point operation") << bad;
    }
}

TEST(FormatThousands, GroupsDigitsByThree) {
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1 000");
    EXPECT_EQ(FormatThousands(1234567), "1 234 567");
    EXPECT_EQ(FormatThousands(-123456), "-123 456");
    EXPECT_EQ(FormatThousands(std::numeric_limits<std::int64_t>::min()), "-9 223 372 036 854 775 808");
}
