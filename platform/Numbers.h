#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Number texts of the runtime, independent of the process locale: the decimal separator is
// always ".".

std::string IntToStr(std::int64_t value);

// The general real text: the shortest form with up to 15 significant digits; integral values
// carry no point. Fixed notation while the value is at least 1E-5 and has at most 15 integral
// digits, otherwise exponent notation without '+' or leading zeros ("1E20", "1.5E-7").
// Not-a-number and infinities give "NAN", "INF" and "-INF".
std::string FloatToStr(double value);
// The same general text with `precision` significant digits (1 to 15): fixed notation while the
// value has at most `precision` integral digits, so 3 digits show 375 as "375", 0.7 as "0.7" and
// 1500 as "1.5E3".
std::string FloatToStrG(double value, int precision);

// Decimal integers with an optional sign; blanks around the number are ignored. Anything else,
// or a value outside the 32-bit range, throws InOutError "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

// Decimal reals with "." as the separator and an optional exponent; blanks around the number
// are ignored. Anything else, or a value beyond the double range, throws InOutError
// "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);

// A real an operator typed into an edit: as StrToFloat, except that "," serves as the decimal
// point as well as ".", as the station's users write decimals ("10,5"). The error names the text
// as typed. Texts the program writes keep "."; files are read by their own rules.
double TypedStrToFloat(std::string_view text);

// Nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
// Not-a-number, infinities and results outside int64 throw InOutError
// "Invalid floating point operation" instead of converting undefined values.
std::int64_t Round(double value);

// Integer part toward zero; refuses the same values as Round with the same error.
std::int64_t Trunc(double value);

// Decimal digits grouped by three with one blank between groups: 1234567 -> "1 234 567",
// -1 -> "-1".
std::string FormatThousands(std::int64_t value);

} // namespace platform
