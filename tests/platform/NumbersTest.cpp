#include "platform/Numbers.h"

#include "platform/InOutError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

namespace {

std::string ErrorOf(auto&& action) {
    try {
        action();
    } catch (const InOutError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(FloatToStr, IntegralValuesCarryNoPoint) {
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(25), "25");
    EXPECT_EQ(FloatToStr(-1000), "-1000");
    EXPECT_EQ(FloatToStr(1e14), "100000000000000");
    EXPECT_EQ(FloatToStr(999999999999999), "999999999999999");
}

TEST(FloatToStr, FractionsUseShortestFifteenDigitForm) {
    EXPECT_EQ(FloatToStr(806.3), "806.3");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(-0.125), "-0.125");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(123456.789012345678), "123456.789012346");
}

TEST(FloatToStr, ExponentFormOutsideTheFixedRange) {
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(-2.25e-6), "-2.25E-6");
    EXPECT_EQ(FloatToStr(1.7976931348623157e308), "1.79769313486232E308");
    // Rounding to 15 digits carries into the next decade and must switch the form with it.
    EXPECT_EQ(FloatToStr(9.9999999999999999e14), "1E15");
}

TEST(FloatToStr, NonFiniteValuesHaveNames) {
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStr(HUGE_VAL), "INF");
    EXPECT_EQ(FloatToStr(-HUGE_VAL), "-INF");
}

TEST(StrToInt, AcceptsSignsAndSurroundingBlanks) {
    EXPECT_EQ(StrToInt("12"), 12);
    EXPECT_EQ(StrToInt("  -7 "), -7);
    EXPECT_EQ(StrToInt("+3"), 3);
    EXPECT_EQ(StrToInt("\t2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElseWithTheRuntimeMessage) {
    EXPECT_EQ(ErrorOf([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] { StrToInt(""); }), "'' is not a valid integer value");
    for (const char* bad : {"   ", "1 2", "10.0", "3x", "+-5", "--5", "-", "2147483648", "1e3"})
        EXPECT_EQ(ErrorOf([&] { StrToInt(bad); }),
                  "'" + std::string(bad) + "' is not a valid integer value");
}

TEST(StrToFloat, AcceptsDecimalAndExponentForms) {
    EXPECT_DOUBLE_EQ(StrToFloat("2.50"), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" 1e3 "), 1000);
    EXPECT_DOUBLE_EQ(StrToFloat("-1.5E-7"), -1.5e-7);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("7."), 7);
    EXPECT_DOUBLE_EQ(StrToFloat("20"), 20);
}

TEST(StrToFloat, RejectsEverythingElseWithTheRuntimeMessage) {
    EXPECT_EQ(ErrorOf([] { StrToFloat("abc"); }), "'abc' is not a valid floating point value");
    for (const char* bad : {"", "2,5", "inf", "nan", "--1", "-+1", ".", "1e", "1e400", "0x10"})
        EXPECT_EQ(ErrorOf([&] { StrToFloat(bad); }),
                  "'" + std::string(bad) + "' is not a valid floating point value");
}

TEST(StrToFloat, ReadsBackWhatFloatToStrWrites) {
    for (double v : {806.3, -0.125, 1.0 / 3, 1e20, 1.5e-7, 123456.789012345})
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(v))), FloatToStr(v));
}

TEST(Round, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(2.4999999999999996), 2);
    EXPECT_EQ(Round(-0.6), -1);
    EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);
}

TEST(Trunc, CutsTowardZero) {
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(-0.0), 0);
    EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

TEST(RoundAndTrunc, RefuseValuesWithoutAnInt64Result) {
    const std::string message = "Invalid floating point operation";
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9223372036854775808.0, -1e19, 1e300}) {
        EXPECT_EQ(ErrorOf([&] { Round(bad); }), message) << bad;
        EXPECT_EQ(ErrorOf([&] { Trunc(bad); }), message) << bad;
    }
    EXPECT_EQ(Round(9223372036854774784.0), 9223372036854774784);
}

TEST(FormatThousands, GroupsDigitsByThree) {
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1 000");
    EXPECT_EQ(FormatThousands(1234567), "1 234 567");
    EXPECT_EQ(FormatThousands(-1), "-1");
    EXPECT_EQ(FormatThousands(-123456), "-123 456");
    EXPECT_EQ(FormatThousands(std::numeric_limits<std::int64_t>::min()),
              "-9 223 372 036 854 775 808");
}
