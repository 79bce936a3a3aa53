#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>
#include <vector>

#include "analysis/FftComplex.h"
#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Fills sines[k] and cosines[k], k = 1 .. N div 2, with the sine and cosine sums of one channel's
// window samples x, unscaled. Called for several channels at once from different threads, each
// with its own vectors.
using SumsMethod =
    std::function<void(const std::vector<double>& x, std::vector<double>& sines, std::vector<double>& cosines)>;

KernelStatus CheckWindow(uint8_t channel, bool needsAngleTables) {
    const SampleDataGroup& data = SampleData;
    const AnalysisResultsGroup& results = AnalysisResults;
    if (data.DataChannels == 0) {
        return KernelStatus::NoChannels;
    }
    if (results.FourierCount < 1) {
        return KernelStatus::EmptyWindow;
    }
    if (results.FourierFirst < 0) {
        return KernelStatus::NegativeStart;
    }
    if (static_cast<int64_t>(results.FourierFirst) + results.FourierCount > ValidFrames()) {
        return KernelStatus::WindowBeyondData;
    }
    if (channel >= data.DataChannels) {
        return KernelStatus::ChannelOutOfRange;
    }
    if (channel != 0) {
        const size_t n = static_cast<size_t>(results.FourierCount);
        if (TableRows() < n / 2 + 1) {
            return KernelStatus::TablesMissing;
        }
        if (needsAngleTables && (results.SinTable.size() < n || results.CosTable.size() < n)) {
            return KernelStatus::TablesMissing;
        }
    }
    return KernelStatus::Done;
}

// Folds the one value rounding can leave at 2π back to 0, so phases stay in [0, 2π).
double WithinTurn(double phase) { return phase >= kTwoPi ? phase - kTwoPi : phase; }

// Phase of a harmonic from its scaled sine sum s and cosine sum c: that of a sine referred to
// the frame before the window.
double HarmonicPhase(double s, double c, double n, double amplitude) {
    if (c == 0.0 || amplitude == 0.0) {
        return s < 0.0 ? std::numbers::pi : 0.0;
    }
    // In exact arithmetic the cosine lies within ±1; rounding may carry it just past.
    const double cosine = std::clamp(2.0 * s / n / amplitude, -1.0, 1.0);
    return c > 0.0 ? std::acos(cosine) : WithinTurn(kTwoPi - std::acos(cosine));
}

void BuildAngleTables(size_t n) {
    AnalysisResults.SinTable.assign(n, 0.0);
    AnalysisResults.CosTable.assign(n, 0.0);
    for (size_t j = 0; j < n; ++j) {
        const double angle = static_cast<double>(2 * j) * std::numbers::pi / static_cast<double>(n);
        AnalysisResults.SinTable[j] = std::sin(angle);
        AnalysisResults.CosTable[j] = std::cos(angle);
    }
}

// One channel's mean and harmonics into its entries of AmpTable and PhaseTable. Channels touch
// disjoint entries, so several may run at once.
void DecomposeChannel(uint8_t c, const SumsMethod& sums) {
    AnalysisResultsGroup& r = AnalysisResults;
    const size_t n = static_cast<size_t>(r.FourierCount);
    const double nd = static_cast<double>(n);
    const double y = SampleData.DataMvPerCode;
    std::vector<double> x(n);
    for (size_t j = 0; j < n; ++j) {
        x[j] = SampleData.SampleBuffer[SampleIndex(static_cast<size_t>(r.FourierFirst) + j, c)];
    }

    double mean = 0.0;
    for (double v : x) {
        mean += v;
    }
    r.AmpTable[c] = y * mean / nd;
    r.PhaseTable[c] = 0.0;

    std::vector<double> sines(n / 2 + 1);
    std::vector<double> cosines(n / 2 + 1);
    sums(x, sines, cosines);
    for (size_t k = 1; k <= n / 2; ++k) {
        const double s = sines[k] * y;
        const double cs = cosines[k] * y;
        const double amplitude = 2.0 * std::sqrt((s / nd) * (s / nd) + (cs / nd) * (cs / nd));
        r.AmpTable[TableIndex(k, c)] = amplitude;
        r.PhaseTable[TableIndex(k, c)] = HarmonicPhase(s, cs, nd, amplitude);
    }
}

// Channels first..last, spread over the cores when the work is worth a thread. Each channel is
// computed the same way whichever thread takes it, so the result does not depend on the count.
void DecomposeChannels(unsigned first, unsigned last, const SumsMethod& sums, bool parallel) {
    const unsigned channels = last - first + 1;
    const size_t work = static_cast<size_t>(AnalysisResults.FourierCount) * channels;
    constexpr size_t kWorthAThread = 1u << 16;
    unsigned threads = parallel && work >= kWorthAThread ? std::thread::hardware_concurrency() : 1u;
    threads = std::clamp(threads, 1u, channels);
    if (threads == 1) {
        for (unsigned c = first; c <= last; ++c) DecomposeChannel(static_cast<uint8_t>(c), sums);
        return;
    }
    std::atomic<unsigned> next{first};
    const auto take = [&] {
        for (unsigned c = next++; c <= last; c = next++) DecomposeChannel(static_cast<uint8_t>(c), sums);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(take);
    take();
    for (std::thread& helper : helpers) helper.join();
}

KernelStatus Decompose(uint8_t channel, bool needsAngleTables, bool parallel, const SumsMethod& sums) {
    const KernelStatus status = CheckWindow(channel, needsAngleTables);
    if (status != KernelStatus::Done) {
        return status;
    }
    AnalysisResultsGroup& r = AnalysisResults;
    const size_t n = static_cast<size_t>(r.FourierCount);
    uint8_t first = channel;
    uint8_t last = channel;
    if (channel == 0) {
        last = static_cast<uint8_t>(SampleData.DataChannels - 1);
        const size_t entries = SampleData.DataChannels * (n / 2 + 1);
        r.AmpTable.assign(entries, 0.0);
        r.PhaseTable.assign(entries, 0.0);
        r.PhasesInRadians = true;
        // Only the direct sums read the angle tables; either way none is left behind.
        if (needsAngleTables) BuildAngleTables(n);
    }
    DecomposeChannels(first, last, sums, parallel);

    r.WorkRe = {};
    r.WorkIm = {};
    if (channel == 0) {
        r.SinTable = {};
        r.CosTable = {};
    }
    return KernelStatus::Done;
}

}  // namespace

KernelStatus FurieDecomposeDirect(uint8_t channel) {
    return Decompose(channel, true, false, [](const std::vector<double>& x, std::vector<double>& sines,
                                              std::vector<double>& cosines) {
        AnalysisResultsGroup& r = AnalysisResults;
        const size_t n = x.size();
        for (size_t k = 1; k <= n / 2; ++k) {
            // Angle index ((j + 1) k) mod N, stepped rather than multiplied so that no product
            // can overflow whatever the window.
            double s = 0.0;
            double c = 0.0;
            size_t i = k;
            for (size_t j = 0; j < n; ++j) {
                s += x[j] * r.SinTable[i];
                c += x[j] * r.CosTable[i];
                i += k;
                if (i >= n) {
                    i -= n;
                }
            }
            sines[k] = s;
            cosines[k] = c;
        }
    });
}

KernelStatus FurieDecompose(uint8_t channel) {
    if (const KernelStatus status = CheckWindow(channel, false); status != KernelStatus::Done) {
        return status;
    }
    // The sums are a discrete transform turned by one frame: with X_k = sum x_j e^(-2πi jk/N),
    // C_k + i S_k = e^(2πi k/N) conj(X_k). The transform of any N is done in O(N log N).
    const size_t n = static_cast<size_t>(AnalysisResults.FourierCount);
    const kernels::RealDftPlan plan(n);  // shared by the threads; each brings its scratch
    std::vector<kernels::Complex> turn(n / 2 + 1);
    for (size_t k = 1; k <= n / 2; ++k) {
        const double angle = kTwoPi * static_cast<double>(k) / static_cast<double>(n);
        turn[k] = {std::cos(angle), std::sin(angle)};
    }
    return Decompose(channel, false, true, [&](const std::vector<double>& x, std::vector<double>& sines,
                                               std::vector<double>& cosines) {
        std::vector<kernels::Complex> spectrum(n / 2 + 1);
        std::vector<kernels::Complex> scratch(plan.ScratchSize());
        plan.Transform(x.data(), spectrum.data(), scratch.data());
        for (size_t k = 1; k <= n / 2; ++k) {
            const kernels::Complex xk = spectrum[k];
            cosines[k] = xk.re * turn[k].re + xk.im * turn[k].im;
            sines[k] = xk.re * turn[k].im - xk.im * turn[k].re;
        }
    });
}
