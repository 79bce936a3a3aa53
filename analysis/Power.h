#pragma once
// The arithmetic of a motor drive test, per averaging interval of a record of interleaved ADC
// codes: the active power of the three phases, the shaft torque and the motor speed counted from
// the edges of a pulse sensor. Plain functions on numbers; the power page supplies the record,
// the coefficients and the windows.

#include <cstdint>
#include <span>
#include <vector>

namespace power {

// Channels of a drive record: currents of phases A, B, C, their voltages, the speed pulse sensor
// and the torque sensor.
inline constexpr int kFirstCurrent = 0;
inline constexpr int kFirstVoltage = 3;
inline constexpr int kSpeedChannel = 6;
inline constexpr int kTorqueChannel = 7;
inline constexpr int kPowerChannels = 6;

// A pulse code above this is high, below it low; the threshold itself keeps the state it finds.
inline constexpr int16_t kSpeedThreshold = 1000;

// Frame k, channel c at k * channels + c; `frames` whole frames are used, never more than the
// codes hold.
struct DriveRecord {
    std::span<const int16_t> codes;
    int channels = 0;
    int64_t frames = 0;
};

enum class VoltageWiring {
    Line,   // the voltage channels carry Uab, Ubc, Uca
    Phase,  // they carry Ua, Ub, Uc
};

// A count of frames as the station rounds it (halves to the even neighbour). A value that is
// not a finite non-negative number gives 0; one beyond any record gives kFramesBeyondAnyRecord.
inline constexpr int64_t kFramesBeyondAnyRecord = int64_t{1} << 40;
int64_t RoundedFrames(double frames);

// Frames in one mains period: 1000 x rate / channels / mainsHz, rate in kHz over all channels.
int64_t MainsPeriodFrames(double rateKHz, int channels, double mainsHz);

// Frames in one averaging interval: intervalMs x rate / channels.
int64_t IntervalFrames(double intervalMs, double rateKHz, int channels);

// Whole averaging intervals of `window` frames in the record; the frames after the last whole
// interval are not used. 0 for a window below 1 frame.
int64_t IntervalCount(const DriveRecord& record, int64_t window);

// Active power of phases A, B, C and their mean, one value per interval: the sum over the
// interval of the wiring's products of current and voltage codes, times `scale` (current
// coefficient x voltage coefficient x mV per code squared), divided by the window. Empty
// without the six current and voltage channels.
std::vector<std::vector<double>> ActivePower(const DriveRecord& record, int64_t window,
                                             VoltageWiring wiring, double scale);

// Shaft torque per interval: the mean torque code times `scale` (N·m per volt / 1000 x mV per
// code). Empty without the torque channel.
std::vector<double> Torque(const DriveRecord& record, int64_t window, double scale);

// Motor speed per interval: the pulse edges counted in the interval / 0.12 / intervalMs.
// The edge state starts from the record's first frame (which is itself never counted) and
// carries from one interval to the next; `edgeState` receives its final value (1 high, 0 low).
// Empty, and `edgeState` untouched, without the speed channel.
std::vector<double> Speed(const DriveRecord& record, int64_t window, double intervalMs,
                          uint8_t& edgeState);

}  // namespace power
