// Bodies of the data files: sample rows, result tables and bare 16-bit frames.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

#include "files/FileFormats.h"
#include "state/State.h"

namespace {

constexpr int32_t kMaxSamples = std::numeric_limits<int32_t>::max();

[[noreturn]] void ThrowTooManySamples() { throw platform::InOutError("Out of memory"); }

// A table entry a writer may not have computed yet is written as 0.
double EntryOrZero(const std::vector<double>& table, int64_t row, size_t channel) {
    if (row < 0) {
        return 0;
    }
    const size_t index = static_cast<size_t>(row) * SampleData.DataChannels + channel;
    return index < table.size() ? table[index] : 0;
}

// Each value is followed by one blank except the row's last, which ends the line.
void WriteTableRow(platform::TextWriter& file, int64_t row, bool withPhases) {
    const size_t channels = SampleData.DataChannels;
    const auto& results = AnalysisResults;
    const size_t values = withPhases ? 2 * channels : channels;
    for (size_t v = 0; v < values; ++v) {
        const auto& table = v < channels ? results.AmpTable : results.PhaseTable;
        file.WriteReal(EntryOrZero(table, row, v % channels));
        if (v + 1 < values) {
            file.WriteChar(' ');
        }
    }
    file.WriteLineEnd();
}

// A header may announce more rows than the rest of the file can hold: every value takes at least
// one character and one separator. Such a table is refused before anything is sized for it, so
// that a few bytes cannot make the reader take hundreds of megabytes.
void RequireRowsInFile(const platform::TextReader& file, size_t rows, size_t valuesPerRow) {
    const uint64_t values = static_cast<uint64_t>(rows) * valuesPerRow;
    if (values > 0 && 2 * values - 1 > file.BytesLeft()) {
        throw platform::InOutError("Read beyond end of file");
    }
}

// Reads one row of the tables (sized by the caller to hold it) and skips the rest of the line.
void ReadTableRow(platform::TextReader& file, size_t row, bool withPhases) {
    const size_t channels = SampleData.DataChannels;
    auto& results = AnalysisResults;
    for (size_t c = 0; c < channels; ++c) {
        results.AmpTable[row * channels + c] = file.ReadReal();
    }
    if (withPhases) {
        for (size_t c = 0; c < channels; ++c) {
            results.PhaseTable[row * channels + c] = file.ReadReal();
        }
    }
    file.SkipLine();
}

// Gain in dB and phase difference of every channel against channel 0 for one sweep step; the
// phase is brought into [-180, 180) for phases in [0, 360).
void DeriveStepAgainstChannelZero(size_t step) {
    const size_t channels = SampleData.DataChannels;
    const auto& amp = AnalysisResults.AmpTable;
    const auto& phase = AnalysisResults.PhaseTable;
    auto& afc = FrequencyResponse;
    const double a0 = amp[step * channels];
    const double p0 = phase[step * channels];
    for (size_t j = 0; j + 1 < channels; ++j) {
        const size_t d = step * (channels - 1) + j;
        const double aj = amp[step * channels + j + 1];
        afc.AfcDbTable[d] = a0 > 0 ? 20 * std::log10(aj / a0) : -100;
        double difference = phase[step * channels + j + 1] - p0;
        if (difference >= 180) {
            difference -= 360;
        }
        if (difference < -180) {
            difference += 360;
        }
        afc.AfcPhaseTable[d] = difference;
    }
}

} // namespace

void WriteSampleRows(platform::TextWriter& file) {
    const size_t channels = SampleData.DataChannels;
    const size_t frames = static_cast<size_t>(ValidFrames());
    const int16_t* frame = SampleData.SampleBuffer.data();
    for (size_t k = 0; k < frames; ++k, frame += channels) {
        file.WriteIntRow(frame, channels);
    }
}

namespace {

// The next size of the sample buffer while rows are read: once some rows were read, enough for
// the rest of the file at their bytes per sample (a little over, cut at the end), so that a long
// file is not copied and cleared over and over; else twice the size, at least 64 K samples.
size_t GrownSize(size_t size, size_t used, uint64_t bytesLeft, uint64_t bytesUsed) {
    const size_t doubled = std::max<size_t>(2 * size, 1 << 16);
    if (used == 0 || bytesUsed == 0) return doubled;
    const double samplesLeft = static_cast<double>(bytesLeft) * static_cast<double>(used) / static_cast<double>(bytesUsed);
    const double estimate = static_cast<double>(used) + 1.02 * samplesLeft + 4096;
    const double atLeast = static_cast<double>(size) + 1;
    return static_cast<size_t>(std::min(std::max(estimate, atLeast), static_cast<double>(kMaxSamples)));
}

}  // namespace

void ReadSampleRows(platform::TextReader& file) {
    auto& data = SampleData;
    auto& buffer = data.SampleBuffer;
    const size_t channels = data.DataChannels;
    buffer.clear();
    data.SampleCount = 0;
    // The buffer grows in large steps and is cut to the frames read at the end; a row that
    // fails part-way stays as a frame with zeros for its unread values.
    size_t used = 0;
    size_t filled = 0;
    bool inFrame = false;
    const uint64_t bodyBytes = file.BytesLeft();
    try {
        while (!file.AtEnd()) {
            if (used + channels > buffer.size()) {
                buffer.resize(GrownSize(buffer.size(), used, file.BytesLeft(), bodyBytes - file.BytesLeft()));
            }
            // Plain rows go the quick way as long as they come; the row after them (if any) the
            // checked way.
            const size_t room = std::min(buffer.size(), static_cast<size_t>(kMaxSamples)) - used;
            const size_t rows = channels > 0 ? room / channels : 0;
            used += channels * file.ReadLow16Rows(buffer.data() + used, channels, rows);
            if (file.AtEnd()) {
                break;
            }
            if (used + channels > static_cast<size_t>(kMaxSamples)) {
                ThrowTooManySamples();
            }
            if (used + channels > buffer.size()) {
                continue;
            }
            // A failing number leaves the values before it in the frame, zeros after it.
            inFrame = true;
            file.ReadLow16Ints(buffer.data() + used, channels, filled);
            inFrame = false;
            used += channels;
            filled = 0;
            file.SkipLine();
        }
    } catch (...) {
        buffer.resize(inFrame ? used + channels : used);
        data.SampleCount = static_cast<int32_t>(used + filled);
        throw;
    }
    buffer.resize(used);
    data.SampleCount = static_cast<int32_t>(used);
}

void WriteResponseRows(platform::TextWriter& file) {
    for (int64_t i = 0; i <= FrequencyResponse.AfcSteps; ++i) {
        WriteTableRow(file, i, true);
    }
}

void ReadResponseRows(platform::TextReader& file) {
    const size_t channels = SampleData.DataChannels;
    const size_t rows = static_cast<size_t>(std::max(FrequencyResponse.AfcSteps, 0)) + 1;
    const size_t size = channels * rows;
    RequireRowsInFile(file, rows, 2 * channels);
    // Until every row is in, the tables hold no response a view may show.
    FrequencyResponse.AfcResultRows = 0;
    FrequencyResponse.AfcResultChannels = 0;
    AnalysisResults.AmpTable.assign(size, 0.0);
    AnalysisResults.PhaseTable.assign(size, 0.0);
    AnalysisResults.PhasesInRadians = false;
    FrequencyResponse.AfcDbTable.assign(size, 0.0);
    FrequencyResponse.AfcPhaseTable.assign(size, 0.0);
    if (channels == 0) {
        return;
    }
    for (size_t i = 0; i < rows; ++i) {
        ReadTableRow(file, i, true);
        DeriveStepAgainstChannelZero(i);
    }
    FrequencyResponse.AfcResultRows = static_cast<int32_t>(rows);
    FrequencyResponse.AfcResultChannels = static_cast<int32_t>(channels);
}

void WriteHarmonicRows(platform::TextWriter& file) {
    for (int64_t k = 0; k <= AnalysisResults.FourierCount / 2; ++k) {
        WriteTableRow(file, k, true);
    }
}

void ReadHarmonicRows(platform::TextReader& file) {
    const size_t channels = SampleData.DataChannels;
    const size_t rows = static_cast<size_t>(std::max(AnalysisResults.FourierCount, 0) / 2) + 1;
    RequireRowsInFile(file, rows, 2 * channels);
    AnalysisResults.AmpTable.assign(channels * rows, 0.0);
    AnalysisResults.PhaseTable.assign(channels * rows, 0.0);
    AnalysisResults.PhasesInRadians = false;
    if (channels == 0) {
        return;
    }
    for (size_t k = 0; k < rows; ++k) {
        ReadTableRow(file, k, true);
    }
    // The file does not say which analysis wrote it. The Fourier series steps one frame and keeps
    // its phases within one turn in radians; the transform's degrees leave that range.
    const auto& phases = AnalysisResults.PhaseTable;
    AnalysisResults.PhasesInRadians =
        AnalysisResults.AnalysisInterval == 1.0 &&
        std::all_of(phases.begin(), phases.end(), [](double p) { return p >= 0 && p <= 2 * std::numbers::pi; });
}

void WriteSpectrumRows(platform::TextWriter& file) {
    for (int64_t k = AnalysisResults.SpectrumFirst; k <= AnalysisResults.SpectrumLast; ++k) {
        WriteTableRow(file, k, false);
    }
}

void ReadSpectrumRows(platform::TextReader& file) {
    const size_t channels = SampleData.DataChannels;
    const int32_t first = std::max(AnalysisResults.SpectrumFirst, 0);
    const int32_t last = AnalysisResults.SpectrumLast;
    RequireRowsInFile(file, static_cast<size_t>(std::max(last - first + 1, 0)), channels);
    AnalysisResults.AmpTable.assign(channels * static_cast<size_t>(std::max(last, -1) + 1), 0.0);
    if (channels == 0) {
        return;
    }
    for (int32_t k = first; k <= last; ++k) {
        ReadTableRow(file, static_cast<size_t>(k), false);
    }
}

void WriteDatSamples(platform::RecordWriter& file) {
    file.Write(SampleData.SampleBuffer.data(),
               static_cast<size_t>(ValidFrames()) * SampleData.DataChannels);
}

void ReadDatFrames(platform::RecordReader& file) {
    auto& data = SampleData;
    const uint64_t channels = data.DataChannels;
    data.SampleBuffer.clear();
    data.SampleCount = 0;
    if (channels == 0) {
        return;
    }
    const uint64_t frameBytes = channels * sizeof(int16_t);
    const uint64_t left = file.SizeBytes() - std::min(file.PositionBytes(), file.SizeBytes());
    const uint64_t wholeFrames = left / frameBytes;
    const bool partialFrame = left % frameBytes != 0;
    if ((wholeFrames + (partialFrame ? 1 : 0)) * channels > static_cast<uint64_t>(kMaxSamples)) {
        ThrowTooManySamples();
    }
    // Whole frames go straight into the buffer in one read; a frame is grown before its words
    // are read, so a short one leaves its unread words zero.
    const size_t wanted = static_cast<size_t>(wholeFrames * channels);
    data.SampleBuffer.resize(wanted);
    const size_t got = file.Read(data.SampleBuffer.data(), wanted);
    data.SampleCount = static_cast<int32_t>(got);
    if (got < wanted) {
        // The file shrank while it was read.
        data.SampleBuffer.resize((got + channels - 1) / channels * channels);
        throw platform::InOutError("Read beyond end of file");
    }
    if (partialFrame) {
        data.SampleBuffer.resize(wanted + channels);
        data.SampleCount += static_cast<int32_t>(file.Read(data.SampleBuffer.data() + wanted, channels));
        throw platform::InOutError("Read beyond end of file");
    }
}
