#include "platform/Numbers.h"

#include "platform/InOutError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace platform {
namespace {

constexpr int kGeneralDigits = 15;
constexpr int kLowestFixedExponent = -5;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Splits a value into its significant digits (trailing zeros dropped) and the decimal exponent
// of the first digit, rounded to `precision` digits.
void SignificantDigits(double magnitude, int precision, std::string& digits, int& exponent) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, precision - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e))
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
}

[[noreturn]] void ThrowInvalidOperation() {
    throw InOutError("Invalid floating point operation");
}

// 2^63 is exactly representable; every double below it in magnitude fits in int64.
constexpr double kInt64Limit = 9223372036854775808.0;

std::int64_t ToInt64Checked(double integral) {
    if (!(integral >= -kInt64Limit && integral < kInt64Limit)) ThrowInvalidOperation();
    return static_cast<std::int64_t>(integral);
}

// A decimal real with "." as the separator; `shown` is the text an error names.
double ConvertFloat(std::string_view text, std::string_view shown) {
    std::string_view number = TrimBlanks(text);
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '+' || negative)) number.remove_prefix(1);
    // from_chars would also take "inf", "nan" and a second sign; the runtime takes digits only.
    const bool startsWithDigit =
        !number.empty() && ((number.front() >= '0' && number.front() <= '9') ||
                            (number.front() == '.' && number.size() > 1 && number[1] >= '0' &&
                             number[1] <= '9'));
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (!startsWithDigit || result.ec != std::errc() ||
        result.ptr != number.data() + number.size())
        throw InOutError("'" + std::string(shown) + "' is not a valid floating point value");
    return negative ? -value : value;
}

} // namespace

std::string IntToStr(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FloatToStr(double value) { return FloatToStrG(value, kGeneralDigits); }

std::string FloatToStrG(double value, int precision) {
    precision = std::clamp(precision, 1, kGeneralDigits);
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    std::string digits;
    int exponent = 0;
    SignificantDigits(std::fabs(value), precision, digits, exponent);
    const int count = static_cast<int>(digits.size());

    std::string out = value < 0 ? "-" : "";
    if (exponent >= precision || exponent < kLowestFixedExponent) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += IntToStr(exponent);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else if (count <= exponent + 1) {
        out += digits;
        out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(exponent + 1));
        out += '.';
        out.append(digits, static_cast<std::size_t>(exponent + 1));
    }
    return out;
}

int StrToInt(std::string_view text) {
    std::string_view number = TrimBlanks(text);
    if (number.size() > 1 && number.front() == '+' && number[1] != '-') number.remove_prefix(1);
    int value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || result.ec != std::errc() || result.ptr != number.data() + number.size())
        throw InOutError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

double StrToFloat(std::string_view text) { return ConvertFloat(text, text); }

double TypedStrToFloat(std::string_view text) {
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    return ConvertFloat(number, text);
}

std::int64_t Round(double value) {
    if (!std::isfinite(value)) ThrowInvalidOperation();
    const double whole = std::trunc(value);
    const double rest = value - whole;  // exact: both lie within one binade step of each other
    double rounded = whole;
    if (std::fabs(rest) > 0.5 || (std::fabs(rest) == 0.5 && std::fmod(whole, 2.0) != 0))
        rounded += value < 0 ? -1.0 : 1.0;
    return ToInt64Checked(rounded);
}

std::int64_t Trunc(double value) {
    if (!std::isfinite(value)) ThrowInvalidOperation();
    return ToInt64Checked(std::trunc(value));
}

std::string FormatThousands(std::int64_t value) {
    const std::string digits = IntToStr(value);
    const std::size_t sign = value < 0 ? 1 : 0;
    std::string out = digits.substr(0, sign);
    const std::size_t count = digits.size() - sign;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += ' ';
        out += digits[sign + i];
    }
    return out;
}

} // namespace platform
