// A sweep stopped by the operator and the controls pressed while its stop sequence still streams
// the last blocks: the record keeps the length the worker issued, and no view reads it meanwhile.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SweepFixture.h"

namespace {

class SweepStopping : public SweepTest {
protected:
    // Starts the sweep and serves it until the operator's stop, pressed while the first block
    // is on the chart; the worker is then in its stop sequence, and this thread serves nothing
    // more until the test says so. The clock runs 4 times faster than real time, so that the
    // stop sequence waits for the last blocks a quarter of a second.
    void StartAndStopAfterTheFirstBlock(const PageSettings& page) {
        sim::Bench().SetClock(sim::ClockMode::Scaled, 4);
        SetPage(page);
        bool stopped = false;
        const ui::ObserverId stop = form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
            if (what == ui::Property::SeriesData && ThreadControl.AfcRunning && form->Series[0]->Count() > 0) {
                form->SpeedButtonAFFC->Click();
                stopped = true;
            }
        });
        callMark = sim::Bench().CallLog(sim::ModuleKind::Quev, 0).size();
        form->SpeedButtonAFFC->Click();
        ASSERT_NE(ThreadControl.DacWorker, nullptr);
        while (!stopped && !ThreadControl.DacWorker->Finished()) {
            ui::Application.ServePendingCalls();
            std::this_thread::yield();
        }
        form->Chart->Unsubscribe(stop);
        ASSERT_TRUE(stopped);
    }

    // Waits (serving nothing) until the worker has stopped both converters.
    bool ConvertersStopped() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (QuevCalls("STOP_READ") == 0) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::yield();
        }
        return true;
    }
};

TEST_F(SweepStopping, MemoryChosenWhileTheStopSequenceWaitsLeavesTheRecordWhole) {
    StartAndStopAfterTheFirstBlock(kDefaultSweep);
    ASSERT_TRUE(ConvertersStopped());
    form->ComboBoxM->Select(0);  // one block
    ReapWorker(ThreadControl.DacWorker);

    // Two blocks issued, less the cut, as without the choice.
    EXPECT_EQ(BlockRing.BlockCount, 2);
    EXPECT_EQ(SampleData.FrameCount, 5024 - 1946);
    EXPECT_EQ(SampleData.SampleCount, 2 * (5024 - 1946));
    const auto log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find(", NK=3078, RBA=5024, RBD=5024, ND=6156, Вырезать 1946шт"), std::string::npos)
        << log.back();
    EXPECT_EQ(SweepResultRows(), 5u);
}

TEST_F(SweepStopping, ZoomAndUndoZoomDrawNothingWhileTheLastBlockStreams) {
    // An earlier sweep leaves its frame count, which covers the block the next one has in flight.
    RunSweep(kShortSweep);
    ASSERT_GT(SampleData.FrameCount, 2512);

    StartAndStopAfterTheFirstBlock(kDefaultSweep);
    ASSERT_TRUE(form->Chart->Enabled());
    const std::vector<double> drawn = form->Series[0]->YValues();
    int redraws = 0;
    const ui::ObserverId counter = form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData) ++redraws;
    });
    form->Chart->ZoomTo(0.1, 0.4, -100, 100);
    form->Chart->Scroll(0.2, 0.5, -100, 100);
    form->Chart->UndoZoom();
    form->Chart->Unsubscribe(counter);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(form->Series[0]->YValues(), drawn);

    // The worker's own redraw at the end still draws the record, and zoom works again after it.
    ReapWorker(ThreadControl.DacWorker);
    EXPECT_EQ(form->Series[0]->Count(), 2402);  // 3078 frames in 1201 buckets
    form->Chart->ZoomTo(0.1, 0.2, -100, 100);
    EXPECT_EQ(form->Series[0]->Count(), 252);  // frames 250 .. 501 point by point
}

} // namespace
