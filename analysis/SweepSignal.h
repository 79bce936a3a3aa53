#pragma once
// The DAC signal of a frequency-response sweep and the block geometry of its streaming: a linear
// rise, a half period at the start frequency, an exponential sweep at a fixed number of octaves
// per minute, a half period at the end frequency, a linear fall, then silence. The ADC records
// the same stretch of time in blocks of one second (rounded up to whole transfer units) and goes
// on for the DAC's output FIFO beyond the signal, so that the end of the signal is recorded too.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace sweep {

// Samples of silence after the signal, so that the DAC's FIFO drains the signal out.
inline constexpr std::int32_t kSilenceWords = 50001;
// The module's DAC output FIFO, in words, and how much earlier than its length it starts playing.
inline constexpr double kDacFifoWords = 4032;
inline constexpr double kDacEarlyStartMs = 28;
// Bounds of a sweep's record and signal.
inline constexpr std::int64_t kMaxAdcSamples = 6000000;
inline constexpr std::int64_t kMaxDacWords = 3000000;

struct SweepSettings {
    double AmplitudeMv = 0;     // U
    double FreqBegin = 0;       // Beg, Hz
    double FreqEnd = 0;         // End, Hz
    double OctavesPerMin = 0;   // Omin
    std::int32_t Steps = 0;     // Kol: measuring steps of the response
    double RiseTime = 0;        // TU, s
    double FallTime = 0;        // TD, s
};

struct SweepGeometry {
    double Octaves = 0;                      // Ofull: sweep width
    std::array<std::int32_t, 5> SegmentEnd{};  // ND1..ND5: DAC samples where each segment ends
    double TotalTime = 0;                    // TF: signal length, s
    std::int32_t AdcBlock = 0;               // RBA: ADC samples (all channels) per block
    std::int32_t DacBlock = 0;               // RBD: DAC words per block
    std::int32_t LastBlock = 0;              // index of the last block streamed each way (see DacBlocksStreamed)
};

// A sweep as it is to run: its settings, the ADC and DAC rates (kHz), the channels recorded, the
// ADC range code, and the geometry planned from them.
struct SweepOrder {
    SweepSettings settings;
    SweepGeometry geometry;
    double adcRate = 0;
    double dacRate = 0;
    int channels = 0;
    int gain = 0;
};

enum class SweepPlan {
    Ready,
    RatesUnusable,     // a rate that is zero, negative or not a number
    SettingsUnusable,  // a sweep that cannot be timed: see PlanSweep
    RatioMismatch,     // the blocks do not keep the ADC and the DAC in step
    TooManySamples,    // the record or the signal would exceed its bound
};

// The geometry of a sweep at ADC rate `adcRate` and DAC rate `dacRate` (kHz). The checks run in
// this order: rates, settings (start frequency and sweep speed above 0, end frequency not below
// the start, one to kMaxSweepSteps steps, rise and fall times not negative, every value finite), the
// ratio of the two block sizes against the ratio of the rates, and the bounds of record and
// signal. Anything but Ready leaves `out` partly filled and must not be streamed.
SweepPlan PlanSweep(const SweepSettings& settings, double adcRate, double dacRate, SweepGeometry& out);

// DAC blocks a planned sweep streams: blocks 0 to LastBlock, and at least two, so that the DAC
// plays on while its FIFO plays the signal out of a sweep within one block.
inline std::int32_t DacBlocksStreamed(const SweepGeometry& g) { return std::max(g.LastBlock, 1) + 1; }

// Words of the DAC buffer of a planned sweep: the signal and its silence, or, where the blocks
// streamed reach further (high DAC rates), every word of the last block.
inline std::size_t DacBufferWords(const SweepGeometry& g) {
    const std::size_t signalAndSilence = static_cast<std::size_t>(g.SegmentEnd[4]) + kSilenceWords;
    const std::size_t streamed =
        static_cast<std::size_t>(DacBlocksStreamed(g)) * static_cast<std::size_t>(g.DacBlock);
    return std::max(signalAndSilence, streamed);
}

// Writes the DacBufferWords(g) Quev DAC words of the planned sweep into `words`: the signal, then
// zeros to the end.
void SynthesiseSweep(const SweepSettings& settings, double dacRate, const SweepGeometry& g,
                     std::int16_t* words);

// Frames cut from the start of the record: the DAC's FIFO latency, less its early start, at the
// ADC's frame rate. Never negative.
std::int32_t LatencyCutFrames(double adcRate, int channels, double dacRate);

} // namespace sweep
