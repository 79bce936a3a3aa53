#include "threads/AdcThreadLog.h"

#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "state/State.h"

namespace adclog {

namespace {

std::string Int(int64_t value) { return platform::IntToStr(value); }

} // namespace

std::string FftLine() {
    const AnalysisResultsGroup& results = AnalysisResults;
    return "БПФ,  " + platform::DateTimeToStr(SampleData.DataTime) +
           ",  Bit=" + Int(AcquisitionSettings.FftBits) + ",  Kol=" + Int(results.FourierCount) +
           ",  N=" + Int(SampleData.DataChannels) +
           ",  Interval=" + platform::FloatToStr(results.AnalysisInterval) +
           ",  K=" + Int(SampleData.DataGain) + ",  NK=" + Int(SampleData.FrameCount);
}

std::string TimingLine(const std::vector<double>& blockTimes, int32_t newest, bool wrapped) {
    std::string line = "Timing :";
    const auto entry = [&line](const std::string& value) { line += "  " + value + ","; };
    const auto step = [&](size_t q) {
        if (q < blockTimes.size()) entry(platform::FloatToStr(blockTimes[q] - blockTimes[q - 1]));
    };
    if (wrapped) {
        for (size_t q = static_cast<size_t>(newest) + 2; q < blockTimes.size(); ++q) step(q);
        if (!blockTimes.empty()) entry(Int(platform::Round(blockTimes[0])));
    } else {
        for (size_t q = 1; q <= static_cast<size_t>(newest) + 1; ++q) step(q);
    }
    return line;
}

std::string SummaryLine(int32_t blockCount, int32_t newest, uint16_t fifoLength) {
    return "REAL,  Сбор данных  " + platform::DateTimeToStr(SampleData.DataTime) +
           ",  Q=" + platform::FloatToStr(SampleData.DataRate) + "кГц,  N=" + Int(SampleData.DataChannels) +
           ",  K=" + Int(SampleData.DataGain) + ",  NB=" + Int(blockCount) + ",  NBtek=" + Int(newest) +
           ",  RBA=" + Int(BlockRing.BlockSize) + ",  ND=" + Int(SampleData.SampleCount) +
           ",  NK=" + Int(SampleData.FrameCount) +
           ",  Fifo=" + Int(fifoLength);
}

}  // namespace adclog
