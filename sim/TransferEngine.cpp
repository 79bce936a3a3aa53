#include "sim/TransferEngine.h"

#include <algorithm>
#include <cmath>

#include "sim/Defaults.h"

namespace sim {
namespace {

int64_t NsFor(uint64_t samples, double rateKHz) {
  return static_cast<int64_t>(std::ceil(static_cast<double>(samples) * 1e6 / rateKHz));
}

}  // namespace

TransferEngine::TransferEngine(ModuleKind kind, SimClock& clock)
    : kind_(kind),
      clock_(clock),
      dac_(kind == ModuleKind::Quev ? DacFormat::Quev : DacFormat::Usb3000) {}

void TransferEngine::StartRead(const AdcSetup& setup, const BenchModel& model) {
  std::lock_guard lock(mutex_);
  CancelLocked(read_);
  adc_ = setup;
  adc_.Channels = std::clamp(adc_.Channels, 1, 16);
  model_ = model;
  dac_.SetCorner(model.LowPassCornerHz);
  cachedFrame_ = -1;
  read_.Running = true;
  read_.StartNs = clock_.NowNs();
  read_.RateKHz = setup.RateKHz > 0 ? setup.RateKHz : 1;
  read_.QueuedEnd = 0;
  readStartS_ = static_cast<double>(read_.StartNs) * 1e-9;
}

void TransferEngine::StopRead() {
  std::lock_guard lock(mutex_);
  CancelLocked(read_);
  read_.Running = false;
}

void TransferEngine::StartWrite(double rateKHz, uint16_t fifoLength, double latencyMs) {
  std::lock_guard lock(mutex_);
  CancelLocked(write_);
  write_.Running = true;
  write_.StartNs = clock_.NowNs();
  write_.RateKHz = rateKHz > 0 ? rateKHz : 1;
  write_.QueuedEnd = 0;
  write_.Fifo = fifoLength;
  if (latencyMs < 0)
    latencyMs = std::max(0.0, fifoLength / write_.RateKHz - defaults::kDacLatencyAdvanceMs);
  const double now = static_cast<double>(write_.StartNs) * 1e-9;
  // Without a recording under way no read can ask for the earlier runs any more.
  if (!read_.Running) dac_.LevelsAt(now);
  dac_.Start(now, write_.RateKHz, latencyMs * 1e-3);
}

void TransferEngine::StopWrite() {
  std::lock_guard lock(mutex_);
  CancelLocked(write_);
  if (write_.Running) dac_.Stop(clock_.NowSeconds());
  write_.Running = false;
}

void TransferEngine::CancelLocked(Stream& stream) {
  for (const Request& r : stream.Pending)
    if (r.Timer != 0) clock_.Cancel(r.Timer);
  stream.Pending.clear();
  stream.Stalled = false;
}

void TransferEngine::QueueRead(int16_t* buffer, uint32_t count, platform::Event event,
                               bool stall) {
  std::lock_guard lock(mutex_);
  Queue(read_, Request{0, buffer, count, 0, event, 0}, stall, true);
}

void TransferEngine::QueueWrite(const int16_t* words, uint32_t count, platform::Event event,
                                bool stall) {
  std::lock_guard lock(mutex_);
  // The words are taken now; the caller may refill its buffer as soon as the write completes.
  if (write_.Running) dac_.Append(words, count, clock_.NowSeconds());
  Queue(write_, Request{0, nullptr, count, 0, event, 0}, stall, false);
}

void TransferEngine::Queue(Stream& stream, Request request, bool stall, bool isRead) {
  request.Seq = nextSeq_++;
  request.First = stream.QueuedEnd;
  stream.QueuedEnd += request.Count;
  if (stall) stream.Stalled = true;
  stream.Pending.push_back(request);
  if (stream.Running && !stream.Stalled) ScheduleLocked(stream, stream.Pending.back(), isRead);
}

void TransferEngine::ScheduleLocked(Stream& stream, Request& request, bool isRead) {
  const uint64_t end = request.First + request.Count;
  const uint64_t played = isRead ? end : (end > stream.Fifo ? end - stream.Fifo : 0);
  const int64_t due = stream.StartNs + NsFor(played, stream.RateKHz);
  const uint64_t seq = request.Seq;
  request.Timer = clock_.Schedule(due, [this, isRead, seq] { Complete(isRead, seq); });
}

void TransferEngine::Complete(bool isRead, uint64_t seq) {
  std::lock_guard lock(mutex_);
  Stream& stream = isRead ? read_ : write_;
  if (stream.Pending.empty() || stream.Pending.front().Seq != seq) return;  // cancelled
  const Request request = stream.Pending.front();
  stream.Pending.pop_front();
  if (isRead) Fill(request);
  platform::SetEvent(request.Event);
}

void TransferEngine::Fill(const Request& request) {
  const auto n = static_cast<uint64_t>(adc_.Channels);
  for (uint32_t i = 0; i < request.Count; ++i) {
    const uint64_t position = request.First + i;
    ComputeFrame(position / n);
    request.Buffer[i] = frameCodes_[position % n];
  }
}

void TransferEngine::ComputeFrame(uint64_t frame) {
  if (static_cast<int64_t>(frame) == cachedFrame_) return;
  cachedFrame_ = static_cast<int64_t>(frame);
  const double t = static_cast<double>(frame) * adc_.Channels / (read_.RateKHz * 1000.0);
  FrameCodes(kind_, adc_, model_, t, dac_.LevelsAt(readStartS_ + t), frame * adc_.Channels,
             frameCodes_.data());
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
