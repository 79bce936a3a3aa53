#include "analysis/Decimate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <utility>

namespace decimate {

namespace {

std::int64_t TruncToFrame(double value) { return static_cast<std::int64_t>(std::trunc(value)); }

// Eight codes side by side; GCC's vector extension keeps them in one SIMD register and turns the
// element-wise selects below into packed min/max instructions.
using Lanes8 = std::int16_t __attribute__((vector_size(16)));

inline Lanes8 LoadLanes(const std::int16_t* p) {
    Lanes8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// How the extremes of one bucket are gathered for a channel count N fixed at compile time. Frames
// are read in memory order and the running minima and maxima sit side by side in vector registers:
// - when lcm(N, 16) codes fit in a few registers, the bucket is read in chunks of that many codes,
//   lane i of a chunk always holding channel i mod N;
// - otherwise each frame is read as ceil(N / 8) vectors starting at its first code; the lanes past
//   N hold codes of the next frame and are ignored. The last frame of the bucket is read code by
//   code, so no read goes past the bucket.
template <int N>
struct LaneLayout {
    static constexpr bool kChunked = std::lcm(N, 16) / 8 <= 6;
    static constexpr int kVectors = kChunked ? std::lcm(N, 16) / 8 : (N + 7) / 8;
    static constexpr int kLanes = 8 * kVectors;
    static constexpr int kStride = kChunked ? kLanes : N; // codes advanced per step
    static constexpr int kFramesPerStep = kStride / N;
    static constexpr int kUsedLanes = kChunked ? kLanes : N;
};

template <int N>
void MinMaxFixed(const std::int16_t* codes, std::int64_t start, std::int64_t end,
                 std::int16_t* mins, std::int16_t* maxs) {
    using L = LaneLayout<N>;

    Lanes8 laneMin[L::kVectors];
    Lanes8 laneMax[L::kVectors];
    for (int v = 0; v < L::kVectors; ++v) {
        laneMin[v] = Lanes8{} + std::numeric_limits<std::int16_t>::max();
        laneMax[v] = Lanes8{} + std::numeric_limits<std::int16_t>::min();
    }

    const std::int64_t frames = end - start + 1;
    const std::int64_t steps = L::kChunked ? frames / L::kFramesPerStep : frames - 1;
    const std::int16_t* p = codes + start * N;
    for (std::int64_t step = 0; step < steps; ++step, p += L::kStride) {
        for (int v = 0; v < L::kVectors; ++v) {
            const Lanes8 x = LoadLanes(p + 8 * v);
            laneMin[v] = x < laneMin[v] ? x : laneMin[v];
            laneMax[v] = x > laneMax[v] ? x : laneMax[v];
        }
    }

    std::int16_t lowest[L::kLanes];
    std::int16_t highest[L::kLanes];
    for (int i = 0; i < L::kLanes; ++i) {
        lowest[i] = laneMin[i / 8][i % 8];
        highest[i] = laneMax[i / 8][i % 8];
    }
    // The frames left over start on a frame boundary, so code i of them belongs to lane i.
    const std::int64_t tailCodes = (frames - steps * L::kFramesPerStep) * N;
    for (std::int64_t i = 0; i < tailCodes; ++i) {
        lowest[i] = std::min(lowest[i], p[i]);
        highest[i] = std::max(highest[i], p[i]);
    }

    for (int c = 0; c < N; ++c) {
        mins[c] = lowest[c];
        maxs[c] = highest[c];
    }
    for (int i = N; i < L::kUsedLanes; ++i) {
        mins[i % N] = std::min(mins[i % N], lowest[i]);
        maxs[i % N] = std::max(maxs[i % N], highest[i]);
    }
}

using MinMaxFn = void (*)(const std::int16_t*, std::int64_t, std::int64_t, std::int16_t*,
                          std::int16_t*);

template <std::size_t... I>
constexpr std::array<MinMaxFn, sizeof...(I)> MakeTable(std::index_sequence<I...>) {
    return {&MinMaxFixed<static_cast<int>(I) + 1>...};
}

constexpr auto kMinMaxByChannels = MakeTable(std::make_index_sequence<kMaxChannels>{});

} // namespace

BucketWalk::BucketWalk(std::int64_t first, std::int64_t last, int divisions)
    : first_(first), last_(last), divisions_(divisions) {
    const double frames = static_cast<double>(last - first + 1);
    width_ = frames / divisions;
    half_ = width_ / 2;
    pos_ = static_cast<double>(first) - half_;
}

bool BucketWalk::Next(Bucket& out) {
    if (index_ > divisions_ || last_ < first_ || divisions_ <= 0) return false;
    out.start = TruncToFrame(pos_);
    out.x = TruncToFrame(pos_ + half_);
    pos_ += width_;
    out.end = TruncToFrame(pos_) - 1;
    if (index_ == 0) out.start = out.x = first_;
    if (index_ == divisions_) out.end = out.x = last_;
    // Narrow ranges (fewer frames than buckets) are drawn point by point by every caller; these
    // bounds only keep a bucket inside first..last should one be asked for anyway.
    out.start = std::clamp(out.start, first_, last_);
    out.end = std::clamp(out.end, out.start, last_);
    out.x = std::clamp(out.x, first_, last_);
    ++index_;
    return true;
}

void BucketMinMax(const std::int16_t* codes, int channels, std::int64_t start, std::int64_t end,
                  std::int16_t* mins, std::int16_t* maxs) {
    kMinMaxByChannels[static_cast<std::size_t>(channels - 1)](codes, start, end, mins, maxs);
}

} // namespace decimate
