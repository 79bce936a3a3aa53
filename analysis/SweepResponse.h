#pragma once
// The amplitude response of a recorded exponential sine sweep that rises one octave every 30
// seconds: its start frequency from the spectral peaks of whole seconds of channel 1, then the
// amplitude of every channel at the sweep's frequency every tenth of a second, by a single-
// frequency sum over one period. Works on the record in memory, in raw ADC codes; reads no frame
// the buffer does not hold: a second or step whose frames lie outside it is left out.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

inline constexpr double kSweepSecondsPerOctave = 30;
inline constexpr int32_t kSweepStepsPerSecond = 10;
// Steps left out at either end of the record: its first and last second.
inline constexpr int32_t kSweepEdgeSteps = 10;

// ---- on the shared state --------------------------------------------------------------------

// Sizes the transform for one second of the record: K = round(1000 DataRate / DataChannels)
// frames per second (0 without channels or rate) give FftPower, FftSize n, AnalysisInterval
// K / 2 / n and FourierCount 2n, the points the transform takes from each second. The seconds
// and steps below are the record's own: K frames to the second, a power of two or not.
void SizeSweepTransform();

// Whole seconds and the last tenth-second step of SampleCount samples at DataRate. The last step
// goes no further than the frames held can reach, so that the tables stay within the data's size.
struct SweepExtent {
    int32_t seconds = 0;
    int32_t lastStep = 0;  // below kSweepEdgeSteps when there is no step
};
SweepExtent RecordedSweepExtent();

// Sizes WorkRe and WorkIm (spectrum positions 1 to n and step positions) and AmpTable (rows 0 to
// n and every step row) for every channel.
void SizeSweepTables(const SweepExtent& extent);

// The start frequency in Hz: for each whole second, each channel's spectrum goes into rows 1 to
// n - 1 of AmpTable (row n is 0), and channel 1's peak counts when it lies at 11 to 15 or 27 to
// 34 Hz, referred back to the sweep's start. Nothing when no second counts.
std::optional<double> EstimateSweepStart(int32_t seconds);

// Steps kSweepEdgeSteps to lastStep: the sums of step m go to position m of WorkRe (sine) and
// WorkIm (cosine), the amplitude of channel c to row m of AmpTable, and each point to
// `point(channel, frequency, amplitude)`.
void MeasureSweepSteps(double startFrequency, int32_t lastStep,
                       const std::function<void(int channel, double frequency, double amplitude)>& point);

// ---- plain arithmetic -----------------------------------------------------------------------

// Whether a peak at `bin` Hz belongs to the sweep's first octave or to the one after the next.
bool PeakCountsTowardStart(int32_t bin);
// The peak of second `second` (taken at its middle) referred back to the sweep's start.
double PeakAtSweepStart(int32_t bin, int32_t second);
// The sweep's frequency `step` tenths of a second after its start.
double SweepStepFrequency(double startFrequency, int32_t step);

// One period of `frequency` centred on step m of a record of `framesPerSecond` frames per second.
struct SweepStepWindow {
    int64_t first = 0;
    int32_t period = 0;
};
// Nothing when the period is below one frame or the numbers are not finite.
std::optional<SweepStepWindow> StepWindow(double frequency, int32_t step, int32_t framesPerSecond);

// Sums x_j sin((j + 1) w) and x_j cos((j + 1) w) over one period of `period` samples, w = 2 pi /
// period, the samples `stride` values apart, and the amplitude 2 sqrt((S/P)^2 + (C/P)^2).
struct ToneSums {
    double sine = 0;
    double cosine = 0;
    double amplitude = 0;
};
ToneSums OnePeriodSums(const int16_t* firstSample, std::size_t stride, int32_t period);
