// The metrology recording: one channel for one second from the Quev module, right here, and its
// arithmetic mean in mV as the chart's title.

#include <algorithm>
#include <span>

#include "analysis/Metrology.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "threads/AdcRecording.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

constexpr double kRateKHz = 8.0;
constexpr int32_t kSamples = 8000;

}  // namespace

void TForma::SpeedButtonMetRecordClick(ui::Control*) {
    if (ModuleState.QuevPresent == 0) return;
    // A recording uses the one set of transfer objects: never while a worker is alive.
    if (WorkersBusy()) return;
    // Before the start-up has chosen a range, the widest one.
    const int range = std::max(ComboBoxMetKoef->ItemIndex(), 0);
    // The DAC's ±5 V is no input range: its code would land in the channel's control word.
    if (range == metrology::kDacRange) {
        ui::Application.MessageBox("Выберите диапазон АЦП !", "ОШИБКА!!!", ui::MB_ICONINFORMATION);
        return;
    }
    ChartState.DataKind = kKindMetRecording;
    SampleData.RecordTime = 1.0;
    SampleData.DataRate = kRateKHz;
    SampleData.DataChannels = 1;
    SampleData.DataGain = static_cast<uint8_t>(range);
    BlockRing.BlockSize = kSamples;
    SampleData.SampleCount = kSamples;
    SampleData.FrameCount = kSamples;
    if (!adc::SizeSampleBuffer(kSamples)) return;
    adc::FillQuevInputPars(ModuleState.QuevAdcPars, kRateKHz, 1, range);
    SampleData.DataMvPerCode = metrology::RangeMvPerCode(range);
    if (!adc::ReadBlocks({adc::Module::Quev, 1, kSamples, SampleData.SampleBuffer.data()})) return;

    MetrologySettings.MetResult = metrology::MeanMv(
        std::span<const int16_t>(SampleData.SampleBuffer.data(), static_cast<size_t>(SampleData.FrameCount)),
        SampleData.DataMvPerCode);
    SampleData.DataFileName = "Среднее арифм. " + platform::FloatToStr(MetrologySettings.MetResult);
    RedrawChart();
    // One block, whatever the block count of the acquisition page says.
    Memo->Lines().Add(adc::RecordingSummary("K", SampleData.DataGain, 1));
}
