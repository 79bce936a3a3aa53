#pragma once
// Min/max bucket decimation of interleaved 16-bit codes.
//
// A long record is drawn as a fixed number of buckets; each bucket shows its lowest and its highest
// code at one X position, so every extreme of the record stays visible however many frames it has.
// The chart's whole-record and visible-range drawing use 1200 divisions (1201 buckets), the live
// oscilloscope of the acquisition worker 1000 (1001 buckets); both go through this one routine.

#include <cstdint>

namespace decimate {

// At and above this many frames a range is drawn in buckets; below it, point by point.
inline constexpr std::int64_t kBucketThreshold = 2400;
inline constexpr int kMaxChannels = 16;

struct Bucket {
    std::int64_t start; // first frame of the bucket
    std::int64_t end;   // last frame of the bucket (inclusive)
    std::int64_t x;     // frame index the bucket is plotted at
};

// Walks the divisions + 1 buckets of frames first..last. The position is accumulated by addition
// (not b * width) so that bucket borders fall exactly where the drawing always put them; bucket 0
// starts and is plotted at `first`, the last bucket ends and is plotted at `last`.
class BucketWalk {
public:
    BucketWalk(std::int64_t first, std::int64_t last, int divisions);
    // Fills `out` with the next bucket; false after the last one.
    bool Next(Bucket& out);

private:
    std::int64_t first_;
    std::int64_t last_;
    int divisions_;
    int index_ = 0;
    double width_;
    double half_;
    double pos_;
};

// Lowest and highest code of each of `channels` channels over frames start..end (inclusive, end >=
// start) of `codes`, a buffer of frames of `channels` interleaved codes. Writes channels entries of
// mins and maxs. Walks frames in memory order with all channels' extremes side by side.
void BucketMinMax(const std::int16_t* codes, int channels, std::int64_t start, std::int64_t end,
                  std::int16_t* mins, std::int16_t* maxs);

// Runs the bucket walk of first..last over `codes` and hands every bucket to
// sink(x, mins, maxs), mins and maxs holding `channels` entries. The caller guarantees that frames
// first..last lie in the buffer and 1 <= channels <= kMaxChannels.
template <class Sink>
void ForEachMinMaxBucket(const std::int16_t* codes, int channels, std::int64_t first,
                         std::int64_t last, int divisions, Sink&& sink) {
    std::int16_t mins[kMaxChannels];
    std::int16_t maxs[kMaxChannels];
    BucketWalk walk(first, last, divisions);
    Bucket bucket;
    while (walk.Next(bucket)) {
        BucketMinMax(codes, channels, bucket.start, bucket.end, mins, maxs);
        sink(bucket.x, static_cast<const std::int16_t*>(mins),
             static_cast<const std::int16_t*>(maxs));
    }
}

} // namespace decimate
