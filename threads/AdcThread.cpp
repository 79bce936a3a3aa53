// The real-time acquisition worker: the main loop, the set-up, the passes, the stop sequence and
// the two exits. The views and the finishing step are in AdcThreadViews.cpp and
// AdcThreadFinish.cpp.

#include "threads/AdcThread.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>

#include "analysis/RealTimeRing.h"
#include "platform/DateTime.h"
#include "platform/Events.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "threads/AdcRecording.h"
#include "threads/AdcThreadLog.h"
#include "ui/MessageFlags.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

constexpr const char* kLaterBlockFailure = "Ошибка ввода данных с АЦП!";
constexpr const char* kErrorCaption = "ОШИБКА!!!";
constexpr const char* kNoMemoryForRing = "Недостаточно памяти для сбора данных!";

// The module refused a step or a block did not arrive: the failure exit with this box.
struct ModuleFailure {
    std::string text;
    int flags;
};

// The run cannot go on and the operator has been told already (or needs no telling).
struct Refused {};

// The transform size choices "10" .. "16" bits.
constexpr int kLowestFftBits = 10;
constexpr int kHighestFftBits = 16;

// The number in a spectrum range edit; a text that is no finite number raises the conversion error.
double NumberIn(const ui::Edit& edit) {
    const double value = platform::TypedStrToFloat(edit.Text());
    if (!std::isfinite(value)) throw std::invalid_argument("'" + edit.Text() + "' is not a valid floating point value");
    return value;
}

} // namespace

bool StartAdcThread() { return StartWorker<ADCThread>(ThreadControl.AdcWorker) != nullptr; }

void ADCThread::Execute() {
    try {
        bool setUp = false;
        while (ThreadControl.AcqRunning) {
            if (ThreadControl.AcqParamsChanged || !setUp) {
                SetUp();
                setUp = true;
            }
            Pass();
        }
        if (setUp) {
            StopSequence();
        } else {
            OnGui([this] { ReturnToIdle(); });
        }
    } catch (const ModuleFailure& failure) {
        FailureExit(failure.text, failure.flags);
    } catch (const Refused&) {
        IdleExit("");
    } catch (const std::exception& error) {
        IdleExit(error.what());
    } catch (...) {
        IdleExit("");
    }
}

// ---- Worker thread ------------------------------------------------------------------------------

void ADCThread::SetUp() {
    OnGui([this] { TakeSettings(); });
    StopAdc();
    position_ = 1 % run_.blockCount;
    wrapped_ = false;
    OnGui([this] { PrepareChartAndRing(); });

    // Two reads in flight, so that the module's input FIFO never has to bridge the worker's
    // turn between a completion and the next read. The views need a completed block that no
    // read will overwrite while they draw it: a ring of two blocks or fewer has room for one.
    readsAhead_ = run_.blockCount > 2 ? 1 : 0;
    TransferState.AdcBlocks.Open(1 + static_cast<size_t>(readsAhead_));
    aheadPosition_ = -1;
    aheadKept_.assign(readsAhead_ > 0 ? static_cast<size_t>(run_.blockSize) : 0, 0);
    TransferState.IoTimeout = static_cast<int32_t>(run_.timeoutMs);

    if (!run_.module->program(run_.rate, run_.channels, run_.rangeCode)) {
        throw ModuleFailure{"Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION};
    }
    if (!run_.module->startRead()) throw ModuleFailure{"Не могу запустить АЦП!", 0};
    adcStarted_ = true;
    // Nothing between the start and the first read: the module's FIFO holds only milliseconds.
    startTick_ = platform::GetTickCount();
    QueueBlock(0);
    if (readsAhead_ > 0) QueueBlock(position_);
    AwaitBlock(run_.module->firstBlockFailure);
}

// The block just completed is handled while the next one fills; in a ring of three blocks or
// more the one after that is queued first, so that a late turn of this thread costs no sample.
void ADCThread::Pass() {
    const int32_t queued = position_;
    QueueBlock((position_ + readsAhead_) % run_.blockCount);
    const uint32_t tick = completedTick_;
    if (++position_ == run_.blockCount) {
        position_ = 0;
        wrapped_ = true;
    }
    OnGui([this, queued, tick] {
        Publish(queued, tick);
        if (!ThreadControl.FftRealTime) {
            ShowOscillogram();
        } else if (ring::SpectrumDue(run_.recordTime, position_)) {
            ShowSpectrum();
        }
    });
    AwaitBlock(kLaterBlockFailure);
}

void ADCThread::StopSequence() {
    const uint32_t tick = platform::GetTickCount();
    OnGui([this, tick] { StampBlock(position_, tick); });
    StopAdc();
    RestoreBlockQueuedAhead();
    const double now = platform::Now();
    TransferState.AdcBlocks.Close();
    OnGui([this, now] {
        SampleData.DataTime = now;
        FinishAcquisition();
    });
}

int16_t* ADCThread::Block(int32_t position) {
    return SampleData.SampleBuffer.data() + static_cast<int64_t>(position) * run_.blockSize;
}

// A block queued ahead of the one in flight keeps what its place held until then: the stop
// cancels it while the module may have begun writing there, and the ring keeps the last lap.
void ADCThread::QueueBlock(int32_t position) {
    TransferQueue::Slot* slot = TransferState.AdcBlocks.Next();
    if (slot == nullptr) throw ModuleFailure{kLaterBlockFailure, 0};
    if (TransferState.AdcBlocks.InFlight() > 0) {
        std::copy(Block(position), Block(position) + run_.blockSize, aheadKept_.begin());
        aheadPosition_ = position;
    }
    // The module takes the count by reference; it stays valid for the whole run.
    readCount_ = static_cast<uint32_t>(run_.blockSize);
    run_.module->readData(Block(position), &readCount_, *slot);
    TransferState.AdcBlocks.Queued();
}

void ADCThread::AwaitBlock(const char* timeoutText) {
    if (!TransferState.AdcBlocks.AwaitOldest(run_.timeoutMs)) throw ModuleFailure{timeoutText, 0};
    completedTick_ = platform::GetTickCount();
}

void ADCThread::RestoreBlockQueuedAhead() {
    if (aheadPosition_ < 0) return;
    std::copy(aheadKept_.begin(), aheadKept_.end(), Block(aheadPosition_));
    aheadPosition_ = -1;
}

void ADCThread::StopAdc() {
    if (!run_.module->stopRead()) throw ModuleFailure{run_.module->stopFailure, 0};
    adcStarted_ = false;
}

// ---- Exits --------------------------------------------------------------------------------------

// The module goes first: the release cancels the reads still queued on the slots.
void ADCThread::FailureExit(const std::string& text, int flags) {
    ErrorBox(text, flags);
    const RealTimeModule* module = run_.module;
    OnGui([this, module] {
        if (module != nullptr) module->release();
        ReturnToIdle();
    });
    TransferState.AdcBlocks.Close();
}

void ADCThread::IdleExit(const std::string& message) {
    // Nothing may stream into the buffer once the window takes it back.
    if (adcStarted_ && run_.module != nullptr) run_.module->stopRead();
    adcStarted_ = false;
    TransferState.AdcBlocks.Close();
    try {
        OnGui([this, &message] {
            ReturnToIdle();
            if (!message.empty()) ui::Application.HandleException(message);
        });
    } catch (...) {
        // The window is idle again whatever the box did.
    }
}

// ---- GUI thread ---------------------------------------------------------------------------------

void ADCThread::ReturnToIdle() {
    ThreadControl.AcqRunning = 0;
    ThreadControl.AcqIdle = 1;
    Forma->SpeedButtonRecord->SetDown(false);
    Forma->Chart->SetEnabled(true);
}

void ADCThread::TakeSettings() {
    Run run;
    run.module = ReadyRealTimeModule();
    const AcquisitionSettingsGroup& chosen = AcquisitionSettings;
    const int gain = Forma->ComboBoxK->ItemIndex();
    const int bits = Forma->ComboBoxFFTBit->ItemIndex() + kLowestFftBits;
    // The start refuses unset choices; a run never streams with them either.
    if (run.module == nullptr || !(chosen.AdcRate > 0) || !std::isfinite(chosen.AdcRate) ||
        !(chosen.AdcTime > 0) || chosen.AdcChannels < 1 || chosen.AdcChannels > kSeriesCount ||
        BlockRing.BlockCount < 1 || gain < 0 || gain > 3 || bits < kLowestFftBits ||
        bits > kHighestFftBits) {
        throw Refused{};
    }
    const double xBegin = NumberIn(*Forma->EditFFT_XB);
    const double xEnd = NumberIn(*Forma->EditFFT_XE);

    run.rate = chosen.AdcRate;
    run.recordTime = chosen.AdcTime;
    run.channels = chosen.AdcChannels;
    run.rangeCode = gain;
    run.fftBits = bits;
    run.blockCount = BlockRing.BlockCount;
    const int64_t blockSize = run.module->blockSize(run.rate, run.channels);
    const int64_t ringSamples = blockSize * run.blockCount;
    if (ringSamples > std::numeric_limits<int32_t>::max()) {
        // Counts are 32-bit: a ring past them is refused before anything changes.
        ui::Application.MessageBox(kNoMemoryForRing, kErrorCaption, 0);
        throw Refused{};
    }
    run.blockSize = static_cast<int32_t>(blockSize);
    run.timeoutMs = static_cast<uint32_t>(ring::BlockTimeoutMs(blockSize, run.rate));
    run_ = run;

    SampleData.RecordTime = run.recordTime;
    SampleData.DataRate = run.rate;
    SampleData.DataChannels = static_cast<uint8_t>(run.channels);
    SampleData.DataGain = static_cast<uint8_t>(gain);
    SampleData.DataMvPerCode = run.module->millivoltsPerCode(gain);
    AcquisitionSettings.FftBits = bits;
    AcquisitionSettings.FftXBegin = xBegin;
    AcquisitionSettings.FftXEnd = xEnd;

    AnalysisResults.FftSize = 1 << (bits - 1);
    const int32_t fftSize = AnalysisResults.FftSize;
    // 2 x FftSize points span exactly one second, so that bin j is j Hz.
    AnalysisResults.AnalysisInterval = 500 * run.rate / fftSize / run.channels;
    AnalysisResults.FourierCount = 2 * fftSize;
    AnalysisResults.SpectrumFirst = static_cast<int32_t>(std::trunc(std::clamp<double>(xBegin, 0, fftSize)));
    AnalysisResults.SpectrumLast = static_cast<int32_t>(std::trunc(std::clamp<double>(xEnd, -1, fftSize - 1)));
    AnalysisResults.WorkRe.assign(static_cast<size_t>(fftSize) + 1, 0.0);
    AnalysisResults.WorkIm.assign(static_cast<size_t>(fftSize) + 1, 0.0);
    const size_t tableSize = (static_cast<size_t>(fftSize) + 1) * static_cast<size_t>(run.channels);
    std::vector<double>(tableSize, 0.0).swap(AnalysisResults.AmpTable);
    std::vector<double>(tableSize, 0.0).swap(AnalysisResults.PhaseTable);

    Forma->Memo->Lines().Add(adclog::FftLine());
    // Cleared in the same call that took the settings: a change made from now on is seen.
    ThreadControl.AcqParamsChanged = 0;
    BlockRing.RingWrapped = 0;
    BlockRing.BlockTimes.assign(static_cast<size_t>(run.blockCount), 0.0);
}

void ADCThread::PrepareChartAndRing() {
    const int channels = run_.channels;
    const double rate = run_.rate;
    if (!ThreadControl.FftRealTime) {
        switch (Forma->ComboBoxX->ItemIndex()) {
            case 0: ChartState.XMultiplier = 1.0; break;
            case 1: ChartState.XMultiplier = channels / rate; break;
            case 2: ChartState.XMultiplier = channels / rate / 1000; break;
            case 3: ChartState.XMultiplier = channels / rate / 60000; break;
            default: break;
        }
        redraw::SetSeriesX(ChartState.XMultiplier);
    }
    if (const auto perCode = YUnitsPerCode(Forma->ComboBoxY->ItemIndex())) ChartState.YMultiplier = *perCode;
    redraw::SetSeriesY(ChartState.YMultiplier);
    Forma->Chart->SetTitleText("ОСЦИЛЛОГРАФ");

    // Counts of the ring to come; the passes fill them in. The old data are let go first.
    SampleData.SampleCount = 0;
    SampleData.FrameCount = 0;
    const int64_t ringSamples = static_cast<int64_t>(run_.blockSize) * run_.blockCount;
    if (!adc::SizeSampleBuffer(ringSamples)) throw Refused{};
    if (run_.module->kind == adc::Module::Usb3000) {
        SampleData.SampleCount = static_cast<int32_t>(ringSamples);
        SampleData.FrameCount = static_cast<int32_t>(ringSamples / channels);
    }
    BlockRing.BlockSize = run_.blockSize;
    BlockRing.BlockPos = position_;
}

void ADCThread::StampBlock(int32_t position, uint32_t tick) {
    BlockRing.StartTick = startTick_;
    BlockRing.LastTick = tick;
    // The tick count wraps at 2^32 ms; the difference stays right across the wrap.
    BlockRing.BlockTimes[static_cast<size_t>(position)] = static_cast<uint32_t>(tick - BlockRing.StartTick);
}

void ADCThread::Publish(int32_t queued, uint32_t tick) {
    StampBlock(queued, tick);
    BlockRing.BlockPos = position_;
    BlockRing.RingWrapped = wrapped_ ? 1 : 0;
    const int64_t blocks = wrapped_ ? run_.blockCount : position_;
    SampleData.SampleCount = static_cast<int32_t>(blocks * run_.blockSize);
    SampleData.FrameCount = WholeFrames(SampleData.SampleCount, SampleData.DataChannels);
}
