// Composing the DAC buffer: what each addition appends, in which order, under which name, and
// what it refuses.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "analysis/DacBuffer.h"
#include "state/State.h"

namespace {

class DacBufferTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Three kadrs of `channels` channels: channel 0 of frame f is f mod 20000, channel 1 its
    // negative, every other channel 30001.
    static void LoadData(uint8_t channels, int32_t frames = 3 * kKadrFrames, int32_t kadrs = 3) {
        SampleData.DataChannels = channels;
        SampleData.SampleBuffer.assign(static_cast<size_t>(frames) * channels, 30001);
        for (int32_t f = 0; f < frames; ++f) {
            SampleData.SampleBuffer[SampleIndex(f, 0)] = static_cast<int16_t>(f % 20000);
            if (channels > 1) SampleData.SampleBuffer[SampleIndex(f, 1)] = static_cast<int16_t>(-(f % 20000));
        }
        SampleData.FrameCount = frames;
        SampleData.SampleCount = frames * channels;
        DacPlayback.KadrCount = kadrs;
    }
    static int16_t At(size_t i) { return DacPlayback.DacBuffer.at(i); }
    static void ExpectLength(int32_t samples) {
        EXPECT_EQ(DacPlayback.DacBufferLength, samples);
        EXPECT_EQ(DacPlayback.DacBuffer.size(), static_cast<size_t>(samples));
    }
};

TEST_F(DacBufferTest, KadrsAppendChannelPairsInOrderUnderTheirNames) {
    LoadData(3);
    ASSERT_EQ(AppendKadrs(1), ComposeStatus::Done);
    ASSERT_EQ(AppendKadrs(2), ComposeStatus::Done);
    EXPECT_EQ(DacPlayback.DacBufferName, "1-й, 2-й, ");
    ExpectLength(60000);
    EXPECT_EQ(At(0), 0);
    EXPECT_EQ(At(2 * 4999 + 1), -4999);
    EXPECT_EQ(At(30000), 15000) << "kadr 2 starts at frame 15000";
    EXPECT_EQ(At(30001), -15000);
    EXPECT_EQ(At(30000 + 2 * 4999), 19999);
    EXPECT_EQ(At(30000 + 2 * 5000), 0) << "frame 20000";
    for (size_t i = 0; i < DacPlayback.DacBuffer.size(); ++i) ASSERT_NE(At(i), 30001) << "channel 2 never appears, " << i;
}

TEST_F(DacBufferTest, AllKadrsThenAPauseThenEmptyingAndAFreshStart) {
    LoadData(2);
    ASSERT_EQ(AppendKadrs(0), ComposeStatus::Done);
    ASSERT_EQ(AppendPause(), ComposeStatus::Done);
    EXPECT_EQ(DacPlayback.DacBufferName, "3ш., l_l, ");
    ExpectLength(120000);
    EXPECT_EQ(At(2 * 44999), 44999 % 20000);
    for (size_t i = 90000; i < 120000; ++i) ASSERT_EQ(At(i), 0) << i;

    ClearDacBuffer();
    ExpectLength(0);
    EXPECT_EQ(DacPlayback.DacBufferName, "");
    ASSERT_EQ(AppendKadrs(3), ComposeStatus::Done);
    EXPECT_EQ(DacPlayback.DacBufferName, "3-й, ");
    EXPECT_EQ(At(0), 10000) << "frame 30000";
}

TEST_F(DacBufferTest, AdditionsTheDataCannotServeChangeNothing) {
    struct Case {
        const char* what;
        uint8_t channels;
        int32_t frames;
        int32_t kadrs;
        int32_t choice;
        ComposeStatus status;
    };
    const Case cases[] = {
        {"one channel", 1, 3 * kKadrFrames, 3, 1, ComposeStatus::TooFewChannels},
        {"no channels", 0, 0, 3, 0, ComposeStatus::TooFewChannels},
        {"kadr past the frames", 2, 2 * kKadrFrames + 1, 3, 3, ComposeStatus::BeyondData},
        // Eight channels at 60 kHz list whole seconds of 7500 frames as kadrs of 15000.
        {"all kadrs past the frames", 8, 3 * 7500, 3, 0, ComposeStatus::BeyondData},
        {"no selection", 2, 3 * kKadrFrames, 3, -1, ComposeStatus::NoSuchKadr},
        {"beyond the list", 2, 4 * kKadrFrames, 3, 4, ComposeStatus::NoSuchKadr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetSharedState();
        LoadData(c.channels, c.frames, c.kadrs);
        DacPlayback.DacBuffer = {5, 6};
        DacPlayback.DacBufferLength = 2;
        DacPlayback.DacBufferName = "l_l, ";
        EXPECT_EQ(AppendKadrs(c.choice), c.status);
        EXPECT_EQ(DacPlayback.DacBuffer, (std::vector<int16_t>{5, 6}));
        EXPECT_EQ(DacPlayback.DacBufferLength, 2);
        EXPECT_EQ(DacPlayback.DacBufferName, "l_l, ");
    }
    // A count that claims more frames than the buffer holds is bounded by the buffer.
    ResetSharedState();
    LoadData(2, kKadrFrames);
    SampleData.FrameCount = 2 * kKadrFrames;
    DacPlayback.KadrCount = 2;
    EXPECT_EQ(AppendKadrs(2), ComposeStatus::BeyondData);
    EXPECT_EQ(AppendKadrs(1), ComposeStatus::Done);
}

}  // namespace
