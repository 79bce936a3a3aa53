// The words each module's DAC takes for a buffer sample, and the block count of a playback.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "analysis/DacWords.h"

namespace {

TEST(DacWords, EachModuleAndChannelEncodesTheStepAndClampsAtTheRangeEnds) {
    struct Case {
        int16_t sample;
        uint16_t quev0, quev1, usb0, usb1;
    };
    const Case cases[] = {
        {0, 0x000, 0xF000, 0x4800, 0xC800},      {1, 0x001, 0xF001, 0x4801, 0xC801},
        {-1, 0xFFF, 0xFFFF, 0x47FF, 0xC7FF},     {125, 0x040, 0xF040, 0x4840, 0xC840},
        {3, 0x002, 0xF002, 0x4802, 0xC802},      {-3, 0xFFE, 0xFFFE, 0x47FE, 0xC7FE},  // 1.536 steps
        {1000, 0x200, 0xF200, 0x4A00, 0xCA00},   {-1000, 0xE00, 0xFE00, 0x4600, 0xC600},
        {3999, 0x7FF, 0xF7FF, 0x4FFF, 0xCFFF},   {4000, 0x7FF, 0xF7FF, 0x4FFF, 0xCFFF},
        {-4000, 0x800, 0xF800, 0x4000, 0xC000},  {-4001, 0x800, 0xF800, 0x4000, 0xC000},
        {32767, 0x7FF, 0xF7FF, 0x4FFF, 0xCFFF},  {-32768, 0x800, 0xF800, 0x4000, 0xC000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        EXPECT_EQ(DacWord(DacWordFormat::Quev, 0, c.sample), c.quev0);
        EXPECT_EQ(DacWord(DacWordFormat::Quev, 1, c.sample), c.quev1);
        EXPECT_EQ(DacWord(DacWordFormat::Usb3000, 0, c.sample), c.usb0);
        EXPECT_EQ(DacWord(DacWordFormat::Usb3000, 1, c.sample), c.usb1);
    }
}

TEST(DacWords, PlaybackBlocksAreTheKadrsPlusOneHalvesToEven) {
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 1}, {14999, 1}, {15000, 2}, {30000, 2}, {45000, 2}, {60000, 3}, {75000, 4}, {105000, 4}, {120000, 5},
    };
    for (const auto& [length, blocks] : cases) {
        EXPECT_EQ(PlaybackBlocks(length), blocks) << length;
        EXPECT_GE(int64_t{blocks} * kPlayDacBlock, length) << "the DAC stream holds the buffer";
    }
}

TEST(DacWords, ComposedWordsAlternateChannelsAndEndInTheSilenceOfEach) {
    const std::vector<int16_t> samples = {1000, -1000, 4000, 1};
    struct Expected {
        DacWordFormat format;
        std::vector<uint16_t> words;  // channel 0, 1, 0, 1, then the silence of 0, 1, 0
    };
    const Expected expected[] = {
        {DacWordFormat::Quev, {0x0200, 0xFE00, 0x07FF, 0xF001, 0x0000, 0xF000, 0x0000}},
        {DacWordFormat::Usb3000, {0x4A00, 0xC600, 0x4FFF, 0xC801, 0x4800, 0xC800, 0x4800}},
    };
    for (const Expected& e : expected) {
        std::vector<int16_t> words(8, 0x5555);
        ComposeDacWords(e.format, samples.data(), samples.size(), words.data(), 7);
        for (size_t i = 0; i < 7; ++i) EXPECT_EQ(static_cast<uint16_t>(words[i]), e.words[i]) << i;
        EXPECT_EQ(words[7], 0x5555) << "nothing is written past the words asked for";
    }
    // A destination shorter than the samples takes only what fits.
    std::vector<int16_t> two(2);
    ComposeDacWords(DacWordFormat::Quev, samples.data(), samples.size(), two.data(), two.size());
    EXPECT_EQ(static_cast<uint16_t>(two[1]), 0xFE00);
}

}  // namespace
