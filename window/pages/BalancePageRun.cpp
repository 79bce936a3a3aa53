// The balancing run: three channels recorded from the Quev module right here, blocking the window
// for its 6.6 s, then the marks found and the vibration of five consecutive revolutions reported.

#include <algorithm>
#include <string>

#include "state/State.h"
#include "threads/AdcRecording.h"
#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "window/pages/BalancePageCommon.h"

namespace {

// The run's fixed recording: the mark and two planes at 100 kHz each, two blocks.
constexpr int kChannels = 3;
constexpr double kRateKHz = 300.0;
constexpr int32_t kBlocks = 2;
constexpr int32_t kBlockSize = 988800;
// Where the first mark is looked for, and the window around each next one.
constexpr int32_t kFirstMarkFrom = 200;
constexpr int32_t kFirstMarkTo = 2200;
constexpr int32_t kRevolution = 100000;
constexpr int32_t kRevolutionSlack = 500;
constexpr int kRevolutionsReported = 5;

// The vibration of each revolution after the first mark, one line each. A mark not found (or a
// revolution the data cannot give) ends the lines: what follows would be invented.
void ReportRevolutions(ui::StringList& lines) {
    const balancing::Frames data = balance_page::DataInMemory();
    auto mark = balancing::FindMark(data, kFirstMarkFrom, kFirstMarkTo);
    for (int n = 0; n < kRevolutionsReported && mark; ++n) {
        const auto next = balancing::FindMark(data, int64_t{*mark} + kRevolution - kRevolutionSlack,
                                              int64_t{*mark} + kRevolution + kRevolutionSlack);
        if (!next) return;
        const auto planes = balance_page::MeasureRevolution(*mark, *next);
        if (!planes) return;
        lines.Add(balance_page::IntervalText(*mark, *next) + "   " + balance_page::PlaneText(1, (*planes)[0]) + "   " +
                  balance_page::PlaneText(2, (*planes)[1]));
        mark = next;
    }
}

}  // namespace

void TForma::SpeedButtonBRunClick(ui::Control*) {
    if (ModuleState.QuevPresent == 0) return;
    // A recording uses the one set of transfer objects: never while a worker is alive.
    if (WorkersBusy()) {
        SpeedButtonBRun->SetDown(false);
        return;
    }
    const int gain = std::max(ComboBoxBKoef->ItemIndex(), 0);
    // New data, like every recording's: nobody saved them yet, and their range is the planes'.
    ChartState.DataKind = kKindTimeData;
    SampleData.DataFileName = kNotSavedName;
    SampleData.DataGain = static_cast<uint8_t>(gain);
    SampleData.DataChannels = kChannels;
    SampleData.DataRate = kRateKHz;
    BlockRing.BlockCount = kBlocks;
    BlockRing.BlockSize = kBlockSize;
    SampleData.SampleCount = kBlocks * kBlockSize;
    SampleData.FrameCount = SampleData.SampleCount / kChannels;
    BlockRing.BlockPos = 0;
    if (!adc::SizeSampleBuffer(SampleData.SampleCount)) return;
    // The vibration is measured and shown at the planes' range; the mark, of which only the place
    // of its peak counts, shares that scale on the chart.
    SampleData.DataMvPerCode = QuevMvPerCode(gain);
    // The planes at the chosen gain; the mark always at the widest range.
    adc::FillQuevInputPars(ModuleState.QuevAdcPars, kRateKHz, kChannels, gain);
    ModuleState.QuevAdcPars.ControlTable[0] = adc::QuevControlWord(0, 0);
    if (!adc::ReadBlocks({adc::Module::Quev, kBlocks, kBlockSize, SampleData.SampleBuffer.data()})) return;
    MemoB->Lines().Add(adc::RecordingSummary("KoefB", gain, BlockRing.BlockCount));

    ReportRevolutions(MemoB->Lines());
    AnalysisResults.SinTable.clear();
    AnalysisResults.CosTable.clear();
    SpeedButtonBRun->SetDown(false);
    RedrawChart();
}
