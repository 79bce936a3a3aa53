#pragma once
// The numerical kernels every analysis rests on: the Fourier series of the analysis window, the
// symmetrical components of three phases, and the in-place transform of a real signal. They work
// on the shared state and touch no control; the page handlers check the window first and turn a
// refusal into the operator's message.

#include <cstdint>
#include <vector>

enum class KernelStatus : uint8_t {
    Done,
    NoChannels,         // DataChannels is 0
    EmptyWindow,        // FourierCount below 1: there is no mean to take
    NegativeStart,      // FourierFirst below 0
    WindowBeyondData,   // FourierFirst + FourierCount past the frames the buffer holds
    ChannelOutOfRange,  // a channel argument not below DataChannels
    TablesMissing,      // AmpTable/PhaseTable (or the angle tables) lack what the call needs
    TooManyHarmonics,   // the sequence table holds at most 20000 harmonics
    BadTransformSize,   // RealFFT: n not a power of two from 2, m not log2(2n), arrays too short
};

// Mean and harmonics 1 to FourierCount div 2 of the window FourierFirst.. into AmpTable (mV, at
// DataMvPerCode) and
// PhaseTable (radians in [0, 2π)). Channel 0 means every channel and rebuilds both tables;
// channel c >= 1 redoes that channel only in the tables already there. A refusal changes nothing.
KernelStatus FurieDecompose(uint8_t channel);

// The same result by the straightforward sine and cosine sums over SinTable/CosTable,
// N x N/2 multiply-adds per channel. Kept as the reference the fast routine is checked against;
// channel c >= 1 needs the angle tables the caller left (N entries).
KernelStatus FurieDecomposeDirect(uint8_t channel);

// Positive, zero and negative sequence of channels a, b, c for harmonics 1 to FourierCount div 2,
// from the tables a whole-window FurieDecompose left, into SequenceTable.
KernelStatus CalcSequenceComponents(uint8_t a, uint8_t b, uint8_t c);

// Bits of the real transform for a window of `frames` frames: one more than the integer part of
// log2(frames - 1), kept within 10 to 20; windows below 2 frames take the smallest.
int32_t TransformPower(int32_t frames);

// Puts 2n samples of channel c, taken every `step` frames from frame `first` and interpolated
// linearly between neighbours, times `scale`, into positions 1 to n of WorkRe (even samples) and
// WorkIm (odd samples). Reads no frame past ValidFrames(); the caller keeps the window inside
// them and sizes the arrays to n + 1.
void ResampleIntoWork(int channel, int32_t first, double step, int32_t n, double scale);

// In-place transform of 2n real samples held at positions 1 to n of WorkRe (even samples) and
// WorkIm (odd samples). direction -1 is the inverse; anything else is forward, scaled by 1/n.
KernelStatus RealFFT(int32_t n, int32_t m, int32_t direction);
// The same on a caller's pair of arrays, so that several transforms can run at once.
KernelStatus RealFFT(std::vector<double>& re, std::vector<double>& im, int32_t n, int32_t m,
                     int32_t direction);
