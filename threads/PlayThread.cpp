#include "threads/PlayThread.h"

#include <algorithm>
#include <exception>

#include "analysis/DacBuffer.h"
#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "ui/MessageFlags.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

// The control switch checked records the filtered pair only, at half the rate.
constexpr uint8_t kControlChannels = 2;
constexpr double kControlRate = 30.0;
constexpr uint8_t kFullChannels = 4;
constexpr double kFullRate = 60.0;

// A failure on the way: the message and its icon; the worker then leaves by its failure exit.
struct PlayFailure {
    const char* Text;
    int Flags;
};

[[noreturn]] void Fail(const char* text, int flags = ui::MB_OK) { throw PlayFailure{text, flags}; }

void Require(bool done, const char* text, int flags = ui::MB_OK) {
    if (!done) Fail(text, flags);
}

constexpr const char* kReadFailure = "Ошибка ввода данных с АЦП!";
constexpr const char* kWriteFailure = "Ошибка вывода данных с ЦАП!";

uint32_t Timeout() { return static_cast<uint32_t>(TransferState.IoTimeout); }

void ShowIdle() {
    Forma->SpeedButtonSPlay->SetDown(false);
    Forma->Chart->SetEnabled(true);
}

} // namespace

PlayThread::PlayThread() = default;
PlayThread::~PlayThread() = default;

void PlayThread::Execute() {
    try {
        while (ThreadControl.PlayRunning) {
            if (ThreadControl.PlaySetup) {
                SetUpPass();
            } else {
                SteadyPass();
            }
        }
        // Stopped before the set-up pass: nothing was started and nothing recorded.
        if (module_ == nullptr) return;
        StopTransfers();
        FinishRecording();
    } catch (const PlayFailure& failure) {
        FailureExit(failure.Text, failure.Flags);
    } catch (const std::exception& error) {
        FailureExit(error.what(), ui::MB_OK);
    }
}

void PlayThread::TakeSettings() {
    module_ = ChoosePlayModule();
    if (module_ == nullptr) return;
    const bool control = Forma->CheckBoxSControl->Checked();
    Geometry& g = geometry_;
    g.Channels = control ? kControlChannels : kFullChannels;
    g.Rate = control ? kControlRate : kFullRate;
    g.BufferLength = static_cast<int32_t>(
        std::min<size_t>(static_cast<size_t>(std::max(DacPlayback.DacBufferLength, 0)), DacPlayback.DacBuffer.size()));
    g.Blocks = PlaybackBlocks(g.BufferLength);
    g.DacWords = g.Blocks * kPlayDacBlock;

    SampleData.DataChannels = g.Channels;
    SampleData.DataRate = g.Rate;
    FrequencyResponse.AfcDacRate = kPlayDacRate;
    BlockRing.BlockSize = kPlayAdcBlock;
    BlockRing.DacBlockSize = kPlayDacBlock;
    BlockRing.BlockCount = 1;
    g.Gain = SampleData.DataGain;
    SampleData.DataMvPerCode = module_->MillivoltsPerCode(g.Gain);
    SampleData.SampleCount = g.Blocks * kPlayAdcBlock;

    ChartState.XMultiplier = g.Channels / g.Rate / 1000;
    Forma->Chart->BottomAxis().SetValueFormat(redraw::kFormatSeconds);
    redraw::SetSeriesX(ChartState.XMultiplier);

    SampleData.SampleBuffer.assign(static_cast<size_t>(SampleData.SampleCount), 0);
    DacPlayback.DacOutBuffer.assign(static_cast<size_t>(g.DacWords), 0);
}

void PlayThread::SetUpPass() {
    OnGui([this] { TakeSettings(); });
    if (module_ == nullptr) {
        // No DAC is ready any more: there is nothing to play.
        ThreadControl.PlayRunning = 0;
        OnGui(ShowIdle);
        return;
    }
    // Every ADC block may be queued before the first completes: with the control switch a block
    // of the recording lasts two of the DAC's.
    TransferState.AdcBlocks.Open(static_cast<size_t>(geometry_.Blocks));
    OpenTransfer(TransferState.DacEvent, TransferState.DacOverlapped);
    TransferState.IoTimeout = static_cast<int32_t>(2 * platform::Trunc(kPlayAdcBlock / geometry_.Rate + 1000));
    ThreadControl.PlaySetup = 0;
    OnGui([this] { Forma->Memo->Lines().Add(LogLine("Данные ШЭМ  ")); });

    // The composing buttons leave the buffer alone while this worker lives.
    ComposeDacWords(module_->Format(), DacPlayback.DacBuffer.data(), static_cast<size_t>(geometry_.BufferLength),
                    DacPlayback.DacOutBuffer.data(), DacPlayback.DacOutBuffer.size());
    OnGui([this] {
        ChartState.YMultiplier = SampleData.DataMvPerCode;
        Forma->Chart->LeftAxis().SetValueFormat(redraw::kFormatMillivolts);
        redraw::SetSeriesY(ChartState.YMultiplier);
    });

    Require(module_->SetInputPars(geometry_.Channels, geometry_.Rate, geometry_.Gain),
            "Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION);
    Require(module_->SetOutputPars(kPlayDacRate), "Не могу передать параметры ЦАП!", ui::MB_ICONINFORMATION);
    Require(module_->StartWrite(), "Не могу запустить ЦАП!");
    QueueWrite(0);
    Require(module_->StartRead(), "Не могу запустить АЦП!");
    QueueRead(0);
    BlockQueued(0);
}

// The ADC blocks are queued ahead and awaited only at the stop, so that a pass waits for the DAC
// alone: its next block goes out as soon as the one before has been taken, whatever the ADC's
// pace (with the control switch an ADC block lasts two DAC blocks).
void PlayThread::SteadyPass() {
    const int32_t block = block_;
    QueueRead(block);
    AwaitWrite();
    QueueWrite(block);
    BlockQueued(block);
}

void PlayThread::BlockQueued(int32_t block) {
    if (block >= geometry_.Blocks - 1) ThreadControl.PlayRunning = 0;
    block_ = block + 1;
}

void PlayThread::QueueRead(int32_t block) {
    int16_t* samples = SampleData.SampleBuffer.data() + static_cast<size_t>(block) * kPlayAdcBlock;
    TransferQueue::Slot* slot = TransferState.AdcBlocks.Next();
    Require(slot != nullptr && module_->ReadData(samples, kPlayAdcBlock, *slot), kReadFailure);
    TransferState.AdcBlocks.Queued();
}

void PlayThread::QueueWrite(int32_t block) {
    int16_t* words = DacPlayback.DacOutBuffer.data() + static_cast<size_t>(block) * kPlayDacBlock;
    Require(module_->WriteData(words, kPlayDacBlock), kWriteFailure);
}

void PlayThread::AwaitRead() { Require(TransferState.AdcBlocks.AwaitOldest(Timeout()), kReadFailure); }

void PlayThread::AwaitWrite() { Require(TransferCompleted(TransferState.DacEvent, Timeout()), kWriteFailure); }

// The DAC stops once its last block has gone out, so that it never plays dry while the ADC
// (slower with the control switch) records on; every ADC block queued then completes before
// the ADC stops, so that none is cut off.
void PlayThread::StopTransfers() {
    AwaitWrite();
    Require(module_->StopWrite(), module_->StopWriteFailure());
    while (TransferState.AdcBlocks.InFlight() > 0) AwaitRead();
    Require(module_->StopRead(), module_->StopReadFailure());
    CloseTransfer(TransferState.DacEvent);
    TransferState.AdcBlocks.Close();
}

void PlayThread::FinishRecording() {
    OnGui([this] {
        SampleData.DataTime = platform::Now();
        BlockRing.BlockCount = block_;
        ShowIdle();
        SampleData.FrameCount = WholeFrames(SampleData.SampleCount, geometry_.Channels);
        SampleData.SampleCount = SampleData.FrameCount * geometry_.Channels;
        Forma->Memo->Lines().Add(LogLine("Данные для ДШК ШЭМ  "));
        ChartState.DataKind = kKindPlaybackData;
        PlayDone();
    });
}

void PlayThread::PlayDone() {
    SampleData.DataFileName = kNotSavedName;
    Forma->SpeedButtonSost->PerformClick();
}

// The module goes first, so that nothing it still has queued points at the events.
void PlayThread::FailureExit(const std::string& text, int flags) {
    ErrorBox(text, flags);
    OnGui([this] {
        if (module_ != nullptr) module_->Release();
        ThreadControl.PlayRunning = 0;
        BlockRing.BlockCount = block_;
        ShowIdle();
    });
    CloseTransfer(TransferState.DacEvent);
    TransferState.AdcBlocks.Close();
}

// Nothing is cut from the recording, so the count of samples cut per channel is 0.
std::string PlayThread::LogLine(const char* head) const {
    using platform::FloatToStr;
    using platform::IntToStr;
    return std::string(head) + platform::DateTimeToStr(SampleData.DataTime) + ", Q=" + FloatToStr(geometry_.Rate) +
           "кГц, N=" + IntToStr(geometry_.Channels) + ", K=" + IntToStr(SampleData.DataGain) +
           ", Qdac=" + FloatToStr(kPlayDacRate) + "кГц, RBA=" + IntToStr(kPlayAdcBlock) +
           ", RBD=" + IntToStr(kPlayDacBlock) + ", ND=" + IntToStr(SampleData.SampleCount) +
           ", NDdac=" + IntToStr(geometry_.DacWords) + ", Вырезать 0шт на канал";
}

bool StartPlayThread() { return StartWorker<PlayThread>(ThreadControl.PlayWorker) != nullptr; }
