// One block-transfer activity at a time: while any worker lives, the playback does not start and
// the DAC buffer it reads is not recomposed.

#include <atomic>
#include <string>
#include <thread>

#include "tests/HeldWorker.h"
#include "tests/threads/PlayTestSupport.h"

namespace {

using namespace play_test;

using PlayGate = PlayTest;

TEST_F(PlayGate, ComposingAndStartsWaitForThePlaybackToEnd) {
    BringUp(ModuleKind::Quev);
    Compose(1);
    DacPlayback.KadrCount = 1;
    SampleData.DataChannels = 2;
    SampleData.SampleBuffer.assign(2 * kKadrFrames, 3);
    SampleData.FrameCount = kKadrFrames;
    form->ComboBoxKadrs->Items().Assign({"ВСЕ", "  1  "});
    form->ComboBoxKadrs->SetItemIndex(1);
    for (ui::SpeedButton* b : {form->SpeedButtonEnter, form->SpeedButtonSpace, form->SpeedButtonDelete}) b->SetEnabled(true);
    const auto composed = DacPlayback.DacBuffer;
    const auto expectedWords = ExpectedWords(DacWordFormat::Quev);

    // Inside the worker's set-up (its first log line) and its finish (the second).
    int lines = 0;
    const auto watch = form->Memo->Subscribe([&](ui::Control&, ui::Property) {
        if (++lines == 1) {
            for (ui::SpeedButton* b : {form->SpeedButtonEnter, form->SpeedButtonSpace, form->SpeedButtonDelete}) b->Click();
        } else if (lines == 2) {
            Press();  // the playback is ending, its worker still alive
            EXPECT_FALSE(form->SpeedButtonSPlay->Down());
            EXPECT_EQ(ThreadControl.PlayRunning, 0);
        }
    });
    Play();
    form->Memo->Unsubscribe(watch);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(DacPlayback.DacBuffer, composed);
    EXPECT_EQ(DacPlayback.DacBufferName, "");
    EXPECT_EQ(Bench().DacWords(ModuleKind::Quev, 0), expectedWords);

    form->SpeedButtonSpace->Click();
    EXPECT_EQ(DacPlayback.DacBufferName, "l_l, ") << "composing again once the worker has ended";
}

TEST_F(PlayGate, AnotherWorkerAliveRefusesTheStart) {
    BringUp(ModuleKind::Quev);
    Compose(1);
    const size_t before = Bench().CallLog(ModuleKind::Quev, 0).size();
    auto* held = StartWorker<HeldWorker>(ThreadControl.AdcWorker);
    ASSERT_NE(held, nullptr);
    Press();
    EXPECT_FALSE(form->SpeedButtonSPlay->Down());
    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_EQ(ThreadControl.PlayWorker, nullptr);
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    held->release = true;
    ReapWorker(ThreadControl.AdcWorker);
    EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 0).size(), before);

    Play();
    EXPECT_EQ(ChartState.DataKind, kKindPlaybackData);
}

}  // namespace
