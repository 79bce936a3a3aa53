#include "qt/NumberPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using qtfront::FormatByPattern;

TEST(NumberPattern, DigitPlacesGroupingDecimalsAndUnitText) {
  struct Case {
    double value;
    const char* pattern;
    const char* shown;
  };
  const Case cases[] = {
      // Integer digits grouped by the blank; the unit stands as written.
      {1234.5, "# ##0.###### мВ", "1 234.5 мВ"},
      {1234567, "# ##0.######", "1 234 567"},
      {123, "# ##0.######", "123"},
      {-20000, "# ##0.###### Гц", "-20 000 Гц"},
      {1000, "# ##0.######мс", "1 000мс"},
      {-12345.25, "#,##0.### дБ", "-12 345.25 дБ"},
      // At least one integer digit, up to six decimals, rounded half away from zero.
      {0, "# ##0.######", "0"},
      {0.25, "# ##0.######°", "0.25°"},
      {0.1234567, "# ##0.######с", "0.123457с"},
      {2.0000004, "# ##0.######", "2"},
      {1e-7, "# ##0.######", "0"},
      {-1e-9, "# ##0.######", "0"},  // rounded to zero: no sign
      {-0.5, "# ##0.###### В", "-0.5 В"},
      // "0" places are always shown.
      {3, "0.0", "3.0"},
      {3.14159, "0.00", "3.14"},
      {7, "000", "007"},
      {0.5, "#.##", ".5"},
      {2.5, "0", "3"},
      // Unit texts with digits and symbols.
      {1.5, "# ##0.###### g^2/Hz", "1.5 g^2/Hz"},
      {12, "# ##0.###### Н*м", "12 Н*м"},
      {std::numeric_limits<double>::infinity(), "0 мВ", "INF мВ"},
      {std::nan(""), "0", "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatByPattern(c.value, c.pattern), c.shown) << c.pattern;
}

TEST(NumberPattern, HugeValuesDoNotOverflow) {
  const std::string huge = FormatByPattern(1e300, "# ##0.######");
  EXPECT_EQ(huge.substr(0, 4), "1 00");
  EXPECT_EQ(huge.size(), 301u + 100u);
}
