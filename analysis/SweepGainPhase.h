#pragma once
// The response measured from a sweep record: at Steps + 1 frequencies spaced evenly in octaves,
// the amplitude and phase of every channel from one period of the record correlated with a sine
// and a cosine of that frequency, and the gain and phase of each channel against channel 0.

#include <cstdint>
#include <vector>

namespace sweep {

// The most steps a response is measured at (as many as a response file holds).
inline constexpr std::int32_t kMaxSweepSteps = 1 << 16;

// The record: frames of `Channels` interleaved ADC codes, frame 0 the first one after the DAC's
// latency, so that the sweep's timing holds from frame 0 on.
struct SweepRecord {
    const std::int16_t* Samples = nullptr;
    std::int64_t Frames = 0;
    int Channels = 0;
    double FramesPerSecond = 0;
    double MvPerCode = 0;
};

// What the sweep did, in the units of its settings.
struct SweepTiming {
    double FreqBegin = 0;      // Hz
    double FreqEnd = 0;        // Hz
    double OctavesPerMin = 0;
    std::int32_t Steps = 0;
    double RiseTime = 0;       // s
};

// Row i, channel c of Amplitudes and Phases at i * Channels + c; row i, channel j + 1 against
// channel 0 of Gains and PhaseDifferences at i * (Channels - 1) + j.
struct SweepResponse {
    std::int32_t Rows = 0;
    int Channels = 0;
    std::vector<double> Amplitudes;        // mV
    std::vector<double> Phases;            // degrees, 0 to 360
    std::vector<double> Gains;             // dB; -100 where either amplitude is 0
    std::vector<double> PhaseDifferences;  // degrees, -180 to below 180
};

// The response, or no rows when the sweep cannot be timed (no step or more than kMaxSweepSteps, no channel, a
// start frequency, speed or frame rate that is not above 0, a value that is not finite). A step
// whose period window lies partly outside the record, or is shorter than two frames, reads zeros
// there: it gets amplitude 0 and phase 0.
SweepResponse MeasureSweepResponse(const SweepRecord& record, const SweepTiming& timing);

// One period of a step's frequency, centred on the moment the sweep passes it: `Length` frames
// from frame `First` of the record. Length 0 when the step reads nothing but zeros (a period
// shorter than two frames or longer than the record, or a window wholly outside the record).
struct StepWindow {
    std::int64_t First = 0;
    std::int64_t Length = 0;
};
StepWindow SweepStepWindow(const SweepRecord& record, const SweepTiming& timing, std::int32_t step);

// Frequency of step i of `steps`, spaced evenly in octaves from `begin` to `end`.
double SweepStepFrequency(double begin, double end, std::int32_t step, std::int32_t steps);

// Phase in degrees (0 to 360) of a sine from its sine and cosine correlations s and c.
double SinePhaseDegrees(double s, double c);

// Phase difference brought into [-180, 180).
double WrapPhaseDifference(double degrees);

} // namespace sweep
