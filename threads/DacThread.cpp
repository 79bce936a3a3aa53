// The sweep worker's runs and the set-up pass of the sweep: the record shaped for the sweep the
// start press planned, the signal synthesised, the module programmed and both converters started.

#include "threads/DacThread.h"

#include <algorithm>
#include <cmath>

#include "modules/QuevModule.h"
#include "platform/Numbers.h"
#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "threads/Report.h"
#include "ui/MessageFlags.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

constexpr double kInterKadrDelay = 0.0025;

} // namespace

void DACThread::Execute() {
    if (ThreadControl.AfcReport) {
        ThreadControl.AfcReport = 0;
        // Checked on the GUI thread, where the shutdown sets the flag before it serves a call.
        OnGui([] {
            if (!ThreadControl.ShuttingDown) FillAFFCReport();
        });
        return;
    }
    if (ThreadControl.AfcFromFile) {
        OnGui(&DACThread::CalcAFFC);
        return;
    }
    RunSweep();
}

void DACThread::RunSweep() {
    while (ThreadControl.AfcRunning) {
        const bool passed = ThreadControl.AfcSetup ? SetUpPass() : SteadyPass();
        if (!passed) return;
    }
    // Stopped before the converters ran: there is nothing to stop and nothing was recorded.
    if (!sweep_.convertersStarted) return;
    if (!StopConverters()) return;
    FinishRecord();
}

bool DACThread::SetUpPass() { return PrepareRecord() && ProgramAndStart(); }

// The press planned the sweep and refused it if it could not run: the record is reshaped for it
// only now.
bool DACThread::PrepareRecord() {
    const sweep::SweepOrder& o = sweep_.order;
    const sweep::SweepGeometry& g = o.geometry;
    OnGui([this, &o, &g] {
        // The module check waits for the worker; a module gone all the same ends the sweep here.
        sweep_.module = ModuleState.QuevModule;
        if (sweep_.module == nullptr) return;
        SampleData.DataRate = o.adcRate;
        SampleData.DataChannels = static_cast<uint8_t>(o.channels);
        SampleData.DataGain = static_cast<uint8_t>(o.gain);
        const sweep::SweepSettings& s = o.settings;
        FrequencyResponseGroup& r = FrequencyResponse;
        r.AfcAmplitude = s.AmplitudeMv;
        r.AfcFreqBegin = s.FreqBegin;
        r.AfcFreqEnd = s.FreqEnd;
        r.AfcOctavesPerMin = s.OctavesPerMin;
        r.AfcSteps = s.Steps;
        r.AfcRiseTime = s.RiseTime;
        r.AfcFallTime = s.FallTime;
        r.AfcSegmentEnd = g.SegmentEnd;
        r.AfcBlocks = g.LastBlock;
        BlockRing.BlockSize = g.AdcBlock;
        BlockRing.DacBlockSize = g.DacBlock;
        BlockRing.BlockCount = 1;
        SampleData.SampleCount = 0;

        // Points carry frame indices and codes; the series show seconds and millivolts.
        ChartState.XMultiplier = o.channels / o.adcRate / 1000;
        SampleData.DataMvPerCode = QuevMvPerCode(o.gain);
        ChartState.YMultiplier = SampleData.DataMvPerCode;
        if (Forma != nullptr) {
            for (ui::Series* series : Forma->Series) series->Clear();
            redraw::SetAxisFormats(redraw::kFormatSeconds, redraw::kFormatMillivolts);
            redraw::SetSeriesX(ChartState.XMultiplier);
            redraw::SetSeriesY(ChartState.YMultiplier);
        }

        const size_t blocks = static_cast<size_t>(g.LastBlock) + 1;
        SampleData.SampleBuffer.clear();
        SampleData.SampleBuffer.resize(blocks * static_cast<size_t>(g.AdcBlock));
        DacPlayback.DacOutBuffer.resize(sweep::DacBufferWords(g));
    });
    if (sweep_.module == nullptr) return false;
    block_ = 1;
    // The whole signal is ready before the converters start.
    sweep::SynthesiseSweep(o.settings, o.dacRate, g, DacPlayback.DacOutBuffer.data());
    return true;
}

bool DACThread::ProgramAndStart() {
    const sweep::SweepOrder& s = sweep_.order;
    IQuevModule& module = *sweep_.module;
    QUEV_INPUT_PARS& adc = ModuleState.QuevAdcPars;
    adc.CorrectionEnabled = 1;
    adc.InterKadrDelay = kInterKadrDelay;
    adc.ChannelsQuantity = static_cast<uint16_t>(s.channels);
    adc.InputRate = s.adcRate;
    // Logical channel i is the module's physical input 15 - i.
    for (int i = 0; i < s.channels; ++i) adc.ControlTable[i] = static_cast<uint16_t>((15 - i) | (s.gain << 6));
    std::copy(std::begin(ModuleState.QuevFlash.AdcCalibration), std::end(ModuleState.QuevFlash.AdcCalibration),
              std::begin(adc.AdcCalibration));
    ModuleState.QuevDacPars.OutputRate = s.dacRate;
    if (!bringup::Succeeded(module.SET_INPUT_PARS(&adc))) {
        Fail("Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION, true);
        return false;
    }
    if (!bringup::Succeeded(module.SET_OUTPUT_PARS(&ModuleState.QuevDacPars))) {
        Fail("Не могу передать параметры ЦАП!", ui::MB_ICONINFORMATION, true);
        return false;
    }

    TransferStateGroup& t = TransferState;
    t.AdcBlocks.Open(2);  // the block in flight and the next, so that no sample waits for a turn
    OpenTransfer(t.DacEvent, t.DacOverlapped);
    // One block's duration at the rate the module took, and a second more.
    const double timeout = s.geometry.AdcBlock / adc.InputRate + 1000;
    t.IoTimeout = std::isfinite(timeout) && timeout < 2e9 ? static_cast<int32_t>(platform::Trunc(timeout)) : 2000000000;
    ThreadControl.AfcSetup = 0;

    adcCount_ = static_cast<uint32_t>(s.geometry.AdcBlock);
    dacCount_ = static_cast<uint32_t>(s.geometry.DacBlock);
    if (!bringup::Succeeded(module.START_WRITE())) {
        Fail("Не могу запустить ЦАП!", 0, true);
        return false;
    }
    sweep_.convertersStarted = true;
    t.DacBytesDone = 0;
    QueueWrite(0);
    if (!bringup::Succeeded(module.START_READ())) {
        Fail("Не могу запустить АЦП!", 0, true);
        return false;
    }
    QueueRead(0);
    if (s.geometry.LastBlock > 0) {
        QueueRead(1);
    } else {
        ThreadControl.AfcRunning = 0;  // a sweep within one block: its one block is on its way
    }
    return true;
}

void DACThread::Fail(const char* text, int flags, bool release) {
    ErrorBox(text, flags);
    // The release cancels every transfer, so that no event is signalled after it is closed.
    if (release) OnGui([] { ReleaseQuevModule(); });
    CloseTransfer(TransferState.DacEvent);
    TransferState.AdcBlocks.Close();
}

bool StartDacThread() { return StartWorker<DACThread>(ThreadControl.DacWorker) != nullptr; }

bool StartSweepThread(const sweep::SweepOrder& order) {
    return StartWorker<DACThread>(ThreadControl.DacWorker, order) != nullptr;
}
