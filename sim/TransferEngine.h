#pragma once

// One module's block transfers in simulated time. ADC samples are taken frame by frame from
// START_READ at the programmed rate; a queued read completes when the stream has produced its
// last sample, is then filled from the bench and its event set. DAC words are played from
// START_WRITE; a queued write completes when all but the output FIFO's length of the words
// written so far have been played. Requests of one direction complete in the order queued, and
// a stop or the release cancels them under the engine's lock: once it returns, nothing touches
// a caller's buffer or event again. A transfer queued while its converter is stopped never
// completes.

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "sim/AdcModel.h"
#include "sim/BenchControl.h"
#include "sim/DacLoop.h"

namespace sim {

class TransferEngine {
 public:
  TransferEngine(ModuleKind kind, SimClock& clock);

  void StartRead(const AdcSetup& setup, const BenchModel& model);
  void StopRead();
  // A stalled request never completes, nor does any queued after it until the next start.
  void QueueRead(int16_t* buffer, uint32_t count, platform::Event event, bool stall);

  void StartWrite(double rateKHz, uint16_t fifoLength, double latencyMs);
  void StopWrite();
  void QueueWrite(const int16_t* words, uint32_t count, platform::Event event, bool stall);

  std::vector<uint16_t> DacWords();
  size_t DacUnderruns();

 private:
  struct Request {
    uint64_t Seq = 0;
    int16_t* Buffer = nullptr;
    uint32_t Count = 0;
    uint64_t First = 0;  // stream position of the first sample or word
    platform::Event Event = nullptr;
    SimClock::TimerId Timer = 0;
  };
  struct Stream {
    bool Running = false;
    bool Stalled = false;
    int64_t StartNs = 0;
    double RateKHz = 1;
    uint64_t QueuedEnd = 0;  // stream position after the last queued request
    uint32_t Fifo = 0;       // words that may stay unplayed when a write completes
    std::deque<Request> Pending;
  };

  void Queue(Stream& stream, Request request, bool stall, bool isRead);
  void ScheduleLocked(Stream& stream, Request& request, bool isRead);
  void CancelLocked(Stream& stream);
  void Complete(bool isRead, uint64_t seq);
  void Fill(const Request& request);
  void ComputeFrame(uint64_t frame);

  ModuleKind kind_;
  SimClock& clock_;
  std::mutex mutex_;
  uint64_t nextSeq_ = 1;
  Stream read_, write_;
  AdcSetup adc_;
  BenchModel model_;
  double readStartS_ = 0;
  DacLoop dac_;
  int64_t cachedFrame_ = -1;
  std::array<int16_t, 16> frameCodes_{};
};

}  // namespace sim
