// Real-time runs on the simulated bench: the ring's positions and counts, the rotation at the
// stop, the log lines, both modules' block geometry, the live views and a change of settings
// during the run.

#include <cmath>

#include "AdcThreadFixture.h"
#include "state/Transfer.h"

namespace adctest {
namespace {

using AdcRun = AdcThreadFixture;

std::vector<int32_t> Positions(const std::vector<ViewState>& views) {
    std::vector<int32_t> out;
    for (const ViewState& v : views) out.push_back(v.blockPos);
    return out;
}

TEST_F(AdcRun, RingPositionsCountsRotationAndLinesOfAWrappedRun) {
    BringUp(true, false);
    Choose({});  // 5 kHz, 1 channel, 1 s, 10 blocks
    Run(12);     // with block 0 read by the set-up, 13 blocks complete

    ASSERT_EQ(views.size(), 12u);
    EXPECT_EQ(views[0].blockPos, 2);
    EXPECT_FALSE(views[0].wrapped);
    EXPECT_EQ(views[0].samples, 10048);  // the block in flight counts
    EXPECT_EQ(views[7].samples, 45216);
    EXPECT_EQ(views[8].blockPos, 0);
    EXPECT_TRUE(views[8].wrapped);
    EXPECT_EQ(views[8].samples, 50240);
    EXPECT_EQ(views[11].blockPos, 3);
    EXPECT_EQ(views[11].frames, 50240);

    // Blocks 3 .. 12 of the stream, oldest first, with no sample lost or repeated.
    EXPECT_EQ(BlockRing.BlockSize, 5024);
    EXPECT_EQ(BlockRing.BlockPos, 2);
    EXPECT_EQ(RampPosition(SampleData.SampleBuffer[0]), 3 * 5024 % 16384);
    EXPECT_TRUE(Contiguous(50240));
    EXPECT_TRUE(DacPlayback.DacOutBuffer.empty());

    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(SampleData.DataFileName, kNotSavedName);
    EXPECT_EQ(SampleData.DataTime, kNow);
    EXPECT_EQ(TransferState.AdcEvent, nullptr);
    EXPECT_EQ(TransferState.IoTimeout, 2004);
    // The redraw drew the whole ring: 1201 buckets of two points.
    EXPECT_EQ(form->Series[0]->Count(), 2402);

    const auto log = Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "БПФ,  30.12.1899,  Bit=10,  Kol=1024,  N=1,  Interval=4.8828125,  K=0,  NK=0");
    // After the wrap: positions 4 .. 9, then block 0's queue time; block s is queued when block
    // s - 1 completes, 1004.8 ms apart on the bench's clock.
    EXPECT_EQ(log[1].rfind("Timing :  ", 0), 0u);
    EXPECT_EQ(std::count(log[1].begin(), log[1].end(), ','), 7);
    EXPECT_EQ(log[2], std::string("REAL,  Сбор данных  ") + kNowText +
                          ",  Q=5кГц,  N=1,  K=0,  NB=10,  NBtek=2,  RBA=5024,  ND=50240,  NK=50240,  "
                          "Fifo=" + std::to_string(ModuleState.QuevAdcPars.InputFifoLength));
    // Position 3 holds the stop time now; the others, the queue times of the last lap.
    for (size_t q = 5; q < 10; ++q) EXPECT_NEAR(BlockRing.BlockTimes[q] - BlockRing.BlockTimes[q - 1], 1004.8, 1.0);
}

TEST_F(AdcRun, RotationAtTheStopPutsTheRingInStreamOrder) {
    struct Case {
        int views;
        int32_t newest;
        int firstStreamBlock;  // of the rotated ring
        int64_t samples;
        int timingEntries;
    };
    const Case cases[] = {
        {2, 2, 0, 3 * 5024, 3},     // before the wrap nothing moves
        {9, 9, 0, 50240, 1},        // the newest block ends the ring: nothing moves either
        {10, 0, 1, 50240, 9},       // the newest is block 0 of a wrapped ring
        {17, 7, 8, 50240, 2},       // the older part is the smaller one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.views);
        TearDown();
        SetUp();
        views.clear();
        BringUp(true, false);
        Choose({});
        Run(c.views);
        EXPECT_EQ(BlockRing.BlockPos, c.newest);
        EXPECT_EQ(SampleData.SampleCount, c.samples);
        EXPECT_EQ(RampPosition(SampleData.SampleBuffer[0]), c.firstStreamBlock * 5024 % 16384);
        EXPECT_TRUE(Contiguous(c.samples));
        const std::string timing = Log()[1];
        EXPECT_EQ(std::count(timing.begin(), timing.end(), ','), c.timingEntries) << timing;
    }
}

TEST_F(AdcRun, Usb3000BlocksHoldWholeFramesSoThatChannelsStayInPlaceAfterTheWrap) {
    BringUp(false, true);
    // A level of its own on every channel: 100 codes per channel number (0.625 mV per code).
    for (int c = 0; c < 5; ++c) {
        sim::InputSignal level;
        level.Kind = sim::SignalKind::Sines;
        level.OffsetMv = 62.5 * (c + 1);
        Bench().SetInput(c, level);
    }
    Choice c;
    c.rate = 7;
    c.channels = 5;
    c.blocks = 2;
    Choose(c);
    Run(4);
    // 6144 x 2 samples is no whole number of 5-channel frames: the block is a multiple of 30720.
    EXPECT_EQ(BlockRing.BlockSize, 30720);
    EXPECT_EQ(TransferState.IoTimeout, 5388);  // from the USB3000 block itself
    EXPECT_EQ(SampleData.SampleCount, 61440);
    EXPECT_EQ(SampleData.FrameCount, 12288);
    int misplaced = 0;
    for (int k = 0; k < SampleData.FrameCount; ++k) {
        for (int ch = 0; ch < 5; ++ch) misplaced += SampleData.SampleBuffer[SampleIndex(k, ch)] != 100 * (ch + 1);
    }
    EXPECT_EQ(misplaced, 0);
    // The record is packed: its fields are read by value.
    const auto pars = Bench().LastUsb3000InputPars();
    const int channels = pars.ChannelsQuantity;
    const double rate = pars.InputRate;
    EXPECT_EQ(channels, 5);
    EXPECT_EQ(rate, 7);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, "START_READ"), 1);
}

TEST_F(AdcRun, OscilloscopeShowsTheDisplayTimeInBucketsOrPointByPoint) {
    BringUp(true, false);
    struct Case {
        double time;
        int points;
        double firstX;
    };
    // 5 kHz, one channel, first pass: the last completed frame is 5023.
    for (const Case& c : {Case{1, 2002, 24}, Case{0.3, 1500, 3524}, Case{2, 2002, 0}}) {
        SCOPED_TRACE(c.time);
        Choice choice;
        choice.time = c.time;
        Choose(choice);
        std::vector<double> xs, ys;
        views.clear();
        Run(1, [&](int) {
            xs = form->Series[0]->XValues();
            ys = form->Series[0]->YValues();
        });
        ASSERT_EQ(static_cast<int>(xs.size()), c.points);
        EXPECT_EQ(xs.front(), c.firstX);
        EXPECT_EQ(xs.back(), 5023);
        EXPECT_EQ(form->Series[1]->Count(), 0);
        if (c.time == 1) {
            // Bucket 1 of the 1 s view: frames 26 .. 30 drawn at 29, the lowest code first.
            EXPECT_EQ(xs[2], 29);
            EXPECT_EQ(RampPosition(static_cast<int16_t>(ys[2])), 26);
            EXPECT_EQ(RampPosition(static_cast<int16_t>(ys[3])), 30);
        }
    }
}

TEST_F(AdcRun, SpectrumOfASineAndOfLevelsReadsTheirAmplitudesInTheirBins) {
    BringUp(true, false);
    // 1000 codes at 50 Hz on channel 0, 100 codes of level on channel 1 (1.25 mV per code).
    sim::InputSignal sine;
    sine.Kind = sim::SignalKind::Sines;
    sine.Harmonics = {{50, 1250, 0.3 * 180 / M_PI}};
    Bench().SetInput(0, sine);
    sim::InputSignal level;
    level.Kind = sim::SignalKind::Sines;
    level.OffsetMv = 125;
    Bench().SetInput(1, level);
    Choice c;
    c.rate = 100;
    c.channels = 2;
    c.fftBits = 12;
    c.xBegin = "-5";
    c.xEnd = "1e6";
    c.spectrum = true;
    Choose(c);
    Run(2);
    EXPECT_EQ(AnalysisResults.FftSize, 2048);
    EXPECT_EQ(AnalysisResults.SpectrumFirst, 0);
    EXPECT_EQ(AnalysisResults.SpectrumLast, 2047);
    const auto amp = [](int bin, int channel) { return AnalysisResults.AmpTable[TableIndex(bin, channel)]; };
    EXPECT_NEAR(amp(50, 0), 1000, 0.2);
    EXPECT_NEAR(amp(0, 1), 100, 0.01);
    double strayest = 0;
    for (int bin = 0; bin < 2048; ++bin) {
        if (bin != 50) strayest = std::max(strayest, amp(bin, 0));
        if (bin != 0) strayest = std::max(strayest, amp(bin, 1));
    }
    EXPECT_LT(strayest, 0.5);
    EXPECT_EQ(form->Series[0]->Count(), 2048);
    EXPECT_EQ(form->Series[0]->XValues()[50], 50);
    // The spectrum view leaves the chart as it is at the stop: no redraw.
    EXPECT_EQ(form->Series[0]->YValues()[50], amp(50, 0));
}

TEST_F(AdcRun, SpectrumRefreshesEveryRoundedDisplayTimeInBlocks) {
    BringUp(true, false);
    struct Case {
        double time;
        std::vector<int32_t> positions;
    };
    const Case cases[] = {
        {1.5, {2, 3, 4, 5}},
        {2, {3, 5, 7, 9, 1}},      // position 0 gives -1 mod 2: no refresh
        {3, {4, 7, 1, 4}},
        {2.5, {3, 5, 7, 9, 1}},    // 2.5 rounds to 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        Choice choice;
        choice.time = c.time;
        choice.spectrum = true;
        Choose(choice);
        views.clear();
        Run(static_cast<int>(c.positions.size()));
        EXPECT_EQ(Positions(views), c.positions);
    }
}

TEST_F(AdcRun, ARingOfOneBlockShowsNoSpectrumAndKeepsItsBlock) {
    BringUp(true, false);
    Choice c;
    c.blocks = 1;
    c.spectrum = true;
    Choose(c);
    form->Series[0]->AddXY(1, 1);
    RunServing(6);
    // Nothing beside the block in flight is complete: the views clear the chart and stop there.
    EXPECT_EQ(form->Series[0]->Count(), 0);
    EXPECT_TRUE(std::all_of(AnalysisResults.AmpTable.begin(), AnalysisResults.AmpTable.end(),
                            [](double a) { return a == 0; }));
    EXPECT_EQ(BlockRing.BlockPos, 0);
    EXPECT_EQ(SampleData.SampleCount, 5024);
    EXPECT_TRUE(Contiguous(5024));
    EXPECT_NE(Log().back().find("NB=1,  NBtek=0,  RBA=5024,  ND=5024"), std::string::npos);
}

TEST_F(AdcRun, ChangedSettingsDuringTheRunRestartTheRingWithThem) {
    BringUp(true, false);
    Choose({});
    Run(6, [](int view) {
        if (view == 3) {
            // The channel choice as the page makes it while a worker runs.
            AcquisitionSettings.AdcChannels = 2;
            ThreadControl.AcqParamsChanged = 1;
        }
    });
    ASSERT_EQ(views.size(), 6u);
    EXPECT_EQ(views[3].blockPos, 2);
    EXPECT_FALSE(views[3].wrapped);
    EXPECT_EQ(views[3].samples, 2 * 5056);
    const auto log = Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], "БПФ,  30.12.1899,  Bit=10,  Kol=1024,  N=2,  Interval=2.44140625,  K=0,  NK=20096");
    EXPECT_NE(log[3].find("N=2,  K=0,  NB=10,  NBtek=3,  RBA=5056,  ND=20224,  NK=10112"), std::string::npos);
    EXPECT_EQ(Calls(ModuleKind::Quev, "START_READ"), 2);
    EXPECT_TRUE(Contiguous(20224));
}

} // namespace
} // namespace adctest
