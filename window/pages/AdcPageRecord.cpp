// The record button: in "Real" mode it starts and stops the real-time worker; in "Long" mode it
// records a fixed span from the module right here, blocking the window until the last block has
// arrived. A real-time run still alive when "Long" is chosen is stopped by the press as in "Real".

#include <optional>
#include <string>
#include <vector>

#include "platform/InOutError.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "threads/AdcRecording.h"
#include "threads/AdcThread.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

constexpr const char* kErrorCaption = "ОШИБКА!!!";

bool IsNumber(const ui::Edit& edit) {
    try {
        platform::TypedStrToFloat(edit.Text());
        return true;
    } catch (const platform::InOutError&) {
        return false;
    }
}

// The name of the first choice a start lacks, as the page captions it. Before the operator (or
// config.cfg) has made every choice the settings are 0 and the range has none; a recording sized
// from them would be empty or divide by zero channels. The real-time run also takes its ring's
// size, the transform size and the spectrum's range.
std::optional<std::string> MissingChoice(bool realTime) {
    const auto& s = AcquisitionSettings;
    if (Forma->ComboBoxK->ItemIndex() < 0) return "Диапазон";
    if (s.AdcChannels == 0) return "Каналов";
    if (!(s.AdcRate > 0)) return "Частота";
    if (!(s.AdcTime > 0)) return "Время";
    if (!realTime) return std::nullopt;
    if (BlockRing.BlockCount <= 0) return "Память";
    if (Forma->ComboBoxFFTBit->ItemIndex() < 0) return "Бит";
    if (!IsNumber(*Forma->EditFFT_XB)) return "БПФ по оси X, с";
    if (!IsNumber(*Forma->EditFFT_XE)) return "БПФ по оси X, по";
    return std::nullopt;
}

// A start that cannot run says which choice it lacks, in one box, before anything changes.
bool RefusedForMissingChoice(bool realTime) {
    const std::optional<std::string> missing = MissingChoice(realTime);
    if (!missing) return false;
    ui::Application.MessageBox("Не задан параметр «" + *missing + "» !", kErrorCaption, ui::MB_ICONINFORMATION);
    return true;
}

// The long recording on one module: the block geometry, the buffer, the module's record, the
// blocks. False when it failed (the module is then released and the box shown).
bool RecordLong(adc::Module module) {
    const bool quev = module == adc::Module::Quev;
    const adc::BlockGeometry geometry = adc::LongGeometry(
        SampleData.DataRate, SampleData.RecordTime, quev ? adc::kQuevQuantum : adc::kUsb3000Quantum);
    BlockRing.BlockCount = geometry.blocks;
    BlockRing.BlockSize = geometry.blockSize;
    SampleData.SampleCount = static_cast<int32_t>(geometry.Samples());
    SampleData.FrameCount = WholeFrames(SampleData.SampleCount, SampleData.DataChannels);
    BlockRing.BlockPos = 0;
    if (!adc::SizeSampleBuffer(geometry.Samples())) return false;
    SampleData.DataMvPerCode = quev ? QuevMvPerCode(SampleData.DataGain) : kUsb3000MvPerCode;
    if (quev) {
        adc::FillQuevInputPars(ModuleState.QuevAdcPars, SampleData.DataRate, SampleData.DataChannels,
                               SampleData.DataGain);
    } else {
        adc::FillUsb3000InputPars(ModuleState.Usb3000InputPars, SampleData.DataRate, SampleData.DataChannels);
    }
    return adc::ReadBlocks({module, geometry.blocks, geometry.blockSize, SampleData.SampleBuffer.data()});
}

}  // namespace

void TForma::SpeedButtonRecordClick(ui::Control*) {
    // Real and Long alike run on the module whose rates the page shows: the USB3000 whenever it
    // is up.
    const std::optional<adc::Module> module = adc::AcquisitionPageModule();
    if (!module) return;
    // A real-time run that lives (streaming or finishing) is the press's to stop, whichever mode
    // the list shows now: the button down says it runs.
    const bool realRunLives = ThreadControl.AcqIdle == 0;
    if (AcquisitionSettings.LongMode != 0 && !realRunLives) {
        // A recording uses the one set of transfer objects: never while a worker is alive.
        if (WorkersBusy() || RefusedForMissingChoice(false)) {
            SpeedButtonRecord->SetDown(false);
            return;
        }
        ChartState.DataKind = kKindTimeData;
        SampleData.DataFileName = kNotSavedName;
        SampleData.RecordTime = AcquisitionSettings.AdcTime;
        SampleData.DataRate = AcquisitionSettings.AdcRate;
        SampleData.DataChannels = AcquisitionSettings.AdcChannels;
        SampleData.DataGain = static_cast<uint8_t>(ComboBoxK->ItemIndex());
        SetAxisXUnits();
        SetAxisYUnits();
        if (*module == adc::Module::Usb3000) SampleData.DataRate = adc::kUsb3000LongRate;
        if (!RecordLong(*module)) return;
        SpeedButtonRecord->SetDown(false);
        RedrawChart();
        Memo->Lines().Add(adc::RecordingSummary("K", SampleData.DataGain, BlockRing.BlockCount));
        return;
    }

    if (ThreadControl.AcqIdle != 0) {
        if (WorkersBusy() || RefusedForMissingChoice(true)) {
            SpeedButtonRecord->SetDown(false);
            return;
        }
        ChartState.DataKind = kKindTimeData;
        SpeedButtonRecord->SetDown(true);
        ThreadControl.AcqRunning = 1;
        ThreadControl.AcqParamsChanged = 1;
        ThreadControl.AcqIdle = 0;
        Chart->SetEnabled(false);
        if (!StartAdcThread()) {
            ThreadControl.AcqRunning = 0;
            ThreadControl.AcqIdle = 1;
            SpeedButtonRecord->SetDown(false);
            Chart->SetEnabled(true);
        }
    } else if (ThreadControl.AcqRunning != 0) {
        // The worker sees the cleared flag after its block in flight and finishes by itself.
        ThreadControl.AcqRunning = 0;
        SpeedButtonRecord->SetDown(false);
        Chart->SetEnabled(true);
        std::vector<double>().swap(AnalysisResults.WorkRe);
        std::vector<double>().swap(AnalysisResults.WorkIm);
    } else {
        SpeedButtonRecord->SetDown(false);
    }
}
