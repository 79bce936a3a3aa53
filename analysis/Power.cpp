#include "analysis/Power.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/Numbers.h"

namespace power {

namespace {

// The frames the record can really supply.
int64_t UsableFrames(const DriveRecord& record) {
    if (record.channels <= 0 || record.frames <= 0) return 0;
    const auto held = static_cast<int64_t>(record.codes.size() / static_cast<size_t>(record.channels));
    return std::min(record.frames, held);
}

// Calls visit(interval, first code of each frame) over the whole intervals of the record, and
// gives how many there are. Nothing is visited unless the record has `neededChannels`.
template <class Visit>
int64_t ForEachFrame(const DriveRecord& record, int64_t window, int neededChannels, Visit&& visit) {
    if (record.channels < neededChannels) return 0;
    const int64_t intervals = IntervalCount(record, window);
    for (int64_t w = 0; w < intervals; ++w) {
        for (int64_t k = w * window; k < (w + 1) * window; ++k) {
            visit(w, k, record.codes.data() + k * record.channels);
        }
    }
    return intervals;
}

}  // namespace

int64_t RoundedFrames(double frames) {
    if (!(frames >= 0)) return 0;  // negative or not a number
    if (frames >= static_cast<double>(kFramesBeyondAnyRecord)) return kFramesBeyondAnyRecord;
    return platform::Round(frames);
}

int64_t MainsPeriodFrames(double rateKHz, int channels, double mainsHz) {
    if (channels <= 0) return 0;
    return RoundedFrames(1000 * rateKHz / channels / mainsHz);
}

int64_t IntervalFrames(double intervalMs, double rateKHz, int channels) {
    if (channels <= 0) return 0;
    return RoundedFrames(intervalMs * rateKHz / channels);
}

int64_t IntervalCount(const DriveRecord& record, int64_t window) {
    return window >= 1 ? UsableFrames(record) / window : 0;
}

std::vector<std::vector<double>> ActivePower(const DriveRecord& record, int64_t window,
                                             VoltageWiring wiring, double scale) {
    // Integer sums are exact: a product is below 2^30 and a record below 2^31 frames.
    std::vector<std::array<int64_t, 3>> sums(
        static_cast<size_t>(record.channels >= kPowerChannels ? IntervalCount(record, window) : 0));
    const int64_t intervals = ForEachFrame(record, window, kPowerChannels,
                                           [&](int64_t w, int64_t, const int16_t* x) {
        const int64_t i[3] = {x[kFirstCurrent], x[kFirstCurrent + 1], x[kFirstCurrent + 2]};
        const int64_t u[3] = {x[kFirstVoltage], x[kFirstVoltage + 1], x[kFirstVoltage + 2]};
        std::array<int64_t, 3>& sum = sums[static_cast<size_t>(w)];
        if (wiring == VoltageWiring::Line) {
            // Each phase from the other phases' currents and the line voltages they span.
            sum[0] += i[1] * u[1] - i[0] * u[2];
            sum[1] += i[0] * u[0] - i[2] * u[1];
            sum[2] += i[2] * u[2] - i[1] * u[0];
        } else {
            for (int p = 0; p < 3; ++p) sum[p] += i[p] * u[p];
        }
    });
    const double factor = wiring == VoltageWiring::Phase ? 1.5 : 1.0;
    std::vector<std::vector<double>> series(4, std::vector<double>(static_cast<size_t>(intervals)));
    for (int64_t w = 0; w < intervals; ++w) {
        double total = 0;
        for (int p = 0; p < 3; ++p) {
            const double value =
                factor * static_cast<double>(sums[static_cast<size_t>(w)][p]) * scale / static_cast<double>(window);
            series[p][static_cast<size_t>(w)] = value;
            total += value;
        }
        series[3][static_cast<size_t>(w)] = total / 3;
    }
    return series;
}

std::vector<double> Torque(const DriveRecord& record, int64_t window, double scale) {
    std::vector<double> series(
        static_cast<size_t>(record.channels > kTorqueChannel ? IntervalCount(record, window) : 0));
    ForEachFrame(record, window, kTorqueChannel + 1, [&](int64_t w, int64_t, const int16_t* x) {
        series[static_cast<size_t>(w)] += x[kTorqueChannel];
    });
    for (double& value : series) value = value * scale / static_cast<double>(window);
    return series;
}

std::vector<double> Speed(const DriveRecord& record, int64_t window, double intervalMs,
                          uint8_t& edgeState) {
    if (record.channels <= kSpeedChannel || UsableFrames(record) == 0) return {};
    bool high = record.codes[kSpeedChannel] > kSpeedThreshold;
    std::vector<int64_t> edges(static_cast<size_t>(IntervalCount(record, window)));
    ForEachFrame(record, window, kSpeedChannel + 1, [&](int64_t w, int64_t k, const int16_t* x) {
        if (k == 0) return;
        const int16_t code = x[kSpeedChannel];
        if (high ? code < kSpeedThreshold : code > kSpeedThreshold) {
            high = !high;
            ++edges[static_cast<size_t>(w)];
        }
    });
    edgeState = high ? 1 : 0;
    std::vector<double> series(edges.size());
    for (size_t w = 0; w < edges.size(); ++w) series[w] = static_cast<double>(edges[w]) / 0.12 / intervalMs;
    return series;
}

}  // namespace power
