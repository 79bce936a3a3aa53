// While any worker is alive the record is the worker's: the live-spectrum button only chooses
// the next view, and zoom, scroll and undo-zoom draw nothing from the record.

#include "tests/HeldWorker.h"
#include "tests/window/BenchFormTestSupport.h"

namespace {

using ChartViewsBusy = bench_form_test::BenchForm;

TEST_F(ChartViewsBusy, NoViewOfTheRecordIsDrawnWhileAWorkerIsAlive) {
    // A playback's set-up: the recording sized, the frame count still that of the earlier data.
    ChartState.DataKind = kKindPlaybackData;
    SampleData.DataChannels = 4;
    SampleData.DataRate = 60;
    SampleData.SampleBuffer.assign(4 * 60416, 7);
    SampleData.FrameCount = 100000;
    int redraws = 0;
    form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData) ++redraws;
    });
    HeldWorker worker;
    worker.Start();
    form->SpeedButtonFFTReal->Click();
    EXPECT_EQ(ThreadControl.FftRealTime, 1);
    form->Chart->ZoomTo(0, 0.5, -100, 100);
    form->Chart->Scroll(0.5, 1, -100, 100);
    form->Chart->UndoZoom();
    form->SpeedButtonFFTReal->Click();
    EXPECT_EQ(ThreadControl.FftRealTime, 0);
    EXPECT_EQ(redraws, 0);
    worker.release = true;
    worker.WaitFor();

    // The worker gone, the same press redraws.
    form->SpeedButtonFFTReal->Click();
    EXPECT_GT(redraws, 0);
}

} // namespace
