// The live views of the real-time acquisition, run on the GUI thread after each block: the
// oscilloscope of the last display time and the spectrum of the last second. Both end at the end
// of the last completed block and start no earlier than the end of the last block the module
// holds (the one in flight or the one queued behind it): the views read only what no read will
// overwrite, however late the window serves them, also right after the ring wrapped, when those
// blocks lie before the others. One block holds more than the spectrum's second.

#include <algorithm>
#include <cmath>

#include "analysis/Decimate.h"
#include "analysis/RealTimeRing.h"
#include "state/State.h"
#include "threads/AdcThread.h"
#include "window/AxisUnits.h"
#include "window/Form.h"

namespace {

void ClearAllSeries() {
    for (ui::Series* series : Forma->Series) series->Clear();
}

} // namespace

void ADCThread::ShowOscillogram() {
    const int channels = run_.channels;
    const double begin = ring::CompletedBegin(position_, run_.blockCount, 1 + readsAhead_, run_.blockSize, channels);
    const double end = ring::CompletedEnd(position_, run_.blockCount, run_.blockSize, channels);
    ring::FrameSpan span = ring::OscilloscopeSpan(begin, end, run_.rate, run_.recordTime, channels);
    span.last = std::min<int64_t>(span.last, static_cast<int64_t>(SampleData.SampleBuffer.size() / channels) - 1);

    ChartUpdate update(*Forma->Chart);
    ClearAllSeries();
    if (span.Count() <= 0) return;
    const int16_t* codes = SampleData.SampleBuffer.data();
    if (span.Count() < decimate::kBucketThreshold) {
        for (int k = 0; k < channels; ++k) {
            ui::Series& series = *Forma->Series[static_cast<size_t>(k)];
            series.Reserve(static_cast<size_t>(span.Count()));
            for (int64_t i = span.first; i <= span.last; ++i) {
                series.AddXY(static_cast<double>(i), codes[i * channels + k]);
            }
        }
        return;
    }
    for (int k = 0; k < channels; ++k) {
        Forma->Series[static_cast<size_t>(k)]->Reserve(2 * (ring::kOscilloscopeDivisions + 1));
    }
    decimate::ForEachMinMaxBucket(
        codes, channels, span.first, span.last, ring::kOscilloscopeDivisions,
        [channels](int64_t x, const int16_t* mins, const int16_t* maxs) {
            for (int k = 0; k < channels; ++k) {
                ui::Series& series = *Forma->Series[static_cast<size_t>(k)];
                series.AddXY(static_cast<double>(x), mins[k]);
                series.AddXY(static_cast<double>(x), maxs[k]);
            }
        });
}

void ADCThread::ShowSpectrum() {
    // The stop press lets go of the work arrays; the spectrum then has nothing to work in.
    if (!ThreadControl.AcqRunning) return;
    AnalysisResultsGroup& results = AnalysisResults;
    const int channels = run_.channels;
    const int32_t fftSize = results.FftSize;
    const size_t rows = static_cast<size_t>(fftSize) + 1;
    if (results.WorkRe.size() < rows || results.WorkIm.size() < rows ||
        results.AmpTable.size() < rows * channels || results.PhaseTable.size() < rows * channels) {
        return;
    }
    ring::SpectrumJob job;
    job.codes = SampleData.SampleBuffer.data();
    job.channels = channels;
    job.end = ring::CompletedEnd(position_, run_.blockCount, run_.blockSize, channels);
    job.rateKHz = run_.rate;
    job.interval = results.AnalysisInterval;
    job.fftSize = fftSize;
    // The bits the work arrays were sized for; the bits list may have changed since.
    job.bits = run_.fftBits;
    job.first = results.SpectrumFirst;
    job.last = results.SpectrumLast;

    ChartUpdate update(*Forma->Chart);
    ClearAllSeries();
    if (!ring::LiveSpectrum(job, results.AmpTable, results.PhaseTable)) return;
    const int32_t first = std::max(results.SpectrumFirst, 0);
    const int32_t last = std::min(results.SpectrumLast, fftSize - 1);
    for (int k = 0; k < channels; ++k) {
        ui::Series& series = *Forma->Series[static_cast<size_t>(k)];
        series.Reserve(static_cast<size_t>(std::max(0, last - first + 1)));
        for (int32_t j = first; j <= last; ++j) series.AddXY(j, results.AmpTable[TableIndex(static_cast<size_t>(j), k)]);
    }
}
