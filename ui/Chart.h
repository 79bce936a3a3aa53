#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Chart;

// A line series. It keeps raw points; what is shown is each X times XMultiplier and each Y times
// YMultiplier. Points stay in the order they were added.
class Series {
public:
    Series(const Series&) = delete;
    Series& operator=(const Series&) = delete;

    int Index() const { return index_; }
    ui::Chart& Chart() const { return chart_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Active() const { return active_; }
    void SetActive(bool active);
    double XMultiplier() const { return xMultiplier_; }
    void SetXMultiplier(double multiplier);
    double YMultiplier() const { return yMultiplier_; }
    void SetYMultiplier(double multiplier);

    int Count() const { return static_cast<int>(x_.size()); }
    const std::vector<double>& XValues() const { return x_; }
    const std::vector<double>& YValues() const { return y_; }

    void Clear();
    void AddXY(double x, double y);
    void Reserve(std::size_t points);

private:
    friend class Chart;
    Series(ui::Chart& chart, int index) : chart_(chart), index_(index) {}
    template <class V>
    void ChangeStyle(V& member, const V& value);

    ui::Chart& chart_;
    int index_;
    std::string title_;
    TColor color_ = clBlack;
    bool active_ = true;
    double xMultiplier_ = 1.0;
    double yMultiplier_ = 1.0;
    std::vector<double> x_;
    std::vector<double> y_;
};

// An axis of the chart. Minimum and Maximum are the limits set from code, used when Automatic is
// off; the current limits are what the chart shows now: a zoom or scroll while it lasts, else the
// set limits, else (automatic) the extent of the active series' shown values. Limits are taken in
// whatever order they are set.
class Axis {
public:
    Axis(const Axis&) = delete;
    Axis& operator=(const Axis&) = delete;

    bool Horizontal() const { return horizontal_; }

    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool automatic);
    bool Logarithmic() const { return logarithmic_; }
    void SetLogarithmic(bool logarithmic);
    double Minimum() const { return minimum_; }
    void SetMinimum(double minimum);
    double Maximum() const { return maximum_; }
    void SetMaximum(double maximum);
    void SetMinMax(double minimum, double maximum);

    bool Zoomed() const { return zoomed_; }
    double CurrentMinimum() const;
    double CurrentMaximum() const;

    // Number pattern and unit text of the labels, e.g. "# ##0.###### мВ".
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& format);
    int LabelFontSize() const { return labelFontSize_; }
    void SetLabelFontSize(int size);

private:
    friend class Chart;
    Axis(ui::Chart& chart, bool horizontal) : chart_(chart), horizontal_(horizontal) {}
    void Changed();
    void ZoomTo(double minimum, double maximum);
    void DropZoom();
    void DataExtent(double& minimum, double& maximum) const;

    ui::Chart& chart_;
    bool horizontal_;
    bool automatic_ = true;
    bool logarithmic_ = false;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    bool zoomed_ = false;
    double zoomMinimum_ = 0.0;
    double zoomMaximum_ = 0.0;
    std::string valueFormat_ = "#,##0.###";
    int labelFontSize_ = 8;
};

// A chart of line series with a bottom (X) and a left (Y) axis, a title and a legend. Color() is
// the background. Zoom, scroll and undo-zoom events run synchronously with the bottom axis's
// current limits already updated. Wrap bulk refills in BeginUpdate/EndUpdate so that observers
// hear of them once.
class Chart : public Control {
public:
    Chart();
    ~Chart() override;
    ControlKind Kind() const override { return ControlKind::Chart; }

    Series* AddSeries();
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    // 0-based; index errors raise std::out_of_range.
    Series& SeriesAt(int index) const;

    Axis& BottomAxis() { return bottom_; }
    const Axis& BottomAxis() const { return bottom_; }
    Axis& LeftAxis() { return left_; }
    const Axis& LeftAxis() const { return left_; }

    const std::string& TitleText() const { return titleText_; }
    void SetTitleText(const std::string& text);
    bool TitleVisible() const { return titleVisible_; }
    void SetTitleVisible(bool visible);
    const ui::Font& TitleFont() const { return titleFont_; }
    void SetTitleFont(const ui::Font& font);
    void SetTitleFontSize(int size);
    bool LegendVisible() const { return legendVisible_; }
    void SetLegendVisible(bool visible);

    NotifyEvent OnZoom;
    NotifyEvent OnScroll;
    NotifyEvent OnUndoZoom;

    // The operator's rectangle zoom and scroll (drag): both axes get the new current limits, then
    // the event runs. Ignored when the chart is not operable.
    void ZoomTo(double xMinimum, double xMaximum, double yMinimum, double yMaximum);
    void Scroll(double xMinimum, double xMaximum, double yMinimum, double yMaximum);
    // Drops any zoom and runs OnUndoZoom, even when nothing was zoomed; code and operator alike.
    void UndoZoom();

    // Asks the front end to put an image of the chart, of the chart's size on a white background,
    // on the clipboard. The chart itself does not change.
    void CopyToClipboard() const;

private:
    friend class Series;
    friend class Axis;
    void SeriesChanged(Property what) { Notify(what); }
    void SetView(double xMinimum, double xMaximum, double yMinimum, double yMaximum);

    std::vector<std::unique_ptr<Series>> series_;
    Axis bottom_;
    Axis left_;
    std::string titleText_;
    bool titleVisible_ = true;
    ui::Font titleFont_;
    bool legendVisible_ = true;
};

} // namespace ui
