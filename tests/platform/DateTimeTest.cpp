#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "TextFileTemp.h"

using namespace platform;

TEST(DateTime, DaySerialsCountFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(1970, 1, 1), 25569);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 30, 0, 0), 0.5 + 30.0 / 1440);
}

TEST(DateTime, EncodeRefusesImpossibleDatesAndTimes) {
    for (const auto& [y, m, d] : {std::array{2001, 2, 29}, std::array{1900, 2, 29}, std::array{2024, 13, 1},
                                  std::array{0, 1, 1}, std::array{2024, 4, 31}})
        EXPECT_EQ(MessageOf([&] { EncodeDate(y, m, d); }), "Invalid argument to date encode") << y << m << d;
    EXPECT_EQ(MessageOf([] { EncodeTime(24, 0, 0, 0); }), "Invalid argument to time encode");
    EXPECT_EQ(MessageOf([] { EncodeTime(0, 0, 60, 0); }), "Invalid argument to time encode");
    EXPECT_EQ(MessageOf([] { EncodeTime(0, 0, 0, 1000); }), "Invalid argument to time encode");
}

TEST(DateTime, ValuesBefore1900KeepTheTimeAsAForwardFraction) {
    EXPECT_EQ(DateTimeToStr(-1.25), "29.12.1899 06:00:00");
    EXPECT_DOUBLE_EQ(StrToDateTime("29.12.1899 06:00:00"), -1.25);
    EXPECT_EQ(DateTimeToStr(-1), "29.12.1899");
    EXPECT_EQ(DateTimeToStr(EncodeDate(1, 1, 1)), "01.01.0001");
}

TEST(DateTimeToStr, LeavesOutTheTimeOnlyAtMidnight) {
    EXPECT_EQ(DateTimeToStr(0), "30.12.1899");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7)), "07.03.2024");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7) + EncodeTime(9, 4, 5, 0)),
              "07.03.2024 09:04:05");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7) + EncodeTime(0, 0, 1, 0)),
              "07.03.2024 00:00:01");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7) + EncodeTime(23, 59, 59, 999)).size(), 19u);
}

TEST(DateTimeToStr, ATimeRoundingUpToMidnightMovesToTheNextDay) {
    const DateTime almost = EncodeDate(2024, 2, 28) + 1 - 1e-10;
    EXPECT_EQ(DateTimeToStr(almost), "29.02.2024");
    int y, mo, d, h, mi, s, ms;
    DecodeDate(almost, y, mo, d);
    DecodeTime(almost, h, mi, s, ms);
    EXPECT_EQ((std::array{y, mo, d, h, mi, s, ms}), (std::array{2024, 2, 29, 0, 0, 0, 0}));
    EXPECT_EQ(DateTimeToStr(EncodeDate(9999, 12, 31) + 1 - 1e-9), "31.12.9999 23:59:59");
}

TEST(DateTimeToStr, RefusesValuesOutsideTheCalendar) {
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 2958466.0, -693594.0, 1e300})
        EXPECT_EQ(MessageOf([&] { DateTimeToStr(bad); }), "Invalid floating point operation")
            << bad;
}

TEST(StrToDateTime, ReadsWhatDateTimeToStrWritesAndShortFieldsWithBlanks) {
    for (DateTime v : {0.0, 45358.0, 45358.0 + EncodeTime(9, 4, 5, 0), -1.25,
                       EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 0)}) {
        const std::string text = DateTimeToStr(v);
        EXPECT_DOUBLE_EQ(StrToDateTime(text), v) << text;
    }
    const DateTime expected = EncodeDate(2024, 3, 7) + EncodeTime(9, 4, 0, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime("    07.03.2024 09:04:00"), expected);
    EXPECT_DOUBLE_EQ(StrToDateTime("7.3.2024 9:04"), expected);
    EXPECT_DOUBLE_EQ(StrToDateTime("7.3.2024  9:04:00  "), expected);
    EXPECT_DOUBLE_EQ(StrToDateTime("30.12.1899 "), 0);
}

TEST(StrToDateTime, RejectsMalformedTextWithTheRuntimeMessage) {
    for (const char* bad : {"abc", "", "   ", "31.02.2024", "07.03.24", "07/03/2024", "07.03.2024 25:00",
                            "07.03.2024 10:60", "07.03.2024 10:00:61", "07.03.2024x",
                            "07.03.2024 10", "07.03.2024 10:00:00 x", "123.03.2024",
                            "07.03.20245"})
        EXPECT_EQ(MessageOf([&] { StrToDateTime(bad); }),
                  "'" + std::string(bad) + "' is not a valid date and time");
}

TEST(Now, ComesFromTheInstalledProvider) {
    SetNowProvider([] { return 45358.5; });
    EXPECT_EQ(Now(), 45358.5);
    SetNowProvider(nullptr);
    const DateTime real = Now();
    EXPECT_GT(real, EncodeDate(2020, 1, 1));
    EXPECT_LT(real, EncodeDate(9999, 1, 1));
}
