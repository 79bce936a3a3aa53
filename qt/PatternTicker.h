#pragma once

#include <qcustomplot.h>

#include <string>
#include <utility>

#include "qt/NumberPattern.h"

namespace qtfront {

// Tick labels by the axis's number pattern ("# ##0.###### мВ"), on a linear or a logarithmic
// ticker. An empty pattern falls back to the plain number pattern of the instrument.
template <class Base>
class PatternTicker : public Base {
 public:
  void SetPattern(std::string pattern) { pattern_ = std::move(pattern); }
  const std::string& Pattern() const { return pattern_; }

 protected:
  QString getTickLabel(double tick, const QLocale&, QChar, int) override {
    return QString::fromStdString(FormatByPattern(tick, pattern_.empty() ? "# ##0.######" : pattern_));
  }

 private:
  std::string pattern_;
};

using LinearPatternTicker = PatternTicker<QCPAxisTicker>;
using LogPatternTicker = PatternTicker<QCPAxisTickerLog>;

}  // namespace qtfront
