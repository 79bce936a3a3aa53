// The sweep worker's runs and the set-up pass of the sweep: the page read, the geometry planned
// and checked, the signal synthesised, the module programmed and both converters started.

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
#include "window/pages/AffcPageSettings.h"

namespace {

constexpr const char* kChangeRates = "Измените частоты АЦП и ЦАП !";
constexpr const char* kReduceRates = "Уменьшите частоты АЦП и ЦАП !";

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

bool DACThread::SetUpPass() { return ReadPage() && PlanAndPrepare() && ProgramAndStart(); }

bool DACThread::ReadPage() {
    bool accepted = false;
    OnGui([this, &accepted] {
        if (Forma == nullptr) return;
        TForma& form = *Forma;
        for (ui::Series* series : form.Series) series->Clear();
        SampleData.DataRate = FrequencyResponse.AfcAdcRate;
        // A list without a choice (no settings file yet) counts as its first item.
        SampleData.DataChannels = static_cast<uint8_t>(std::max(1, form.ComboBoxAFFC_N->ItemIndex() + 2));
        SampleData.DataGain = static_cast<uint8_t>(std::max(0, form.ComboBoxAFFC_K->ItemIndex()));
        // The start press has checked the page; a value changed since ends the sweep here.
        sweep::SweepSettings& s = sweep_.settings;
        if (!affc_page::ReadSweepSettings(form, s).empty()) return;
        FrequencyResponseGroup& r = FrequencyResponse;
        r.AfcAmplitude = s.AmplitudeMv;
        r.AfcFreqBegin = s.FreqBegin;
        r.AfcFreqEnd = s.FreqEnd;
        r.AfcOctavesPerMin = s.OctavesPerMin;
        r.AfcSteps = s.Steps;
        r.AfcRiseTime = s.RiseTime;
        r.AfcFallTime = s.FallTime;

        sweep_.adcRate = r.AfcAdcRate;
        sweep_.dacRate = r.AfcDacRate;
        sweep_.channels = SampleData.DataChannels;
        sweep_.gain = SampleData.DataGain;
        sweep_.module = ModuleState.QuevModule;
        accepted = sweep_.module != nullptr;
    });
    return accepted;
}

bool DACThread::PlanAndPrepare() {
    Sweep& s = sweep_;
    switch (sweep::PlanSweep(s.settings, s.adcRate, s.dacRate, s.geometry)) {
    case sweep::SweepPlan::Ready: break;
    case sweep::SweepPlan::RatesUnusable:
    case sweep::SweepPlan::RatioMismatch: ErrorBox(kChangeRates, ui::MB_ICONINFORMATION); return false;
    case sweep::SweepPlan::TooManySamples: ErrorBox(kReduceRates, ui::MB_ICONINFORMATION); return false;
    // The page's check refuses these before a sweep starts.
    case sweep::SweepPlan::SettingsUnusable: return false;
    }

    const sweep::SweepGeometry& g = s.geometry;
    OnGui([&s, &g] {
        FrequencyResponse.AfcSegmentEnd = g.SegmentEnd;
        FrequencyResponse.AfcBlocks = g.LastBlock;
        BlockRing.BlockSize = g.AdcBlock;
        BlockRing.DacBlockSize = g.DacBlock;
        BlockRing.BlockCount = 1;
        SampleData.SampleCount = 0;

        // Points carry frame indices and codes; the series show seconds and millivolts.
        ChartState.XMultiplier = s.channels / s.adcRate / 1000;
        SampleData.DataMvPerCode = QuevMvPerCode(s.gain);
        ChartState.YMultiplier = SampleData.DataMvPerCode;
        if (Forma != nullptr) {
            redraw::SetAxisFormats(redraw::kFormatSeconds, redraw::kFormatMillivolts);
            redraw::SetSeriesX(ChartState.XMultiplier);
            redraw::SetSeriesY(ChartState.YMultiplier);
        }

        const size_t blocks = static_cast<size_t>(g.LastBlock) + 1;
        SampleData.SampleBuffer.clear();
        SampleData.SampleBuffer.resize(blocks * static_cast<size_t>(g.AdcBlock));
        DacPlayback.DacOutBuffer.resize(sweep::DacBufferWords(g));
    });
    block_ = 1;
    // The whole signal is ready before the converters start.
    sweep::SynthesiseSweep(s.settings, s.dacRate, g, DacPlayback.DacOutBuffer.data());
    return true;
}

bool DACThread::ProgramAndStart() {
    Sweep& s = sweep_;
    IQuevModule& module = *s.module;
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
    s.convertersStarted = true;
    t.DacBytesDone = 0;
    module.WriteData(DacPlayback.DacOutBuffer.data(), &dacCount_, &t.DacBytesDone, &t.DacOverlapped);
    if (!bringup::Succeeded(module.START_READ())) {
        Fail("Не могу запустить АЦП!", 0, true);
        return false;
    }
    QueueRead(0);
    if (s.geometry.LastBlock > 0) QueueRead(1);
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
