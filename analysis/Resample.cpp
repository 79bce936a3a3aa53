// The window a transform takes: its size and its samples spread over the work arrays.

#include <algorithm>
#include <cmath>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr int32_t kSmallestPower = 10;  // 1024 real samples
constexpr int32_t kLargestPower = 20;   // 2^20 real samples

}  // namespace

int32_t TransformPower(int32_t frames) {
    if (frames < 2) return kSmallestPower;
    const int32_t bits = static_cast<int32_t>(std::log2(static_cast<double>(frames - 1))) + 1;
    return std::clamp(bits, kSmallestPower, kLargestPower);
}

void ResampleIntoWork(int channel, int32_t first, double step, int32_t n, double scale) {
    const std::vector<int16_t>& codes = SampleData.SampleBuffer;
    const int64_t lastFrame = ValidFrames() - 1;
    if (lastFrame < 0) return;
    AnalysisResultsGroup& r = AnalysisResults;
    for (int64_t s = 0; s < 2 * static_cast<int64_t>(n); ++s) {
        const double t = first + static_cast<double>(s) * step;
        const int64_t i = std::clamp<int64_t>(static_cast<int64_t>(t), 0, lastFrame);
        const int64_t next = std::min(i + 1, lastFrame);
        const double f = t - static_cast<double>(i);
        const double x0 = codes[SampleIndex(i, channel)];
        const double x1 = codes[SampleIndex(next, channel)];
        const double value = (x0 + f * (x1 - x0)) * scale;
        std::vector<double>& work = s % 2 == 0 ? r.WorkRe : r.WorkIm;
        work[s / 2 + 1] = value;
    }
}
