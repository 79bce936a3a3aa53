#include "analysis/DacWords.h"

#include <algorithm>

#include "platform/Numbers.h"

namespace {

constexpr double kStepsPerCode = 0.512;
constexpr int32_t kLowestStep = -2048;
constexpr int32_t kHighestStep = 2047;
constexpr uint16_t kStepBits = 0x0FFF;
constexpr uint16_t kQuevSecondChannel = 0xF000;
constexpr uint16_t kUsb3000Zero[2] = {0x4800, 0xC800};

} // namespace

int32_t PlaybackBlocks(int32_t dacBufferLength) {
    return static_cast<int32_t>(platform::Round(dacBufferLength / 30000.0 + 1));
}

int32_t DacStep(int16_t sample) {
    const auto step = static_cast<int32_t>(platform::Round(sample * kStepsPerCode));
    return std::clamp(step, kLowestStep, kHighestStep);
}

uint16_t DacWord(DacWordFormat format, int channel, int16_t sample) {
    const int32_t step = DacStep(sample);
    const bool second = channel != 0;
    if (format == DacWordFormat::Quev) {
        const auto code = static_cast<uint16_t>(static_cast<uint32_t>(step) & kStepBits);
        return second ? static_cast<uint16_t>(kQuevSecondChannel | code) : code;
    }
    return static_cast<uint16_t>(kUsb3000Zero[second ? 1 : 0] + step);
}

void ComposeDacWords(DacWordFormat format, const int16_t* samples, size_t count, int16_t* words,
                     size_t wordCount) {
    const size_t converted = std::min(count, wordCount);
    for (size_t i = 0; i < wordCount; ++i) {
        const int16_t sample = i < converted ? samples[i] : int16_t{0};
        words[i] = static_cast<int16_t>(DacWord(format, static_cast<int>(i % 2), sample));
    }
}
