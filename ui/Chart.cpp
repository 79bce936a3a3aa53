#include "ui/Chart.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

#include "ui/Application.h"

namespace ui {

template <class V>
void Series::ChangeStyle(V& member, const V& value) {
    if (member == value) return;
    member = value;
    chart_.SeriesChanged(Property::SeriesStyle);
}

void Series::SetTitle(const std::string& title) { ChangeStyle(title_, title); }
void Series::SetColor(TColor color) { ChangeStyle(color_, color); }
void Series::SetActive(bool active) { ChangeStyle(active_, active); }
void Series::SetXMultiplier(double multiplier) { ChangeStyle(xMultiplier_, multiplier); }
void Series::SetYMultiplier(double multiplier) { ChangeStyle(yMultiplier_, multiplier); }

void Series::Clear() {
    if (x_.empty()) return;
    // Keep the capacity: a redraw refills the same series over and over.
    x_.clear();
    y_.clear();
    chart_.SeriesChanged(Property::SeriesData);
}

void Series::AddXY(double x, double y) {
    x_.push_back(x);
    y_.push_back(y);
    chart_.SeriesChanged(Property::SeriesData);
}

void Series::Reserve(std::size_t points) {
    x_.reserve(points);
    y_.reserve(points);
}

void Axis::Changed() { chart_.Notify(Property::Axis); }

void Axis::SetAutomatic(bool automatic) {
    if (automatic_ == automatic && !zoomed_) return;
    automatic_ = automatic;
    zoomed_ = false;
    Changed();
}

void Axis::SetLogarithmic(bool logarithmic) {
    if (logarithmic_ == logarithmic) return;
    logarithmic_ = logarithmic;
    Changed();
}

// A limit set from code is what the chart shows from then on: it ends a zoom of this axis.
void Axis::SetMinimum(double minimum) { SetMinMax(minimum, maximum_); }
void Axis::SetMaximum(double maximum) { SetMinMax(minimum_, maximum); }

void Axis::SetMinMax(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    zoomed_ = false;
    Changed();
}

void Axis::SetValueFormat(const std::string& format) {
    if (valueFormat_ == format) return;
    valueFormat_ = format;
    Changed();
}

void Axis::SetLabelFontSize(int size) {
    if (labelFontSize_ == size) return;
    labelFontSize_ = size;
    Changed();
}

void Axis::ZoomTo(double minimum, double maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    zoomed_ = true;
    zoomMinimum_ = minimum;
    zoomMaximum_ = maximum;
}

void Axis::DropZoom() { zoomed_ = false; }

void Axis::DataExtent(double& minimum, double& maximum) const {
    minimum = std::numeric_limits<double>::infinity();
    maximum = -minimum;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        const Series& s = chart_.SeriesAt(i);
        if (!s.Active() || s.Count() == 0) continue;
        const auto& values = horizontal_ ? s.XValues() : s.YValues();
        const double multiplier = horizontal_ ? s.XMultiplier() : s.YMultiplier();
        const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
        const double a = *lo * multiplier;
        const double b = *hi * multiplier;
        minimum = std::min({minimum, a, b});
        maximum = std::max({maximum, a, b});
    }
    if (minimum > maximum) minimum = maximum = 0.0;
}

double Axis::CurrentMinimum() const {
    if (zoomed_) return zoomMinimum_;
    if (!automatic_) return minimum_;
    double lo = 0.0, hi = 0.0;
    DataExtent(lo, hi);
    return lo;
}

double Axis::CurrentMaximum() const {
    if (zoomed_) return zoomMaximum_;
    if (!automatic_) return maximum_;
    double lo = 0.0, hi = 0.0;
    DataExtent(lo, hi);
    return hi;
}

Chart::Chart() : bottom_(*this, true), left_(*this, false) { SetColor(clWhite); }

Chart::~Chart() = default;

Series* Chart::AddSeries() {
    series_.push_back(std::unique_ptr<Series>(new Series(*this, SeriesCount())));
    Notify(Property::SeriesStyle);
    return series_.back().get();
}

Series& Chart::SeriesAt(int index) const {
    if (index < 0 || index >= SeriesCount()) {
        throw std::out_of_range("Series index out of bounds (" + std::to_string(index) + ")");
    }
    return *series_[static_cast<std::size_t>(index)];
}

void Chart::SetTitleText(const std::string& text) { Assign(titleText_, text, Property::Title); }
void Chart::SetTitleVisible(bool visible) { Assign(titleVisible_, visible, Property::Title); }
void Chart::SetTitleFont(const ui::Font& font) { Assign(titleFont_, font, Property::Title); }
void Chart::SetLegendVisible(bool visible) { Assign(legendVisible_, visible, Property::Legend); }

void Chart::SetTitleFontSize(int size) {
    ui::Font font = titleFont_;
    font.Size = size;
    SetTitleFont(font);
}

void Chart::SetView(double xMinimum, double xMaximum, double yMinimum, double yMaximum) {
    bottom_.ZoomTo(xMinimum, xMaximum);
    left_.ZoomTo(yMinimum, yMaximum);
    Notify(Property::Axis);
}

void Chart::ZoomTo(double xMinimum, double xMaximum, double yMinimum, double yMaximum) {
    if (!Operable()) return;
    Application.Dispatch([&] {
        SetView(xMinimum, xMaximum, yMinimum, yMaximum);
        Fire(OnZoom);
    });
}

void Chart::Scroll(double xMinimum, double xMaximum, double yMinimum, double yMaximum) {
    if (!Operable()) return;
    Application.Dispatch([&] {
        SetView(xMinimum, xMaximum, yMinimum, yMaximum);
        Fire(OnScroll);
    });
}

void Chart::UndoZoom() {
    Application.Dispatch([this] {
        const bool wasZoomed = bottom_.Zoomed() || left_.Zoomed();
        bottom_.DropZoom();
        left_.DropZoom();
        if (wasZoomed) Notify(Property::Axis);
        Fire(OnUndoZoom);
    });
}

void Chart::CopyToClipboard() const { Application.FrontEnd().CopyChartToClipboard(*this); }

} // namespace ui
