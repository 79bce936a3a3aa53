#pragma once
// The arithmetic of playing the DAC buffer: the block geometry of a playback and the words each
// module's DAC takes for a sample of the buffer.

#include <cstddef>
#include <cstdint>

enum class DacWordFormat : uint8_t { Quev, Usb3000 };

// Fixed geometry of a playback: ADC samples and DAC words per block, and the DAC rate (kHz over
// both channels).
inline constexpr int32_t kPlayAdcBlock = 60416;
inline constexpr int32_t kPlayDacBlock = 30208;
inline constexpr double kPlayDacRate = 30.0;

// Blocks a playback of `dacBufferLength` samples runs: the buffer's kadrs plus one, halves to
// the even neighbour (0 samples give 1 block, 45000 give 2, 60000 give 3).
int32_t PlaybackBlocks(int32_t dacBufferLength);

// The DAC step of a buffer sample: Round(x * 0.512), halves to the even neighbour, held within
// the 12-bit range -2048 to 2047.
int32_t DacStep(int16_t sample);

// The module word for a sample of DAC channel 0 or 1 (any other value counts as 1). Quev: the
// 12-bit two's complement step, with 0xF000 added for channel 1. USB3000: 0x4800 (channel 0) or
// 0xC800 (channel 1) plus the step.
uint16_t DacWord(DacWordFormat format, int channel, int16_t sample);

// Converts `count` samples (pairs: channel 0 at even, channel 1 at odd positions) into `words`,
// which holds `wordCount` words; the words past the samples get the zero level of their channel,
// so that the DAC falls silent after the buffer. Samples beyond `wordCount` are not converted.
void ComposeDacWords(DacWordFormat format, const int16_t* samples, size_t count, int16_t* words,
                     size_t wordCount);
