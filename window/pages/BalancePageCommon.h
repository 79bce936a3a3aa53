#pragma once
// What the balancing run and the correction share: the data in memory as frames, the measurement
// of one revolution and the texts of its result.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/Balancing.h"

namespace balance_page {

// SampleBuffer as frames, bounded by what the buffer really holds.
balancing::Frames DataInMemory();

// The vibration of both planes over the revolution from mark `from` to mark `to`, in mV at the
// scale of the data in memory. A measured revolution becomes the analysis window (FourierFirst,
// FourierCount); the angle tables are left empty either way. None when the data cannot give it
// (see balancing::MeasureInterval).
std::optional<std::array<balancing::Vibration, 2>> MeasureRevolution(int32_t from, int32_t to);

// "<from> - <to>"
std::string IntervalText(int32_t from, int32_t to);
// "Amp<n>: <amplitude>   Faz<n>: <phase>" for plane n (1 or 2).
std::string PlaneText(int plane, const balancing::Vibration& vibration);

}  // namespace balance_page
