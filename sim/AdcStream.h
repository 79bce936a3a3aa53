#pragma once

// The ADC's sample stream as the queued reads take it. Sample p (counted from START_READ) is
// taken at p / rate. While a read is queued, the samples flow into the reads in order. While none
// is, they wait in the module's input FIFO; once the FIFO is full, every further sample is lost
// until a read is queued again: the next read gets what the FIFO holds and then the live stream,
// so its stream positions jump (the ramp input shows the jump) and the lost samples are counted.

#include <cstdint>
#include <deque>
#include <vector>

namespace sim {

// Stream positions [First, First + Count).
struct StreamPiece {
  uint64_t First = 0;
  uint64_t Count = 0;
};

class AdcStream {
 public:
  // A new stream at rateKHz, positions from 0, the FIFO (in samples) empty.
  void Start(double rateKHz, uint64_t fifo);

  // Samples taken within elapsedNs of the start.
  uint64_t Produced(int64_t elapsedNs) const;
  // When the sample before position `end` has been taken, in ns after the start.
  int64_t ReadyNs(uint64_t end) const;

  // The positions of a read of `count` samples queued at elapsedNs; `nonePending`: no earlier
  // read is still waiting, so the FIFO may have overflowed since the last one completed.
  std::vector<StreamPiece> Take(uint64_t count, int64_t elapsedNs, bool nonePending);
  // The last pending read completed at elapsedNs: from then the FIFO fills.
  void Emptied(int64_t elapsedNs) { emptiedNs_ = elapsedNs; }

  uint64_t Lost() const { return lost_; }

 private:
  void Overflow(int64_t elapsedNs);
  // The position `count` samples on from `from`, skipping lost ones.
  uint64_t Advance(uint64_t from, uint64_t count) const;

  double rateKHz_ = 1;
  uint64_t fifo_ = 0;
  uint64_t next_ = 0;        // the first position no read has taken
  int64_t emptiedNs_ = 0;    // since when no read has been waiting
  std::deque<StreamPiece> lostPieces_;  // beyond next_
  uint64_t lost_ = 0;
};

}  // namespace sim
