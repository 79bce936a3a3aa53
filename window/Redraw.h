#pragma once
// The chart redraw: rebuilds the main window's chart from the shared state by display mode.

#include <cstdint>
#include <string>

#include "state/State.h"

// Rebuilds the chart from ChartState.DataKind and the data it names. GUI thread only.
void RedrawChart();

namespace redraw {

// Value formats of the axes: the number pattern followed by the unit as it is shown.
inline constexpr const char* kFormatPlain = "# ##0.######";
inline constexpr const char* kFormatSeconds = "# ##0.######с";
inline constexpr const char* kFormatMillivolts = "# ##0.###### мВ";
inline constexpr const char* kFormatHertz = "# ##0.###### Гц";
inline constexpr const char* kFormatDecibels = "# ##0.###### дБ";
inline constexpr const char* kFormatDegrees = "# ##0.######°";
inline constexpr const char* kFormatSpectralDensity = "# ##0.###### g^2/Hz";
inline constexpr const char* kFormatAmperes = "# ##0.###### A"; // Latin A, as the station shows it
inline constexpr const char* kFormatVolts = "# ##0.###### В";
inline constexpr const char* kFormatWatts = "# ##0.###### Вт";
inline constexpr const char* kFormatNewtonMetres = "# ##0.###### Н*м";
inline constexpr const char* kFormatRevsPerSecond = "# ##0.###### об/с";

// Status bar digits: every character copied, one blank after each character whose count of
// following characters is a multiple of three, the last one included ("1 234 567 ", "-1 ").
std::string GroupedDigits(std::int64_t value);

// Fragments of the chart titles.
std::string FileHead();        // "Файл :  <name>     <date and time>"
std::string AcquisitionTail(); // rate, channels, frames and range code
std::string SweepTail();       // sweep frequencies and step count
std::string WindowTail();      // analysis window: first frame and count

// Both axes scale automatically and the left one is linear; the bottom one is made linear too,
// or keeps the scale the sweep page chose for it.
enum class BottomScale { Linear, Keep };
void AutomaticAxes(BottomScale bottom);

// Value formats of the bottom and the left axis.
void SetAxisFormats(const char* bottom, const char* left);

// Value multipliers of series 1 to `count`.
void SetSeriesX(double multiplier, int count = 16);
void SetSeriesY(double multiplier, int count = 16);

// A multiplier computed from the record: a record without a rate or window keeps the previous
// one instead of scaling the chart by infinity.
double FiniteOr(double candidate, double previous);

// Adds (x, y) to series `index` (0-based) when both are finite numbers and the series exists.
void AddPoint(int index, double x, double y);

using ::DividedByRangeSteps;

// Milliseconds per frame of the record in memory: DataRate is in kHz over all channels together.
// Not finite when the record has no rate.
double MillisecondsPerFrame();

// Hertz per row of the harmonic and transform tables: the analysis window's frequency step. Not
// finite without a window or a rate.
double HertzPerHarmonic();

// Degrees per unit of what PhaseTable holds.
double DegreesPerPhaseUnit();

// Axes of a table drawn as it holds its values (YMultiplier 1) over frequency: both automatic and
// linear, rows `hertzPerRow` apart (a multiplier that is not finite is left as it was).
void FrequencyAxes(double hertzPerRow, const char* leftFormat);

// Display-mode families, each in its own file.
void RedrawTimeData(std::uint8_t kind);     // 1, 2, 10, 11, 30, 32
void RedrawSweepResults(std::uint8_t kind); // 3 to 6
void RedrawHarmonics(std::uint8_t kind);    // 7, 8
void RedrawLiveSpectrum();                  // 9
void RedrawPowerSeries(std::uint8_t kind);  // 12 to 14
void RedrawSequence();                      // 15
void RedrawMetrology(std::uint8_t kind);    // 20, 21
void RedrawDacBuffer();                     // 31

} // namespace redraw
