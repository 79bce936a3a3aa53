#include "qt/NumberPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using qtfront::FormatByPattern;

TEST(NumberPattern, GroupsIntegerDigitsByTheBlankAndKeepsTheUnit) {
  EXPECT_EQ(FormatByPattern(1234.5, "# ##0.###### мВ"), "1 234.5 мВ");
  EXPECT_EQ(FormatByPattern(1234567, "# ##0.######"), "1 234 567");
  EXPECT_EQ(FormatByPattern(123, "# ##0.######"), "123");
  EXPECT_EQ(FormatByPattern(-20000, "# ##0.###### Гц"), "-20 000 Гц");
  EXPECT_EQ(FormatByPattern(1000, "# ##0.######мс"), "1 000мс");
  EXPECT_EQ(FormatByPattern(-12345.25, "#,##0.### дБ"), "-12 345.25 дБ");
}

TEST(NumberPattern, ShowsAtLeastOneIntegerDigitAndUpToSixDecimals) {
  EXPECT_EQ(FormatByPattern(0, "# ##0.######"), "0");
  EXPECT_EQ(FormatByPattern(0.25, "# ##0.######°"), "0.25°");
  EXPECT_EQ(FormatByPattern(0.1234567, "# ##0.######с"), "0.123457с");
  EXPECT_EQ(FormatByPattern(2.0000004, "# ##0.######"), "2");
  EXPECT_EQ(FormatByPattern(1e-7, "# ##0.######"), "0");
}

TEST(NumberPattern, NegativeValuesRoundingToZeroLoseTheirSign) {
  EXPECT_EQ(FormatByPattern(-1e-9, "# ##0.######"), "0");
  EXPECT_EQ(FormatByPattern(-0.5, "# ##0.###### В"), "-0.5 В");
}

TEST(NumberPattern, ZeroPlacesAreAlwaysShown) {
  EXPECT_EQ(FormatByPattern(3, "0.0"), "3.0");
  EXPECT_EQ(FormatByPattern(3.14159, "0.00"), "3.14");
  EXPECT_EQ(FormatByPattern(7, "000"), "007");
  EXPECT_EQ(FormatByPattern(0.5, "#.##"), ".5");
  EXPECT_EQ(FormatByPattern(2.5, "0"), "3");
}

TEST(NumberPattern, UnitTextWithDigitsAndSymbolsStandsAsWritten) {
  EXPECT_EQ(FormatByPattern(1.5, "# ##0.###### g^2/Hz"), "1.5 g^2/Hz");
  EXPECT_EQ(FormatByPattern(12, "# ##0.###### Н*м"), "12 Н*м");
}

TEST(NumberPattern, HugeAndNonFiniteValuesDoNotOverflow) {
  const std::string huge = FormatByPattern(1e300, "# ##0.######");
  EXPECT_EQ(huge.substr(0, 4), "1 00");
  EXPECT_EQ(huge.size(), 301u + 100u);
  EXPECT_EQ(FormatByPattern(std::numeric_limits<double>::infinity(), "0 мВ"), "INF мВ");
  EXPECT_EQ(FormatByPattern(std::nan(""), "0"), "NAN");
}
