// The sweep streaming: one block each way per pass, the ADC one queued behind the block in
// flight before the completed one is shown, then the
// converters stopped, the DAC's latency cut off the record, the sweep logged and its response
// computed.

#include <algorithm>
#include <cstdint>
#include <string>

#include "analysis/Decimate.h"
#include "modules/QuevModule.h"
#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "settings/BringUpSteps.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "threads/DacThread.h"
#include "window/AxisUnits.h"
#include "window/Form.h"

namespace {

constexpr const char* kDacTimedOut = "Ошибка вывода данных с ЦАП!";
constexpr const char* kAdcTimedOut = "Ошибка ввода данных с АЦП!";

uint32_t IoTimeout() { return static_cast<uint32_t>(std::max(TransferState.IoTimeout, 0)); }

} // namespace

bool DACThread::SteadyPass() {
    TransferStateGroup& t = TransferState;
    const sweep::SweepGeometry& g = sweep_.order.geometry;
    const int32_t b = block_;
    if (!DacBlockPlayed()) return false;
    QueueWrite(b);
    if (!t.AdcBlocks.AwaitOldest(IoTimeout())) {
        Fail(kAdcTimedOut, 0, true);
        return false;
    }
    // Block b is in flight since the pass before; the one after it goes behind it now.
    if (b < g.LastBlock) QueueRead(b + 1);
    if (b == g.LastBlock) {
        ThreadControl.AfcRunning = 0;  // the last block is on its way
    } else {
        OnGui([b] {
            BlockRing.BlockCount = b;
            DrawAFFCBlock();  // block b - 1 is complete
        });
    }
    block_ = b + 1;
    return true;
}

bool DACThread::DacBlockPlayed() {
    if (TransferCompleted(TransferState.DacEvent, IoTimeout())) return true;
    Fail(kDacTimedOut, 0, true);
    return false;
}

void DACThread::QueueWrite(int32_t block) {
    TransferStateGroup& t = TransferState;
    const size_t first = static_cast<size_t>(block) * static_cast<size_t>(sweep_.order.geometry.DacBlock);
    sweep_.module->WriteData(DacPlayback.DacOutBuffer.data() + first, &dacCount_, &t.DacBytesDone, &t.DacOverlapped);
}

void DACThread::QueueRead(int32_t block) {
    TransferQueue::Slot* slot = TransferState.AdcBlocks.Next();
    if (slot == nullptr) return;
    const size_t first = static_cast<size_t>(block) * static_cast<size_t>(sweep_.order.geometry.AdcBlock);
    sweep_.module->ReadData(SampleData.SampleBuffer.data() + first, &adcCount_, &slot->BytesDone, &slot->Overlapped);
    TransferState.AdcBlocks.Queued();
}

// A stop press leaves the block after the one in flight queued: the stop cuts it off, and the
// record ends with the block in flight as it would without it.
bool DACThread::StopConverters() {
    TransferStateGroup& t = TransferState;
    IQuevModule& module = *sweep_.module;
    if (!DacBlockPlayed()) return false;
    // A sweep within one block: a block of silence keeps the DAC playing while its FIFO plays the
    // signal out, which a stop now would cut off.
    if (sweep_.order.geometry.LastBlock == 0) {
        QueueWrite(1);
        if (!DacBlockPlayed()) return false;
    }
    if (!bringup::Succeeded(module.STOP_WRITE())) {
        Fail("Не могу остановить ЦАП!", 0, true);
        return false;
    }
    if (!t.AdcBlocks.AwaitOldest(IoTimeout())) {
        Fail(kAdcTimedOut, 0, true);
        return false;
    }
    if (!bringup::Succeeded(module.STOP_READ())) {
        Fail("Не могу остановить АЦП!", 0, true);
        return false;
    }
    return true;
}

void DACThread::FinishRecord() {
    CloseTransfer(TransferState.DacEvent);
    TransferState.AdcBlocks.Close();
    std::vector<int16_t>().swap(DacPlayback.DacOutBuffer);

    const int32_t cut = sweep::LatencyCutFrames(sweep_.order.adcRate, sweep_.order.channels, sweep_.order.dacRate);
    // One call for the record, its log line and its response, so that a shutdown begun meanwhile
    // (the flag is set on the GUI thread) leaves all three undone.
    OnGui([this, cut] {
        if (ThreadControl.ShuttingDown) return;
        BlockRing.BlockCount = block_;
        SampleData.DataTime = platform::Now();
        if (Forma != nullptr) {
            Forma->SpeedButtonAFFC->SetDown(false);
            Forma->Chart->SetEnabled(true);
        }
        // Every block issued, less the frames the DAC's latency put before the signal; a record
        // stopped before the signal reached the ADC keeps nothing.
        const int64_t channels = sweep_.order.channels;
        const int64_t issued = std::min<int64_t>(static_cast<int64_t>(block_) * sweep_.order.geometry.AdcBlock,
                                                 static_cast<int64_t>(SampleData.SampleBuffer.size()));
        const int64_t frames = std::max<int64_t>(issued / channels - cut, 0);
        SampleData.FrameCount = static_cast<int32_t>(frames);
        SampleData.SampleCount = static_cast<int32_t>(frames * channels);
        if (frames > 0) {
            int16_t* samples = SampleData.SampleBuffer.data();
            std::copy(samples + cut * channels, samples + (cut + frames) * channels, samples);
        }
        if (Forma != nullptr) Forma->Memo->Lines().Add(LogLine(cut));
        CalcAFFC();
    });
}

std::string DACThread::LogLine(int32_t cut) const {
    using platform::FloatToStr;
    using platform::IntToStr;
    const sweep::SweepSettings& s = sweep_.order.settings;
    const sweep::SweepGeometry& g = sweep_.order.geometry;
    std::string line = "АЧХ и ФЧХ  " + platform::DateTimeToStr(SampleData.DataTime) + ", Q=" +
                       FloatToStr(sweep_.order.adcRate) + "кГц, N=" + IntToStr(sweep_.order.channels) + ", K=" +
                       IntToStr(sweep_.order.gain) + ", Qdac=" + FloatToStr(sweep_.order.dacRate) + "кГц, U=" +
                       FloatToStr(s.AmplitudeMv) + "мВ, Beg=" + FloatToStr(s.FreqBegin) + "Гц, End=" +
                       FloatToStr(s.FreqEnd) + "Гц, Ofull=" + FloatToStr(g.Octaves) + "октав, Omin=" +
                       FloatToStr(s.OctavesPerMin) + "окт/мин, Kol=" + IntToStr(s.Steps) + "шт, TU=" +
                       FloatToStr(s.RiseTime) + "с, TD=" + FloatToStr(s.FallTime) + "с, TF=" +
                       FloatToStr(g.TotalTime) + "с";
    for (size_t i = 0; i < g.SegmentEnd.size(); ++i) {
        line += ", ND" + IntToStr(static_cast<int64_t>(i) + 1) + "=" + IntToStr(g.SegmentEnd[i]);
    }
    line += ", NK=" + IntToStr(SampleData.FrameCount) + ", RBA=" + IntToStr(g.AdcBlock) + ", RBD=" +
            IntToStr(g.DacBlock) + ", ND=" + IntToStr(SampleData.SampleCount) + ", Вырезать " + IntToStr(cut) +
            "шт на канал";
    return line;
}

void DrawAFFCBlock() {
    if (Forma == nullptr) return;
    const int64_t channels = SampleData.DataChannels;
    const int64_t b = BlockRing.BlockCount;
    if (channels < 1 || b < 1) return;
    const int64_t first = (b - 1) * BlockRing.BlockSize / channels;
    const int64_t last = std::min<int64_t>(b * BlockRing.BlockSize / channels - 1,
                                           static_cast<int64_t>(SampleData.SampleBuffer.size()) / channels - 1);
    DrawRecordFrames(first, last);
}
