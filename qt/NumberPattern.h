#pragma once

#include <string>
#include <string_view>

namespace qtfront {

// The chart's value formats are number patterns: "#" and "0" are digit places ("0" always shown),
// "." is the decimal point, a blank (or ",") between integer digit places groups the digits with
// blanks, and any text before or after the digits stands as written ("# ##0.###### мВ" shows
// 1234.5 as "1 234.5 мВ").
// Locale never enters: the decimal point is always ".".
std::string FormatByPattern(double value, std::string_view pattern);

}  // namespace qtfront
