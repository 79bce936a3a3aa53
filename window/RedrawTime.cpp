// Display modes over time: records drawn through the zoom events, the metrology signals and the
// DAC playback buffer.

#include <algorithm>
#include <string>

#include "platform/Numbers.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace redraw {

namespace {

// The playback page's data are taken at 15 kHz per channel and shown in millivolts, whatever the
// unit combos say.
constexpr double kPlaybackSecondsPerFrame = 1.0 / 15000;
// Amperes or volts per sensor volt are typed per volt.
constexpr double kVoltsPerMillivolt = 0.001;

void SetTitle(const std::string& text) { Forma->Chart->SetTitleText(text); }

void SetRecordSecondsPerFrame() {
    ChartState.XMultiplier = FiniteOr(MillisecondsPerFrame() / 1000, ChartState.XMultiplier);
    SetSeriesX(ChartState.XMultiplier);
}

// The chart's unit per millivolt of the data in memory.
void SetRecordY(double perMillivolt) {
    ChartState.YMultiplier = perMillivolt * SampleData.DataMvPerCode;
    SetSeriesY(ChartState.YMultiplier);
}

// Playback-page views: the bottom axis linear and automatic, the left one keeps its range.
void PlaybackAxes(int seriesCount, double mvPerCode) {
    ui::Axis& bottom = Forma->Chart->BottomAxis();
    bottom.SetAutomatic(true);
    bottom.SetLogarithmic(false);
    Forma->Chart->LeftAxis().SetLogarithmic(false);
    SetAxisFormats(kFormatSeconds, kFormatMillivolts);
    SetSeriesX(kPlaybackSecondsPerFrame, seriesCount);
    SetSeriesY(mvPerCode, seriesCount);
}

void RedrawAcquisition() {
    SetTitle(FileHead() + "     Сбор данных :  " + AcquisitionTail());
    ui::Axis& bottom = Forma->Chart->BottomAxis();
    bottom.SetAutomatic(true);
    bottom.SetLogarithmic(false);
    Forma->Chart->LeftAxis().SetLogarithmic(false);
    SetAxisXUnits();
    SetAxisYUnits();
}

void RedrawSweepRecording() {
    SetTitle(FileHead() + "     Данные для АЧХ и ФЧХ :  " + AcquisitionTail());
    AutomaticAxes(BottomScale::Keep);
    SetAxisFormats(kFormatSeconds, kFormatMillivolts);
    SetRecordSecondsPerFrame();
    SetRecordY(1);
}

void RedrawPhaseQuantities(bool currents) {
    SetTitle(FileHead() + (currents ? "     ТОКИ" : "     НАПРЯЖЕНИЯ"));
    AutomaticAxes(BottomScale::Linear);
    SetAxisFormats(kFormatSeconds, currents ? kFormatAmperes : kFormatVolts);
    SetRecordSecondsPerFrame();
    const std::string& coefficient = currents ? Forma->EditKI->Text() : Forma->EditKU->Text();
    SetRecordY(platform::TypedStrToFloat(coefficient) * kVoltsPerMillivolt);
}

void RedrawPlaybackRecord(bool recordedDuringPlayback) {
    SetTitle(
        FileHead() +
        (recordedDuringPlayback ? "     ДШК ШЭМ. Сбор данных :  " : "     Данные для ДШК ШЭМ :  ") +
        AcquisitionTail());
    PlaybackAxes(recordedDuringPlayback ? 4 : 8, SampleData.DataMvPerCode);
    ChartState.XMultiplier = kPlaybackSecondsPerFrame;
}

} // namespace

void RedrawTimeData(std::uint8_t kind) {
    switch (kind) {
        case kKindTimeData: RedrawAcquisition(); break;
        case kKindSweepData: RedrawSweepRecording(); break;
        case kKindCurrents:
        case kKindVoltages: RedrawPhaseQuantities(kind == kKindCurrents); break;
        case kKindDshkData:
        case kKindPlaybackData: RedrawPlaybackRecord(kind == kKindPlaybackData); break;
        default: return;
    }
    // The points come from the undo-zoom event, which draws the whole record.
    Forma->Chart->UndoZoom();
}

void RedrawMetrology(std::uint8_t kind) {
    const bool recording = kind == kKindMetRecording;
    // The recording's title is its result text, which the recording leaves in DataFileName.
    SetTitle(recording ? SampleData.DataFileName
                       : FileHead() + "     ФАЗОВОЕ НАПРЯЖЕНИЕ  ФАЗЫ :  с " + WindowTail());
    AutomaticAxes(BottomScale::Linear);
    SetAxisFormats(kFormatSeconds, kFormatMillivolts);
    ChartState.XMultiplier = FiniteOr(0.001 / SampleData.DataRate, ChartState.XMultiplier);
    SetSeriesX(ChartState.XMultiplier);
    ChartState.YMultiplier = SampleData.DataMvPerCode;
    SetSeriesY(ChartState.YMultiplier);

    // One-channel data: sample m is frame m.
    const std::int32_t frames = std::max<std::int32_t>(SampleData.FrameCount, 0);
    const std::size_t drawn =
        std::min<std::size_t>(static_cast<std::size_t>(frames), SampleData.SampleBuffer.size());
    ui::Series& series = *Forma->Series[0];
    series.Reserve(drawn + 1);
    for (std::size_t m = 0; m < drawn; ++m) {
        series.AddXY(static_cast<double>(m), SampleData.SampleBuffer[m]);
    }
    // The measured mean, in codes so that the Y multiplier shows it at its own level.
    if (recording) {
        AddPoint(0, SampleData.FrameCount, MetrologySettings.MetResult / SampleData.DataMvPerCode);
    }
}

void RedrawDacBuffer() {
    SetTitle("Буфер ЦАП :  " + DacPlayback.DacBufferName);
    PlaybackAxes(2, kDacBufferMvPerCode);
    const std::size_t pairs =
        std::min(static_cast<std::size_t>(std::max(DacPlayback.DacBufferLength, 0) / 2),
                 DacPlayback.DacBuffer.size() / 2);
    Forma->Series[0]->Reserve(pairs);
    Forma->Series[1]->Reserve(pairs);
    for (std::size_t i = 0; i < pairs; ++i) {
        Forma->Series[0]->AddXY(static_cast<double>(i), DacPlayback.DacBuffer[DacPairIndex(i)]);
        Forma->Series[1]->AddXY(static_cast<double>(i), DacPlayback.DacBuffer[DacPairIndex(i) + 1]);
    }
}

} // namespace redraw
