#pragma once
// The arithmetic of the real-time acquisition ring: block sizes of both modules, the frames the
// live views may read, the spectrum's resampling of the last second and the rotation of the ring
// into time order when the acquisition stops. Plain functions on numbers and buffers.
//
// The ring holds blockCount blocks of blockSize samples; blockPos is the block after the one just
// queued. That one is in flight (the module writes it), and a read may be queued behind it, at
// blockPos: the views end at the end of the block before the one in flight and start after the
// last block the module holds.

#include <cstdint>
#include <vector>

namespace ring {

// The live oscilloscope draws long spans in this many divisions (1001 min/max buckets).
inline constexpr int kOscilloscopeDivisions = 1000;

// Quev module: the smallest multiple of 32 x channels samples that holds one second,
// 32N x Trunc((1000 Q - 1) / 32 / N + 1).
int64_t QuevBlockSize(double rateKHz, int channels);

// USB3000 module: the smallest multiple of 6144 samples above one second, 6144 x Trunc(Q / 6.144
// + 1). When that is no whole number of frames, the block is the smallest multiple of both 6144
// and the channel count above one second instead, so that every block and every lap of the ring
// starts on channel 0.
int64_t Usb3000BlockSize(double rateKHz, int channels);

// Milliseconds a block of blockSize samples may take: its duration plus one second.
int32_t BlockTimeoutMs(int64_t blockSize, double rateKHz);

// End (exclusive, in frames, possibly fractional) of the last completed block, blockPos taken
// after the advance past the block in flight. 0 for a ring of one block: nothing is complete
// beside the block in flight.
double CompletedEnd(int32_t blockPos, int32_t blockCount, int64_t blockSize, int channels);

// Start (in frames, possibly fractional) of the completed frames that end at CompletedEnd and
// that no queued read will overwrite. The module holds `readsQueued` blocks from the one in flight
// on (1, or 2 with a read queued behind it); the other blockCount - readsQueued blocks are free,
// but never before frame 0: right after a wrap they start at the end of the last block held.
// Equal to CompletedEnd when the module holds every block of the ring.
double CompletedBegin(int32_t blockPos, int32_t blockCount, int32_t readsQueued, int64_t blockSize, int channels);

// The spectrum is refreshed at every block when the display time is at most 1.5 s, otherwise only
// every Round(recordTime) blocks, when (blockPos - 1) mod Round(recordTime) is 0.
bool SpectrumDue(double recordTime, int32_t blockPos);

struct FrameSpan {
    int64_t first = 0;
    int64_t last = -1;
    int64_t Count() const { return last - first + 1; }
};

// Frames of the oscilloscope: the display time before `end`, never reaching back before `begin`
// (the first completed frame, CompletedBegin). Empty when nothing is complete.
FrameSpan OscilloscopeSpan(double begin, double end, double rateKHz, double recordTime, int channels);

// The spectrum's input: 2 x fftSize points of one channel resampled by linear interpolation at
// steps of `interval` frames from the first frame of the last completed second, even points into
// re[j], odd ones into im[j] (j = 0 .. fftSize - 1). Reads frames up to Trunc(end) - 1 only: the
// interpolation's upper neighbour is held at that frame rather than taken from the block in flight
// or from past the ring. False (nothing written) when the last second starts before the ring,
// as in a ring of one block.
bool ResampleLastSecond(const int16_t* codes, int channels, int channel, double end,
                        double rateKHz, double interval, int32_t fftSize, double* re, double* im);

// The live spectrum: for every channel, the last second resampled as above, transformed by
// RealFFT (forward, n = fftSize, m = bits) in arrays of its own, and the amplitudes of bins
// first .. last put into ampTable (row j, channel k at j x channels + k); row fftSize of ampTable
// and phaseTable is zeroed, no phase is stored. The channels are spread over the cores; each is
// computed the same way whichever thread takes it. False, with the tables untouched, when the last
// second starts before the ring. The caller sizes both tables to (fftSize + 1) x channels.
struct SpectrumJob {
    const int16_t* codes = nullptr;
    int channels = 0;
    double end = 0;
    double rateKHz = 0;
    double interval = 0;
    int32_t fftSize = 0;
    int32_t bits = 0;
    int32_t first = 0;
    int32_t last = -1;
};
bool LiveSpectrum(const SpectrumJob& job, std::vector<double>& ampTable, std::vector<double>& phaseTable);

// Puts the ring in time order: samples [0, newest) are the newest laps' blocks, [newest, total)
// the older rest; the result is the older part followed by the newest. The smaller part goes
// through `scratch`, which is released afterwards; when scratch memory cannot be had, the parts
// are rotated in place. Nothing moves when newest >= total (the ring never wrapped).
void RotateIntoTimeOrder(std::vector<int16_t>& buffer, int64_t newest, int64_t total,
                         std::vector<int16_t>& scratch);

} // namespace ring
