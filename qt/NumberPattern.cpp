#include "qt/NumberPattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace qtfront {
namespace {

bool IsDigitPlace(char c) { return c == '#' || c == '0'; }

struct Pattern {
  std::string_view prefix;
  std::string_view suffix;
  int minIntegerDigits = 0;  // digit places from the first "0" to the decimal point
  int groupSize = 0;  // 0: no grouping
  int maxFractionDigits = 0;
  int minFractionDigits = 0;  // digit places up to the last "0" after the point
};

Pattern Parse(std::string_view text) {
  Pattern p;
  size_t i = 0;
  while (i < text.size() && !IsDigitPlace(text[i]) && text[i] != '.') ++i;
  p.prefix = text.substr(0, i);

  int placesSinceSeparator = 0;
  bool sawZero = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigitPlace(c)) {
      if (c == '0') sawZero = true;
      if (sawZero) ++p.minIntegerDigits;
      ++placesSinceSeparator;
    } else if ((c == ' ' || c == ',') && i + 1 < text.size() && IsDigitPlace(text[i + 1])) {
      placesSinceSeparator = 0;
      p.groupSize = -1;  // settled once the integer part ends
    } else {
      break;
    }
  }
  if (p.groupSize == -1) p.groupSize = placesSinceSeparator;

  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && IsDigitPlace(text[i]); ++i) {
      ++p.maxFractionDigits;
      if (text[i] == '0') p.minFractionDigits = p.maxFractionDigits;
    }
  }
  p.suffix = text.substr(i);
  return p;
}

std::string GroupDigits(std::string_view digits, const Pattern& p) {
  if (p.groupSize <= 0) return std::string(digits);
  std::string out;
  for (size_t k = 0; k < digits.size(); ++k) {
    const size_t following = digits.size() - k;
    if (k > 0 && following % static_cast<size_t>(p.groupSize) == 0) out += ' ';
    out += digits[k];
  }
  return out;
}

// Rounds a plain decimal text ("123.4567") to at most `places` decimals, half away from zero.
std::string RoundDecimal(std::string_view text, int places) {
  std::string digits(text);
  size_t point = digits.find('.');
  if (point == std::string::npos) return digits;
  const size_t keep = point + 1 + static_cast<size_t>(places);
  if (digits.size() <= keep) return digits;
  const bool roundUp = digits[keep] >= '5';
  digits.resize(keep);
  if (places == 0) digits.pop_back();  // drop the point itself
  if (roundUp) {
    size_t i = digits.size();
    while (i > 0) {
      --i;
      if (digits[i] == '.') continue;
      if (digits[i] != '9') {
        ++digits[i];
        return digits;
      }
      digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
  }
  return digits;
}

}  // namespace

std::string FormatByPattern(double value, std::string_view patternText) {
  const Pattern p = Parse(patternText);
  std::string body;
  if (std::isnan(value)) {
    body = "NAN";
  } else if (std::isinf(value)) {
    body = value < 0 ? "-INF" : "INF";
  } else {
    // The shortest decimal that reads back as the value, rounded half away from zero on its
    // digits, so that 2.5 shows as 3 and 0.1234565 as 0.123457 whatever the binary neighbours.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::fixed);
    const std::string rounded =
        RoundDecimal(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)),
                     p.maxFractionDigits);
    const std::string_view fixed = rounded;
    const size_t point = fixed.find('.');
    std::string_view integer = fixed.substr(0, point);
    std::string fraction(point == std::string_view::npos ? std::string_view()
                                                         : fixed.substr(point + 1));
    while (fraction.size() > static_cast<size_t>(p.minFractionDigits) && fraction.back() == '0')
      fraction.pop_back();
    if (fraction.size() < static_cast<size_t>(p.minFractionDigits))
      fraction.resize(static_cast<size_t>(p.minFractionDigits), '0');
    while (integer.size() > 1 && integer.front() == '0') integer.remove_prefix(1);

    const bool integerIsZero = integer == "0";
    std::string digits;
    if (integerIsZero) {
      digits.assign(static_cast<size_t>(p.minIntegerDigits), '0');
    } else {
      digits.assign(static_cast<size_t>(std::max<int>(0, p.minIntegerDigits -
                                                              static_cast<int>(integer.size()))),
                    '0');
      digits += integer;
    }
    const bool allZero =
        integerIsZero && fraction.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !allZero) body += '-';
    body += GroupDigits(digits, p);
    if (!fraction.empty()) {
      body += '.';
      body += fraction;
    }
    if (digits.empty() && fraction.empty()) body += '0';
  }
  std::string out(p.prefix);
  out += body;
  out += p.suffix;
  return out;
}

}  // namespace qtfront
