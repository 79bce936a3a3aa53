// Block geometry of long recordings and the block time-out: pure arithmetic on the rate and time.

#include <gtest/gtest.h>

#include <limits>

#include "state/State.h"
#include "threads/AdcRecording.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"

namespace {

struct GeometryCase {
    const char* name;
    double rate;
    double seconds;
    int quantum;
    int32_t blocks;
    int32_t blockSize;
    int32_t timeoutMs;  // for one block at `rate`
};

const GeometryCase kGeometries[] = {
    {"400 kHz, 1 s", 400, 1, adc::kQuevQuantum, 1, 400032, 2000},
    {"400 kHz, 200 s", 400, 200, adc::kQuevQuantum, 77, 1038976, 3597},
    {"400 kHz, 90 s", 400, 90, adc::kQuevQuantum, 35, 1028576, 3571},
    {"exactly one block's worth gets a second block", 32, 32.768, adc::kQuevQuantum, 2, 524320, 17385},
    {"5 kHz, 1 s", 5, 1, adc::kQuevQuantum, 1, 5024, 2004},
    {"5 kHz, 0.01 s", 5, 0.01, adc::kQuevQuantum, 1, 64, 1012},
    {"USB3000, 1 s", adc::kUsb3000LongRate, 1, adc::kUsb3000Quantum, 3, 1000448, 1333},
    {"USB3000, 200 s", adc::kUsb3000LongRate, 200, adc::kUsb3000Quantum, 573, 1047552, 1349},
};

TEST(AdcRecording, LongBlocksHoldAboutAMegasampleInWholeTransferQuanta) {
    for (const GeometryCase& c : kGeometries) {
        SCOPED_TRACE(c.name);
        const adc::BlockGeometry g = adc::LongGeometry(c.rate, c.seconds, c.quantum);
        EXPECT_EQ(g.blocks, c.blocks);
        EXPECT_EQ(g.blockSize, c.blockSize);
        EXPECT_EQ(g.blockSize % c.quantum, 0);
        EXPECT_GE(g.Samples(), c.rate * c.seconds * 1000);
        EXPECT_EQ(adc::BlockTimeoutMs(g.blockSize, c.rate), c.timeoutMs);
    }
}

TEST(AdcRecording, NothingToRecordGivesNoBlocksAndNoRateOnlyTheSpareSecond) {
    EXPECT_EQ(adc::LongGeometry(0, 1, adc::kQuevQuantum).blocks, 0);
    EXPECT_EQ(adc::LongGeometry(400, 0, adc::kQuevQuantum).Samples(), 0);
    EXPECT_EQ(adc::BlockTimeoutMs(4096, 0), 1000);
}

TEST(AdcRecording, QuevControlWordsCountInputsDownAndCarryTheRangeInBits6And7) {
    const uint16_t firstChannel[] = {15, 79, 143, 207};
    for (int range = 0; range < 4; ++range) EXPECT_EQ(adc::QuevControlWord(0, range), firstChannel[range]);
    EXPECT_EQ(adc::QuevControlWord(15, 3), 192);
    EXPECT_EQ(adc::QuevControlWord(3, 2), 140);
}

TEST(AdcRecording, ABufferThatCannotBeHadIsRefusedWithOneBoxAndNoDataLeft) {
    ui::ScriptedFrontEnd frontEnd;
    ui::Application.SetFrontEnd(&frontEnd);
    SampleData.SampleBuffer.assign(64, 7);
    SampleData.SampleCount = 64;
    SampleData.FrameCount = 32;
    EXPECT_FALSE(adc::SizeSampleBuffer(std::numeric_limits<int64_t>::max()));
    EXPECT_TRUE(SampleData.SampleBuffer.empty());
    EXPECT_EQ(SampleData.SampleCount, 0);
    EXPECT_EQ(SampleData.FrameCount, 0);
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
    EXPECT_TRUE(adc::SizeSampleBuffer(100));
    EXPECT_EQ(SampleData.SampleBuffer.size(), 100u);
    ui::Application.SetFrontEnd(nullptr);
    ResetSharedState();
}

}  // namespace
