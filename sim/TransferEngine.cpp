#include "sim/TransferEngine.h"

#include <algorithm>
#include <cmath>

#include "sim/Defaults.h"

namespace sim {
namespace {

int64_t NsFor(uint64_t samples, double rateKHz) {
  return static_cast<int64_t>(std::ceil(static_cast<double>(samples) * 1e6 / rateKHz));
}

// The bench synthesises a waiting read's samples at least this often (in samples of the stream,
// and not more often than every 2 ms of simulated time), so that completing a read leaves
// little to do and its event comes on time.
constexpr uint64_t kTickSamples = 8192;
constexpr int64_t kMinTickNs = 2'000'000;
constexpr uint64_t kScratchFrames = 4096;

}  // namespace

TransferEngine::TransferEngine(ModuleKind kind, SimClock& clock)
    : kind_(kind),
      clock_(clock),
      dac_(kind == ModuleKind::Quev ? DacFormat::Quev : DacFormat::Usb3000) {}

// As a driver does: the status and the bytes of this one request, then the signal.
void TransferEngine::Finish(OverlappedRecord* overlapped, uint32_t count, platform::Event event) {
  if (overlapped != nullptr) {
    overlapped->Internal = 0;
    overlapped->InternalHigh = static_cast<uintptr_t>(count) * sizeof(int16_t);
  }
  platform::SetEvent(event);
}

// ---- ADC

void TransferEngine::StartRead(const AdcSetup& setup, const BenchModel& model) {
  std::lock_guard lock(mutex_);
  CancelReadsLocked();
  synth_ = std::make_unique<AdcSynth>(kind_, setup, model);
  dac_.SetCorner(model.LowPassCornerHz);
  reading_ = true;
  readStartNs_ = clock_.NowNs();
  readStartS_ = static_cast<double>(readStartNs_) * 1e-9;
  stream_.Start(setup.RateKHz > 0 ? setup.RateKHz : 1,
                kind_ == ModuleKind::Quev ? defaults::kQuevInputFifoLength
                                          : defaults::kUsb3000InputFifoLength);
}

void TransferEngine::StopRead() {
  std::lock_guard lock(mutex_);
  CancelReadsLocked();
  reading_ = false;
}

void TransferEngine::CancelReadsLocked() {
  for (const Read& r : reads_)
    if (r.Timer != 0) clock_.Cancel(r.Timer);
  reads_.clear();
  readStalled_ = false;
  if (tick_ != 0) clock_.Cancel(tick_);
  tick_ = 0;
  ++tickGeneration_;
}

void TransferEngine::QueueRead(int16_t* buffer, uint32_t count, OverlappedRecord* overlapped,
                               bool stall) {
  std::lock_guard lock(mutex_);
  Read r;
  r.Buffer = buffer;
  r.Count = count;
  r.Overlapped = overlapped;
  r.Event = overlapped->hEvent;
  readStalled_ = readStalled_ || stall;
  r.Stalled = readStalled_;
  if (reading_) {
    const int64_t elapsed = ReadElapsedLocked();
    r.Pieces = stream_.Take(count, elapsed, reads_.empty());
    r.End = r.Pieces.empty() ? 0 : r.Pieces.back().First + r.Pieces.back().Count;
    if (!r.Stalled)
      r.Timer = clock_.Schedule(readStartNs_ + std::max(elapsed, stream_.ReadyNs(r.End)),
                                [this] { CompleteReads(); });
  }
  reads_.push_back(std::move(r));
  ScheduleTickLocked();
}

void TransferEngine::CompleteReads() {
  std::lock_guard lock(mutex_);
  if (!reading_) return;
  const int64_t elapsed = ReadElapsedLocked();
  const uint64_t produced = stream_.Produced(elapsed);
  bool completed = false;
  while (!reads_.empty() && !reads_.front().Stalled && reads_.front().End <= produced) {
    FillLocked(reads_.front().End);
    Finish(reads_.front().Overlapped, reads_.front().Count, reads_.front().Event);
    reads_.pop_front();
    completed = true;
  }
  if (completed && reads_.empty()) stream_.Emptied(elapsed);
}

void TransferEngine::FillLocked(uint64_t until) {
  for (Read& r : reads_) {
    if (r.Stalled) return;
    uint64_t offset = 0;  // the read's sample index at the start of the piece
    for (const StreamPiece& piece : r.Pieces) {
      const uint64_t pieceEnd = piece.First + piece.Count;
      if (r.Filled < offset + piece.Count) {
        const uint64_t from = piece.First + (r.Filled - offset);
        const uint64_t to = std::min(pieceEnd, until);
        if (to <= from) return;
        Synthesise(from, to, r.Buffer + r.Filled);
        r.Filled += static_cast<uint32_t>(to - from);
        if (to < pieceEnd) return;
      }
      offset += piece.Count;
    }
  }
}

void TransferEngine::Synthesise(uint64_t first, uint64_t end, int16_t* out) {
  const auto channels = static_cast<uint64_t>(synth_->Channels());
  uint64_t frame = first / channels;
  while (first < end) {
    const uint64_t frames = std::min(kScratchFrames, (end - 1) / channels + 1 - frame);
    scratch_.resize(frames * channels);
    synth_->Frames(frame, frames, readStartS_, &dac_, scratch_.data());
    const uint64_t sliceEnd = std::min(end, (frame + frames) * channels);
    std::copy(scratch_.begin() + static_cast<ptrdiff_t>(first - frame * channels),
              scratch_.begin() + static_cast<ptrdiff_t>(sliceEnd - frame * channels), out);
    out += sliceEnd - first;
    first = sliceEnd;
    frame += frames;
  }
}

void TransferEngine::ScheduleTickLocked() {
  if (tick_ != 0 || !reading_ || reads_.empty() || reads_.front().Stalled) return;
  const uint64_t generation = ++tickGeneration_;
  const int64_t step = std::max(kMinTickNs, stream_.ReadyNs(kTickSamples));
  tick_ = clock_.Schedule(clock_.NowNs() + step, [this, generation] { Tick(generation); });
}

void TransferEngine::Tick(uint64_t generation) {
  std::lock_guard lock(mutex_);
  if (generation != tickGeneration_) return;
  tick_ = 0;
  if (!reading_) return;
  FillLocked(stream_.Produced(ReadElapsedLocked()));
  ScheduleTickLocked();
}

uint64_t TransferEngine::AdcOverruns() {
  std::lock_guard lock(mutex_);
  return stream_.Lost();
}

// ---- DAC

void TransferEngine::StartWrite(double rateKHz, uint16_t fifoLength, double latencyMs) {
  std::lock_guard lock(mutex_);
  CancelWritesLocked();
  writing_ = true;
  writeStartNs_ = clock_.NowNs();
  writeRateKHz_ = rateKHz > 0 ? rateKHz : 1;
  writeFifo_ = fifoLength;
  written_ = 0;
  if (latencyMs < 0)
    latencyMs = std::max(0.0, fifoLength / writeRateKHz_ - defaults::kDacLatencyAdvanceMs);
  const double now = static_cast<double>(writeStartNs_) * 1e-9;
  // Without a recording under way no read can ask for the earlier runs any more.
  if (!reading_) dac_.LevelsAt(now);
  dac_.Start(now, writeRateKHz_, latencyMs * 1e-3);
}

void TransferEngine::StopWrite() {
  std::lock_guard lock(mutex_);
  CancelWritesLocked();
  if (writing_) dac_.Stop(clock_.NowSeconds());
  writing_ = false;
}

void TransferEngine::CancelWritesLocked() {
  for (const Write& w : writes_)
    if (w.Timer != 0) clock_.Cancel(w.Timer);
  writes_.clear();
  writeStalled_ = false;
}

void TransferEngine::QueueWrite(const int16_t* words, uint32_t count,
                                OverlappedRecord* overlapped, bool stall) {
  std::lock_guard lock(mutex_);
  // The words are taken now; the caller may refill its buffer as soon as the write completes.
  if (writing_) dac_.Append(words, count, clock_.NowSeconds());
  Write w;
  w.Count = count;
  written_ += count;
  w.End = written_;
  w.Overlapped = overlapped;
  w.Event = overlapped->hEvent;
  writeStalled_ = writeStalled_ || stall;
  w.Stalled = writeStalled_;
  if (writing_ && !w.Stalled) {
    const uint64_t played = w.End > writeFifo_ ? w.End - writeFifo_ : 0;
    w.Timer = clock_.Schedule(writeStartNs_ + NsFor(played, writeRateKHz_),
                              [this] { CompleteWrites(); });
  }
  writes_.push_back(w);
}

void TransferEngine::CompleteWrites() {
  std::lock_guard lock(mutex_);
  if (!writing_) return;
  const int64_t elapsed = clock_.NowNs() - writeStartNs_;
  while (!writes_.empty() && !writes_.front().Stalled) {
    const Write& w = writes_.front();
    const uint64_t played = w.End > writeFifo_ ? w.End - writeFifo_ : 0;
    if (NsFor(played, writeRateKHz_) > elapsed) break;
    Finish(w.Overlapped, w.Count, w.Event);
    writes_.pop_front();
  }
}

std::vector<uint16_t> TransferEngine::DacWords() {
  std::lock_guard lock(mutex_);
  return dac_.Words();
}

size_t TransferEngine::DacUnderruns() {
  std::lock_guard lock(mutex_);
  return dac_.Underruns();
}

}  // namespace sim
