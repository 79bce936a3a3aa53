// Playback on the simulated modules: the DAC receives the composed buffer word for word, the ADC
// records it back through the bench's loop, and the recording becomes the data in memory.

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/DateTime.h"
#include "tests/threads/PlayTestSupport.h"
#include "window/Redraw.h"

namespace {

using namespace play_test;

struct ModuleCase {
    ModuleKind kind;
    DacWordFormat format;
    int codesPerBufferCode;  // the USB3000's ADC steps are half the Quev module's
    std::vector<std::string> calls;  // of a three-block playback
};

// Both modules queue their ADC blocks ahead, feed the DAC at its own pace and stop it first.
const std::vector<std::string> kThreeBlockCalls{"SET_INPUT_PARS", "SET_OUTPUT_PARS", "START_WRITE", "WriteData",
                                                "START_READ",     "ReadData",        "ReadData",    "WriteData",
                                                "ReadData",       "WriteData",       "STOP_WRITE",  "STOP_READ"};
const ModuleCase kQuev{ModuleKind::Quev, DacWordFormat::Quev, 1, kThreeBlockCalls};
const ModuleCase kUsb3000{ModuleKind::Usb3000, DacWordFormat::Usb3000, 2, kThreeBlockCalls};

void PrintTo(const ModuleCase& m, std::ostream* os) { *os << (m.kind == ModuleKind::Quev ? "Quev" : "USB3000"); }

// The delay (frames) after which recorded channel `channel` repeats DAC channel `dac` of the
// buffer within a code of the module's step, or none. The bench's latency is a whole number of
// frames, so a frame taken at the very instant a pair comes out may still read the pair before:
// frame k reads pair k - delay or k - delay - 1.
std::optional<size_t> LoopDelay(size_t channel, size_t dac, int scale) {
    const size_t pairs = static_cast<size_t>(DacPlayback.DacBufferLength) / 2;
    const size_t frames = static_cast<size_t>(ValidFrames());
    const auto matches = [&](size_t frame, size_t pair) {
        return std::abs(SampleData.SampleBuffer[SampleIndex(frame, channel)] - scale * DacPlayback.DacBuffer[2 * pair + dac]) <= scale;
    };
    for (size_t delay = 0; delay + pairs < frames && delay < 8000; ++delay) {
        size_t p = 1;
        while (p < pairs && (matches(p + delay, p) || matches(p + delay, p - 1))) ++p;
        if (p == pairs) return delay;
    }
    return std::nullopt;
}

class PlayOnModule : public PlayTest, public ::testing::WithParamInterface<ModuleCase> {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        platform::SetNowProvider([] { return platform::CombineDateTime(platform::EncodeDate(2024, 5, 6), platform::EncodeTime(7, 8, 9, 0)); });
    }
    void TearDown() override {
        PlayTest::TearDown();
        platform::SetNowProvider(nullptr);
    }
};

TEST_P(PlayOnModule, DacGetsTheBufferWordForWordAndTheAdcRecordsItBack) {
    const ModuleCase& m = GetParam();
    BringUp(m.kind);
    Compose(2);
    SampleData.DataTime = platform::EncodeDate(2023, 1, 2);
    SampleData.DataFileName = "earlier.asc";
    const size_t before = Bench().CallLog(m.kind, 0).size();
    Play();

    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(CallsSince(m.kind, before), m.calls);
    EXPECT_EQ(Bench().DacWords(m.kind, 0), ExpectedWords(m.format));
    EXPECT_EQ(Bench().DacUnderruns(m.kind, 0), 0u);

    // Channels 0 and 2 read the DAC outputs directly; DAC channel 1 is played half a frame later.
    const auto delay0 = LoopDelay(0, 0, m.codesPerBufferCode);
    const auto delay1 = LoopDelay(2, 1, m.codesPerBufferCode);
    ASSERT_TRUE(delay0 && delay1);
    EXPECT_GT(*delay0, 0u) << "the output lags the start by the DAC's latency";
    EXPECT_LE(*delay1 - *delay0, 1u);
    // After the buffer the DAC plays silence to the end of the recording.
    for (size_t f = *delay1 + 30000 + 2; f < static_cast<size_t>(ValidFrames()); ++f) {
        ASSERT_EQ(Recorded(f, 0), 0) << f;
        ASSERT_EQ(Recorded(f, 2), 0) << f;
    }

    // The chart shows the recording in millivolts at the module's own scale: the peak of the
    // buffer it played, whichever module played it.
    RedrawChart();
    const ui::Series& shown = *form->Series[0];
    ASSERT_GT(shown.Count(), 0);
    int16_t bufferPeak = 0;
    for (size_t i = 0; i < DacPlayback.DacBuffer.size() / 2; ++i)
        bufferPeak = std::max(bufferPeak, DacPlayback.DacBuffer[DacPairIndex(i)]);
    EXPECT_DOUBLE_EQ(*std::max_element(shown.YValues().begin(), shown.YValues().end()) * shown.YMultiplier(),
                     bufferPeak * kQuevMvPerCode);

    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(SampleData.DataRate, 60.0);
    EXPECT_EQ(SampleData.SampleCount, 3 * kPlayAdcBlock);
    EXPECT_EQ(SampleData.FrameCount, 3 * kPlayAdcBlock / 4);
    EXPECT_EQ(SampleData.SampleBuffer.size(), 3u * kPlayAdcBlock);
    EXPECT_EQ(ChartState.DataKind, kKindPlaybackData);
    EXPECT_EQ(SampleData.DataFileName, kNotSavedName);
    EXPECT_DOUBLE_EQ(ChartState.XMultiplier, 1.0 / 15000);
    EXPECT_EQ(BlockRing.BlockCount, 3);
    EXPECT_EQ(TransferState.IoTimeout, 4012);
    EXPECT_EQ(TransferState.AdcEvent, nullptr);
    EXPECT_EQ(TransferState.DacEvent, nullptr);
    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_FALSE(form->SpeedButtonSPlay->Down());
    EXPECT_TRUE(form->Chart->Enabled());
    EXPECT_EQ(form->Chart->TitleText().rfind("Файл :  НЕ СОХРАНЁН !!!", 0), 0u) << form->Chart->TitleText();
    const std::string tail =
        ", Q=60кГц, N=4, K=0, Qdac=30кГц, RBA=60416, RBD=30208, ND=181248, NDdac=90624, Вырезать 0шт на канал";
    EXPECT_EQ(Log(), (std::vector<std::string>{"Данные ШЭМ  02.01.2023" + tail,
                                               "Данные для ДШК ШЭМ  06.05.2024 07:08:09" + tail}));
}

TEST_P(PlayOnModule, AnEmptyBufferPlaysOneBlockOfSilenceAndStops) {
    const ModuleCase& m = GetParam();
    BringUp(m.kind);
    const size_t before = Bench().CallLog(m.kind, 0).size();
    Play();

    const std::vector<std::string> setUpAndStop(m.calls.begin(), m.calls.begin() + 6);
    auto expected = setUpAndStop;
    expected.insert(expected.end(), m.calls.end() - 2, m.calls.end());
    EXPECT_EQ(CallsSince(m.kind, before), expected);
    EXPECT_EQ(Bench().DacWords(m.kind, 0), ExpectedWords(m.format));
    EXPECT_EQ(Bench().DacWords(m.kind, 0).size(), static_cast<size_t>(kPlayDacBlock));
    EXPECT_EQ(Bench().DacUnderruns(m.kind, 0), 0u);
    EXPECT_EQ(SampleData.SampleCount, kPlayAdcBlock);
    EXPECT_EQ(SampleData.SampleBuffer.size(), static_cast<size_t>(kPlayAdcBlock));
    EXPECT_TRUE(std::all_of(SampleData.SampleBuffer.begin(), SampleData.SampleBuffer.end(),
                            [](int16_t code) { return code == 0; }));
    EXPECT_EQ(ChartState.DataKind, kKindPlaybackData);
}

// An ADC block then lasts two DAC blocks: over seven blocks the DAC is still fed without a gap.
TEST_P(PlayOnModule, TheControlSwitchRecordsTheFilteredPairAtHalfTheRate) {
    const ModuleCase& m = GetParam();
    BringUp(m.kind);
    Compose(6);
    form->CheckBoxSControl->Click();
    Play();

    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Bench().DacWords(m.kind, 0), ExpectedWords(m.format));
    EXPECT_EQ(Bench().DacUnderruns(m.kind, 0), 0u);
    EXPECT_EQ(SampleData.DataChannels, 2);
    EXPECT_EQ(SampleData.DataRate, 30.0);
    EXPECT_EQ(SampleData.FrameCount, 7 * kPlayAdcBlock / 2);
    EXPECT_EQ(TransferState.IoTimeout, 6026);
    EXPECT_DOUBLE_EQ(ChartState.XMultiplier, 1.0 / 15000);
    EXPECT_TRUE(LoopDelay(0, 0, m.codesPerBufferCode).has_value());
    EXPECT_NE(Log().at(0).find(", Q=30кГц, N=2,"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothModules, PlayOnModule, ::testing::Values(kQuev, kUsb3000),
                         [](const auto& info) { return info.param.kind == ModuleKind::Quev ? "Quev" : "Usb3000"; });

TEST_F(PlayTest, OneModulePlaysARunChosenByItsDac) {
    struct Case {
        bool quevDac;
        ModuleKind plays, idle;
    };
    for (const Case c : {Case{true, ModuleKind::Quev, ModuleKind::Usb3000}, Case{false, ModuleKind::Usb3000, ModuleKind::Quev}}) {
        SCOPED_TRACE(c.quevDac);
        TearDown();
        SetUp();
        Bench().SetDacFitted(ModuleKind::Quev, c.quevDac);
        BringUpPresent();
        ASSERT_TRUE(ModuleState.QuevPresent && ModuleState.Usb3000Present);
        const size_t idleBefore = Bench().CallLog(c.idle, 0).size();
        Compose(1);
        Play();
        EXPECT_EQ(Bench().DacWords(c.plays, 0).size(), 2u * kPlayDacBlock);
        EXPECT_EQ(Bench().CallLog(c.idle, 0).size(), idleBefore) << "the other module is left alone";
    }
}

TEST_F(PlayTest, AStopPressDuringTheSetUpEndsAfterBlockZeroAndANewPressPlaysAgain) {
    BringUp(ModuleKind::Quev);
    Compose(2);
    const size_t before = Bench().CallLog(ModuleKind::Quev, 0).size();
    // The stop is pressed while the set-up's log line is being written: the worker is then
    // still in its set-up pass, before any block has been queued.
    bool pressed = false;
    const auto watch = form->Memo->Subscribe([&](ui::Control&, ui::Property) {
        if (pressed) return;
        pressed = true;
        Press();
        EXPECT_EQ(ThreadControl.PlayRunning, 0);
        EXPECT_FALSE(form->SpeedButtonSPlay->Down());
        EXPECT_TRUE(form->Chart->Enabled());
    });
    Press();
    AwaitWorker();
    form->Memo->Unsubscribe(watch);

    EXPECT_TRUE(frontEnd.Messages().empty());
    const auto calls = CallsSince(ModuleKind::Quev, before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "WriteData"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "ReadData"), 1);
    EXPECT_EQ(SampleData.SampleCount, 3 * kPlayAdcBlock) << "the recording keeps its length";
    EXPECT_TRUE(std::all_of(SampleData.SampleBuffer.begin() + kPlayAdcBlock, SampleData.SampleBuffer.end(),
                            [](int16_t code) { return code == 0; }));
    EXPECT_EQ(ChartState.DataKind, kKindPlaybackData);
    EXPECT_EQ(Log().size(), 2u);

    Play();
    EXPECT_EQ(Log().size(), 4u);
    EXPECT_EQ(Bench().DacWords(ModuleKind::Quev, 0), ExpectedWords(DacWordFormat::Quev));
}

}  // namespace

namespace {

using namespace play_test;

// With the control switch an ADC block lasts two DAC blocks: the USB3000's reads queued ahead
// complete long after the DAC's last block, several of them before the stop begins.
TEST_F(PlayTest, TheUsb3000StopAwaitsEveryAdcBlockQueuedAhead) {
    Bench().SetScenario("ramp");
    BringUp(ModuleKind::Usb3000);
    Compose(8);
    form->CheckBoxSControl->Click();
    Play();

    EXPECT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(SampleData.SampleCount, 9 * kPlayAdcBlock);
    // The ramp counts the stream's samples: every block is there, each in its place.
    for (size_t i = 0; i < SampleData.SampleBuffer.size(); ++i) {
        ASSERT_EQ(SampleData.SampleBuffer[i], static_cast<int16_t>(static_cast<int>(i % 16384) - 8192)) << i;
    }
}

}  // namespace
