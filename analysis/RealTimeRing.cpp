#include "analysis/RealTimeRing.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <new>
#include <numeric>
#include <thread>

#include "analysis/Kernels.h"

namespace ring {

namespace {

// The USB3000 module transfers in multiples of this many samples.
constexpr int64_t kUsb3000Quantum = 6144;

int64_t TruncOf(double value) { return static_cast<int64_t>(std::trunc(value)); }

} // namespace

int64_t QuevBlockSize(double rateKHz, int channels) {
    const int64_t quantum = 32 * static_cast<int64_t>(channels);
    return quantum * TruncOf((rateKHz * 1000 - 1) / 32 / channels + 1);
}

int64_t Usb3000BlockSize(double rateKHz, int channels) {
    const int64_t plain = kUsb3000Quantum * TruncOf(rateKHz / 6.144 + 1);
    if (plain % channels == 0) return plain;
    const int64_t quantum = std::lcm(kUsb3000Quantum, static_cast<int64_t>(channels));
    return quantum * TruncOf(rateKHz * 1000 / static_cast<double>(quantum) + 1);
}

int32_t BlockTimeoutMs(int64_t blockSize, double rateKHz) {
    return static_cast<int32_t>(std::trunc(static_cast<double>(blockSize) / rateKHz + 1000));
}

double CompletedEnd(int32_t blockPos, int32_t blockCount, int64_t blockSize, int channels) {
    if (blockCount <= 1) return 0;
    const int64_t completedBlocks = blockPos > 1 ? blockPos - 1 : blockCount + blockPos - 1;
    return static_cast<double>(completedBlocks * blockSize) / channels;
}

double CompletedBegin(int32_t blockPos, int32_t blockCount, int32_t readsQueued, int64_t blockSize, int channels) {
    if (blockCount <= 1) return 0;
    const int64_t freeBlocks = std::max(0, blockCount - readsQueued);
    const double end = CompletedEnd(blockPos, blockCount, blockSize, channels);
    return std::max(0.0, end - static_cast<double>(freeBlocks * blockSize) / channels);
}

bool SpectrumDue(double recordTime, int32_t blockPos) {
    if (recordTime <= 1.5) return true;
    // Round to the even neighbour, as the display time's steps (2, 3, 5 s ...) have always been.
    const int64_t every = static_cast<int64_t>(std::nearbyint(recordTime));
    return (blockPos - 1) % every == 0;
}

FrameSpan OscilloscopeSpan(double begin, double end, double rateKHz, double recordTime, int channels) {
    FrameSpan span;
    span.last = TruncOf(end) - 1;
    // A frame that begins inside the block in flight is not complete yet.
    const int64_t firstComplete = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(begin)));
    span.first = std::max(firstComplete, TruncOf(end - rateKHz * 1000 * recordTime / channels));
    return span;
}

bool ResampleLastSecond(const int16_t* codes, int channels, int channel, double end,
                        double rateKHz, double interval, int32_t fftSize, double* re, double* im) {
    const int64_t start = TruncOf(end - 1000 * rateKHz / channels);
    const int64_t lastFrame = TruncOf(end) - 1;
    if (start < 0 || lastFrame < start) return false;
    const auto code = [&](int64_t frame) {
        return static_cast<double>(codes[frame * channels + channel]);
    };
    for (int64_t m = 0; m < 2 * static_cast<int64_t>(fftSize); ++m) {
        const double t = static_cast<double>(start) + static_cast<double>(m) * interval;
        const int64_t below = std::min(TruncOf(t), lastFrame);
        const int64_t above = std::min(below + 1, lastFrame);
        const double value = (t - static_cast<double>(TruncOf(t))) * (code(above) - code(below)) +
                             code(below);
        (m % 2 == 0 ? re : im)[m / 2] = value;
    }
    return true;
}

bool LiveSpectrum(const SpectrumJob& job, std::vector<double>& ampTable, std::vector<double>& phaseTable) {
    if (TruncOf(job.end - 1000 * job.rateKHz / job.channels) < 0 || job.fftSize < 1) return false;
    const auto table = [&job](int64_t row, int channel) {
        return static_cast<size_t>(row * job.channels + channel);
    };
    const auto channelSpectrum = [&](int k, std::vector<double>& re, std::vector<double>& im) {
        ResampleLastSecond(job.codes, job.channels, k, job.end, job.rateKHz, job.interval, job.fftSize,
                           re.data() + 1, im.data() + 1);
        RealFFT(re, im, job.fftSize, job.bits, 1);
        ampTable[table(job.fftSize, k)] = 0;
        phaseTable[table(job.fftSize, k)] = 0;
        for (int32_t j = std::max(job.first, 0); j <= std::min(job.last, job.fftSize - 1); ++j) {
            const double a = re[static_cast<size_t>(j) + 1];
            const double b = im[static_cast<size_t>(j) + 1];
            ampTable[table(j, k)] = std::sqrt(a * a + b * b);
        }
    };

    // A transform of 2^16 points takes milliseconds: worth a thread from a few channels on.
    constexpr int64_t kWorthAThread = int64_t{1} << 16;
    const int64_t work = 2 * static_cast<int64_t>(job.fftSize) * job.channels;
    unsigned threads = work >= kWorthAThread ? std::thread::hardware_concurrency() : 1u;
    threads = std::clamp(threads, 1u, static_cast<unsigned>(job.channels));
    std::atomic<int> next{0};
    const auto take = [&] {
        std::vector<double> re(static_cast<size_t>(job.fftSize) + 1);
        std::vector<double> im(static_cast<size_t>(job.fftSize) + 1);
        for (int k = next++; k < job.channels; k = next++) channelSpectrum(k, re, im);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(take);
    take();
    for (std::thread& helper : helpers) helper.join();
    return true;
}

void RotateIntoTimeOrder(std::vector<int16_t>& buffer, int64_t newest, int64_t total,
                         std::vector<int16_t>& scratch) {
    total = std::min<int64_t>(total, static_cast<int64_t>(buffer.size()));
    if (newest <= 0 || newest >= total) return;
    const int64_t older = total - newest;
    int16_t* data = buffer.data();
    const bool newestSmaller = total / 2 > newest;
    const int64_t saved = newestSmaller ? newest : older;
    try {
        scratch.resize(static_cast<size_t>(saved));
    } catch (const std::bad_alloc&) {
        std::vector<int16_t>().swap(scratch);
        std::rotate(data, data + newest, data + total);
        return;
    }
    const size_t bytes = sizeof(int16_t);
    if (newestSmaller) {
        std::memcpy(scratch.data(), data, static_cast<size_t>(newest) * bytes);
        std::memmove(data, data + newest, static_cast<size_t>(older) * bytes);
        std::memcpy(data + older, scratch.data(), static_cast<size_t>(newest) * bytes);
    } else {
        std::memcpy(scratch.data(), data + newest, static_cast<size_t>(older) * bytes);
        std::memmove(data + older, data, static_cast<size_t>(newest) * bytes);
        std::memcpy(data, scratch.data(), static_cast<size_t>(older) * bytes);
    }
    std::vector<int16_t>().swap(scratch);
}

} // namespace ring
