#pragma once

// One module's block transfers in simulated time. ADC samples are taken frame by frame from
// START_READ at the programmed rate and flow into the queued reads in order through the input
// FIFO (see AdcStream); the bench synthesises them into the caller's buffer as simulated time
// passes, and a read completes (its event set) once the stream has produced its last sample.
// DAC words are played from START_WRITE; a queued write completes when all but the output
// FIFO's length of the words written so far have been played. A completion writes its status and
// byte count into the overlapped record, as a driver does, before its event is set; requests
// sharing one record and event then tell only that the last one wrote. Requests of one direction
// complete in the order queued, and a stop or the release cancels them under the engine's lock:
// once it returns, nothing touches a caller's buffer, record or event again. A transfer queued
// while its converter is stopped never completes.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "modules/Overlapped.h"
#include "sim/AdcModel.h"
#include "sim/AdcStream.h"
#include "sim/BenchControl.h"
#include "sim/DacLoop.h"

namespace sim {

class TransferEngine {
 public:
  TransferEngine(ModuleKind kind, SimClock& clock);

  void StartRead(const AdcSetup& setup, const BenchModel& model);
  void StopRead();
  // A stalled request never completes, nor does any queued after it until the next start.
  void QueueRead(int16_t* buffer, uint32_t count, OverlappedRecord* overlapped, bool stall);

  void StartWrite(double rateKHz, uint16_t fifoLength, double latencyMs);
  void StopWrite();
  void QueueWrite(const int16_t* words, uint32_t count, OverlappedRecord* overlapped, bool stall);

  std::vector<uint16_t> DacWords();
  size_t DacUnderruns();
  uint64_t AdcOverruns();

 private:
  struct Read {
    int16_t* Buffer = nullptr;
    uint32_t Count = 0;
    uint32_t Filled = 0;  // samples synthesised into the buffer so far
    std::vector<StreamPiece> Pieces;
    uint64_t End = 0;  // stream position after the last sample
    OverlappedRecord* Overlapped = nullptr;
    platform::Event Event = nullptr;
    bool Stalled = false;
    SimClock::TimerId Timer = 0;
  };
  struct Write {
    uint32_t Count = 0;
    uint64_t End = 0;  // words written up to this one
    OverlappedRecord* Overlapped = nullptr;
    platform::Event Event = nullptr;
    bool Stalled = false;
    SimClock::TimerId Timer = 0;
  };

  int64_t ReadElapsedLocked() { return clock_.NowNs() - readStartNs_; }
  void CancelReadsLocked();
  void CancelWritesLocked();
  void CompleteReads();
  void CompleteWrites();
  // Synthesises every waiting read's samples at stream positions below `until`, in order.
  void FillLocked(uint64_t until);
  void Synthesise(uint64_t first, uint64_t end, int16_t* out);
  void ScheduleTickLocked();
  void Tick(uint64_t generation);
  static void Finish(OverlappedRecord* overlapped, uint32_t count, platform::Event event);

  ModuleKind kind_;
  SimClock& clock_;
  std::mutex mutex_;

  bool reading_ = false;
  bool readStalled_ = false;
  int64_t readStartNs_ = 0;
  double readStartS_ = 0;
  AdcStream stream_;
  std::unique_ptr<AdcSynth> synth_;
  std::deque<Read> reads_;
  std::vector<int16_t> scratch_;
  SimClock::TimerId tick_ = 0;
  uint64_t tickGeneration_ = 0;

  bool writing_ = false;
  bool writeStalled_ = false;
  int64_t writeStartNs_ = 0;
  double writeRateKHz_ = 1;
  uint32_t writeFifo_ = 0;
  uint64_t written_ = 0;
  std::deque<Write> writes_;
  DacLoop dac_;
};

}  // namespace sim
