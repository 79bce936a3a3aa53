// The values of every channel at a typed X position: the samples of time-domain data, or the
// amplitudes and phases of harmonics, at the rows around the position.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "settings/Options.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "window/Redraw.h"

namespace {

constexpr const char* kPointExists = "Значение в этой точке существует!";
constexpr const char* kPointBetweenRows = "Значения в этой точке НЕ существует!";
constexpr const char* kResult = "   рез. ";

// One kind of value shown per channel: its word on the lines, where row r of channel c is, and
// whether it reads in the unit of the chart's Y axis (samples, amplitudes) or in its own (phases,
// in degrees whatever voltage unit the axis shows).
struct ValueColumn {
    const char* word;
    double (*at)(int64_t row, int channel);
    bool inYUnit;
};

double SampleAt(int64_t row, int c) {
    return SampleData.SampleBuffer[SampleIndex(static_cast<size_t>(row), static_cast<size_t>(c))];
}
double AmplitudeAt(int64_t row, int c) {
    return AnalysisResults.AmpTable[TableIndex(static_cast<size_t>(row), static_cast<size_t>(c))];
}
// In degrees, as the phase view shows them.
double PhaseAt(int64_t row, int c) {
    return AnalysisResults.PhaseTable[TableIndex(static_cast<size_t>(row), static_cast<size_t>(c))] *
           redraw::DegreesPerPhaseUnit();
}

constexpr ValueColumn kSamples[] = {{"зн. ", SampleAt, true}};
constexpr ValueColumn kHarmonics[] = {{"Ampl. ", AmplitudeAt, true}, {"Faza. ", PhaseAt, false}};

std::string ValueText(const ValueColumn& column, double value) {
    return platform::FloatToStr(column.inYUnit ? value * ChartState.YMultiplier : value);
}

// The lines of every channel around the position already in OptionsPrivate, rows `rowWidth`
// apart on the X axis. Only rows below `rows` are read: a line whose rows the data do not hold is
// left out.
std::vector<std::string> PointLines(const ValueColumn* columns, size_t columnCount, int64_t rows,
                                    double rowWidth, bool wideNextTag) {
    const auto XText = [rowWidth](double row) { return platform::FloatToStr(row * rowWidth); };
    OptionsPrivateGroup& z = OptionsPrivate;
    const bool integral = z.ZPosition == static_cast<double>(z.ZIndex);
    const int64_t index = z.ZIndex;
    const auto held = [rows](int64_t row) { return row >= 0 && row < rows; };
    std::vector<std::string> lines{integral ? kPointExists : kPointBetweenRows};
    z.ZIndexShown = integral ? z.ZIndex - 1 : z.ZIndex;
    const char* nextTag = integral || !wideNextTag ? ". +1:  " : ".  +1:  ";

    for (int c = 0; c < SampleData.DataChannels; ++c) {
        const std::string channel = platform::IntToStr(c + 1);
        for (size_t k = 0; k < columnCount; ++k) {
            const ValueColumn& column = columns[k];
            const auto line = [&](const char* tag, const std::string& x, double value) {
                lines.push_back(channel + tag + column.word + x + kResult + ValueText(column, value));
            };
            const auto rowLine = [&](const char* tag, int64_t row) {
                if (held(row)) line(tag, XText(static_cast<double>(row)), column.at(row, c));
            };
            rowLine(".  -1:  ", z.ZIndexShown);
            if (integral) {
                rowLine(".   0:  ", index);
            } else if (held(index) && held(index + 1)) {
                const double before = column.at(index, c);
                z.ZInterpolated = before + (z.ZPosition - static_cast<double>(index)) * (column.at(index + 1, c) - before);
                line(".   0:  ", XText(z.ZPosition), z.ZInterpolated);
            }
            rowLine(nextTag, index + 1);
        }
    }
    return lines;
}

}  // namespace

std::string FilterNumberText(const std::string& text) {
    std::string number;
    bool pointTaken = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool point = ch == '.' || ch == ',';
        if ((ch >= '0' && ch <= '9') || (ch == '-' && i == 0) || (point && !pointTaken)) {
            number.push_back(ch);
            pointTaken = pointTaken || point;
        }
    }
    return number;
}

void TOption::EditZChange(ui::Control*) {
    MemoZ->Lines().Clear();
    OptionsPrivateGroup& z = OptionsPrivate;
    z.NumberText = FilterNumberText(EditZ->Text());
    if (z.NumberText != EditZ->Text()) {
        // Writing the filtered text back runs this handler again on it; that run shows the values.
        EditZ->SetText(z.NumberText);
        return;
    }
    // A text that is no number ("", "-", ".", ",") raises the conversion error here.
    z.ZValue = platform::TypedStrToFloat(z.NumberText);

    const uint8_t kind = ChartState.DataKind;
    if (kind != kKindTimeData && kind != kKindHarmonics) return;
    // The buffers are a worker's own while it lives.
    if (WorkersBusy()) return;
    // The position is typed in the unit the chart's X axis shows: the time view's, or hertz for
    // harmonics and transform bins.
    const double rowWidth = kind == kKindTimeData ? ChartState.XMultiplier : redraw::HertzPerHarmonic();
    // Without a scale (no data yet, or harmonics of a window without an interval) there is no row
    // to find.
    if (rowWidth == 0 || !std::isfinite(rowWidth)) return;
    double position = z.ZValue / rowWidth;
    if (!std::isfinite(position) || std::fabs(position) >= INT32_MAX - 1) return;
    // A row's own position typed as the axis shows it lands on that row, not a rounding off it.
    const double nearestRow = std::round(position);
    if (std::fabs(position - nearestRow) <= 1e-9 * std::max(1.0, std::fabs(nearestRow))) position = nearestRow;
    z.ZPosition = position;
    z.ZIndex = static_cast<int32_t>(std::trunc(position));
    z.ZIndexNext = z.ZIndex + 1;

    const std::vector<std::string> lines =
        kind == kKindTimeData
            ? PointLines(kSamples, std::size(kSamples), ValidFrames(), rowWidth, false)
            : PointLines(kHarmonics, std::size(kHarmonics), static_cast<int64_t>(TableRows()), rowWidth, true);
    MemoZ->Lines().Assign(lines);
}
