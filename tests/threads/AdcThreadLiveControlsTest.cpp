// A real-time run and the acquisition page's controls pressed while it streams: the views read
// no block in flight, and no control moves what the running worker set up.

#include <cmath>

#include "AdcThreadFixture.h"

namespace adctest {
namespace {

using AdcLiveControls = AdcThreadFixture;

TEST_F(AdcLiveControls, OscilloscopeRightAfterTheWrapStartsAtTheEndOfTheBlockInFlight) {
    BringUp(true, false);
    struct Case {
        double rate;
        double time;
        int64_t block;  // frames of one channel
    };
    // A ring of two: at position 1, block 0 is in flight and block 1 is the whole completed lap.
    for (const Case& c : {Case{5, 1.5, 5024}, Case{5, 2, 5024}, Case{100, 2, 100000}}) {
        SCOPED_TRACE(testing::Message() << c.rate << " kHz, " << c.time << " s");
        Choice choice;
        choice.rate = c.rate;
        choice.time = c.time;
        choice.blocks = 2;
        Choose(choice);
        views.clear();
        std::vector<std::pair<double, double>> afterWrap;
        Run(4, [&](int) {
            const std::vector<double> xs = form->Series[0]->XValues();
            if (BlockRing.BlockPos == 1 && !xs.empty()) afterWrap.emplace_back(xs.front(), xs.back());
        });
        ASSERT_EQ(afterWrap.size(), 2u);
        for (const auto& [first, last] : afterWrap) {
            EXPECT_EQ(first, c.block);
            EXPECT_EQ(last, 2 * c.block - 1);
        }
    }
}

TEST_F(AdcLiveControls, LiveSpectrumButtonDuringARunOnlyChoosesTheNextView) {
    BringUp(true, false);
    for (const bool toSpectrum : {true, false}) {
        SCOPED_TRACE(toSpectrum ? "to the spectrum" : "to the oscilloscope");
        Choice choice;
        choice.spectrum = !toSpectrum;
        Choose(choice);
        form->SpeedButtonFFTReal->SetDown(!toSpectrum);
        ChartState.DataKind = toSpectrum ? kKindTimeData : kKindSpectrum;
        int changesByThePress = 0;
        bool pressing = false;
        const ui::ObserverId counter = form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
            if (pressing && what == ui::Property::SeriesData) ++changesByThePress;
        });
        views.clear();
        std::vector<size_t> points;
        Run(3, [&](int count) {
            points.push_back(form->Series[0]->XValues().size());
            if (count != 1 || pressing) return;
            pressing = true;
            form->SpeedButtonFFTReal->Click();
            pressing = false;
        });
        form->Chart->Unsubscribe(counter);
        EXPECT_EQ(changesByThePress, 0) << "the press redrew the record while the module wrote it";
        EXPECT_EQ(ThreadControl.FftRealTime, toSpectrum ? 1 : 0);
        // The worker draws the chosen view from the next block on: bins 0 .. 200, or 1 s in
        // 1001 buckets.
        ASSERT_EQ(points.size(), 3u);
        EXPECT_EQ(points[2], toSpectrum ? 201u : 2002u);
    }
}

TEST_F(AdcLiveControls, TransformBitsChosenDuringASpectrumRunWaitForTheNextSetUp) {
    BringUp(true, false);
    sim::InputSignal sine;
    sine.Kind = sim::SignalKind::Sines;
    sine.Harmonics = {{50, 1250, 0}};
    Bench().SetInput(0, sine);
    Choice choice;
    choice.spectrum = true;
    Choose(choice);
    Run(3, [this](int count) {
        if (count == 1) form->ComboBoxFFTBit->Select(6);  // 16 bits
    });
    EXPECT_EQ(AnalysisResults.FftSize, 512);
    EXPECT_NEAR(AnalysisResults.AmpTable[TableIndex(50, 0)], 1000, 0.5);
    EXPECT_EQ(form->Series[0]->Count(), 201);
}

// The rate and time bars away from their start positions, as the run took them.
void MoveBarsOffTheirStart(TForma& form) {
    form.TrackBarQ->SetPosition(4);  // 10 kHz
    form.TrackBarT->SetPosition(6);  // 0.1 s
}

TEST_F(AdcLiveControls, RecordPressedInLongModeStopsTheRealRunThatStreams) {
    BringUp(true, false);
    MoveBarsOffTheirStart(*form);
    Choose({});
    bool chosenLong = false;
    Run(8, [&](int count) {
        if (count == 1) {
            form->ComboBoxR->Select(1);
            chosenLong = AcquisitionSettings.LongMode == 1;
            form->SpeedButtonRecord->Click();
            EXPECT_FALSE(form->SpeedButtonRecord->Down());
            EXPECT_TRUE(form->Chart->Enabled());
            EXPECT_EQ(ThreadControl.AcqRunning, 0);
        }
        // The old way out, so that a run the press did not stop still ends.
        if (count == 6) form->ComboBoxR->Select(0);
    });
    EXPECT_TRUE(chosenLong);
    EXPECT_EQ(views.size(), 1u) << "the run streamed on after the press";
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    const auto log = Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].rfind("REAL,", 0), 0u);
    EXPECT_EQ(Calls(ModuleKind::Quev, "STOP_READ"), 2);  // the set-up's and the stop's

    // Idle now: the next press in Long mode records.
    form->SpeedButtonRecord->Click();
    EXPECT_EQ(Log().back().rfind("LONG,", 0), 0u);
}

TEST_F(AdcLiveControls, ModeSwitchDuringARunLeavesTheRunningRateAndTimeAlone) {
    BringUp(true, false);
    MoveBarsOffTheirStart(*form);
    Choose({});
    Run(3, [this](int count) {
        if (count != 1) return;
        form->ComboBoxR->Select(1);
        form->ComboBoxR->Select(0);
    });
    EXPECT_EQ(form->TrackBarQ->Position(), 4);
    EXPECT_EQ(form->TrackBarT->Position(), 6);
    EXPECT_EQ(AcquisitionSettings.LongMode, 0);
    // One set-up: the run was not restarted.
    const auto log = Log();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("БПФ", 0) == 0; }), 1);
    EXPECT_EQ(views.size(), 3u);

    // Idle, the switch to "Real" starts the bars over for the next run.
    form->ComboBoxR->Select(1);
    form->ComboBoxR->Select(0);
    EXPECT_EQ(form->TrackBarQ->Position(), 1);
    EXPECT_EQ(form->TrackBarT->Position(), 12);
}

} // namespace
} // namespace adctest
