#pragma once
// The log page's lines of a real-time acquisition.

#include <cstdint>
#include <string>
#include <vector>

namespace adclog {

// Written at every set-up, from the new transform settings and channel count, with the date and
// frame count of the data that were in memory before it:
// "БПФ,  <date>,  Bit=..,  Kol=..,  N=..,  Interval=..,  K=..,  NK=..".
std::string FftLine();

// "Timing :" and the milliseconds between the queuing of consecutive blocks, each entry
// "  <value>,". blockTimes holds the queue times by ring position and the stop time at the
// position after `newest`. Before the ring wrapped: positions 1 .. newest + 1. After: positions
// newest + 2 .. end of the ring, then the time of position 0 rounded to whole milliseconds.
std::string TimingLine(const std::vector<double>& blockTimes, int32_t newest, bool wrapped);

// "REAL,  Сбор данных  <date>,  Q=..кГц,  N=..,  K=..,  NB=..,  NBtek=..,  RBA=..,  ND=..,  NK=..,
// Fifo=.." from the data in memory, the run's ring size, its newest block and the input FIFO
// length of the module that streamed.
std::string SummaryLine(int32_t blockCount, int32_t newest, uint16_t fifoLength);

}  // namespace adclog
