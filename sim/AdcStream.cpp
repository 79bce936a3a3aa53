#include "sim/AdcStream.h"

#include <algorithm>
#include <cmath>

namespace sim {

void AdcStream::Start(double rateKHz, uint64_t fifo) {
  rateKHz_ = rateKHz > 0 ? rateKHz : 1;
  fifo_ = fifo;
  next_ = 0;
  emptiedNs_ = 0;
  lostPieces_.clear();
  lost_ = 0;
}

int64_t AdcStream::ReadyNs(uint64_t end) const {
  return static_cast<int64_t>(std::ceil(static_cast<double>(end) * 1e6 / rateKHz_));
}

uint64_t AdcStream::Produced(int64_t elapsedNs) const {
  if (elapsedNs <= 0) return 0;
  auto p = static_cast<uint64_t>(static_cast<double>(elapsedNs) * rateKHz_ / 1e6);
  while (ReadyNs(p + 1) <= elapsedNs) ++p;
  while (p > 0 && ReadyNs(p) > elapsedNs) --p;
  return p;
}

uint64_t AdcStream::Advance(uint64_t from, uint64_t count) const {
  uint64_t at = from;
  for (const StreamPiece& gap : lostPieces_) {
    if (gap.First + gap.Count <= at) continue;
    if (gap.First >= at + count) break;
    count -= gap.First - at;
    at = gap.First + gap.Count;
  }
  return at + count;
}

void AdcStream::Overflow(int64_t elapsedNs) {
  // The FIFO fills from the later of the first untaken sample and the moment the last read
  // completed: the module's own delay in completing it costs the reader nothing.
  const uint64_t from = std::max(next_, Produced(emptiedNs_));
  const uint64_t full = Advance(from, fifo_);
  const uint64_t produced = Produced(elapsedNs);
  if (produced <= full) return;
  if (!lostPieces_.empty() && lostPieces_.back().First + lostPieces_.back().Count == full)
    lostPieces_.back().Count += produced - full;
  else
    lostPieces_.push_back({full, produced - full});
  lost_ += produced - full;
}

std::vector<StreamPiece> AdcStream::Take(uint64_t count, int64_t elapsedNs, bool nonePending) {
  if (nonePending) Overflow(elapsedNs);
  std::vector<StreamPiece> pieces;
  while (count > 0) {
    while (!lostPieces_.empty() && lostPieces_.front().First + lostPieces_.front().Count <= next_)
      lostPieces_.pop_front();
    if (!lostPieces_.empty() && lostPieces_.front().First <= next_) {
      next_ = lostPieces_.front().First + lostPieces_.front().Count;
      continue;
    }
    uint64_t run = count;
    if (!lostPieces_.empty()) run = std::min(run, lostPieces_.front().First - next_);
    pieces.push_back({next_, run});
    next_ += run;
    count -= run;
  }
  return pieces;
}

}  // namespace sim
