// Whole data files: which lines, header set and body each kind reads and writes.

#include <span>

#include "files/FileFormats.h"
#include "state/State.h"

namespace {

constexpr uint8_t kMaxChannels = 16;

// What follows the version line of a text file: its kind line, the display mode the file holds,
// its header set and, for the tables of ".af", its body (".asc" always has sample rows).
struct Block {
    FileKind kind;
    uint8_t dataKind;
    HeaderSet header;
    FileContent content;
    void (*readBody)(platform::TextReader&) = nullptr;
    void (*writeBody)(platform::TextWriter&) = nullptr;
    // Tables are no sample data: the frame count goes before the header is read.
    bool dropsFrames = false;
};

constexpr Block kAcquisition{FileKind::Acquisition, kKindTimeData, HeaderSet::A, FileContent::Acquisition};
constexpr Block kSweepData{FileKind::SweepData, kKindSweepData, HeaderSet::B, FileContent::SweepData};
constexpr Block kDshkData{FileKind::DshkData, kKindDshkData, HeaderSet::A, FileContent::DshkData};
constexpr Block kResponse{FileKind::Response, kKindSweepGain, HeaderSet::C, FileContent::Response,
                      ReadResponseRows, WriteResponseRows, true};
constexpr Block kHarmonics{FileKind::Harmonics, kKindHarmonics, HeaderSet::D, FileContent::Harmonics,
                       ReadHarmonicRows, WriteHarmonicRows};
constexpr Block kSpectrum{FileKind::Spectrum, kKindSpectrum, HeaderSet::E, FileContent::Spectrum,
                      ReadSpectrumRows, WriteSpectrumRows};

constexpr const Block* kAscBlocks[] = {&kAcquisition, &kSweepData, &kDshkData};
constexpr const Block* kAfBlocks[] = {&kResponse, &kHarmonics, &kSpectrum};

// The date of the version line, then the kind line; a block of `known` takes the display mode
// and reads its header and body. Any other kind line reads nothing more.
const Block* ReadDateKindAndBlock(platform::TextReader& file, std::span<const Block* const> known) {
    SampleData.DataTime = ReadDateTimeField(file);
    const FileKind kind = ReadKindLine(file);
    for (const Block* block : known) {
        if (block->kind == kind) {
            ChartState.DataKind = block->dataKind;
            if (block->dropsFrames) {
                SampleData.FrameCount = 0;
            }
            ReadHeader(file, block->header);
            if (block->readBody) {
                block->readBody(file);
            }
            return block;
        }
    }
    return nullptr;
}

FileContent WriteTextFile(const std::string& path, const Block* block, bool withSampleRows) {
    platform::TextWriter file(path);
    WriteVersionLine(file, SampleData.DataTime);
    if (block) {
        WriteKindLine(file, block->kind);
        WriteHeader(file, block->header);
        if (block->writeBody) {
            block->writeBody(file);
        }
    }
    if (withSampleRows) {
        WriteSampleRows(file);
    }
    file.Close();
    return block ? block->content : FileContent::OtherKind;
}

bool CanImport(const ImportShape& window) {
    return window.channels >= 1 && window.channels <= kMaxChannels;
}

// Bare data take the shape the operator chose in the window.
void TakeWindowShape(const ImportShape& window) {
    ChartState.DataKind = kKindTimeData;
    SampleData.DataRate = window.rate;
    SampleData.DataChannels = window.channels;
    SampleData.DataGain = static_cast<uint8_t>(window.gainIndex >= 0 && window.gainIndex <= 3 ? window.gainIndex : 0);
}

FileContent ImportLa4(const std::string& path, const ImportShape& window,
                      const std::function<void()>& announceLa4) {
    if (!CanImport(window)) {
        return FileContent::Refused;
    }
    if (announceLa4) {
        announceLa4();
    }
    TakeWindowShape(window);
    platform::TextReader file(path);
    ReadSampleRows(file);
    file.Close();
    return FileContent::La4Rows;
}

} // namespace

FileContent ReadAscFile(const std::string& path, const ImportShape& window,
                        const std::function<void()>& announceLa4) {
    platform::TextReader file(path);
    if (!ReadVersionField(file)) {
        file.Close();
        return ImportLa4(path, window, announceLa4);
    }
    const FileContent content = ReadAscAfterVersion(file);
    file.Close();
    return content;
}

FileContent ReadAscAfterVersion(platform::TextReader& file) {
    // Without a known kind line the shape and the display mode stay; the rows start on line 3.
    const Block* block = ReadDateKindAndBlock(file, kAscBlocks);
    ReadSampleRows(file);
    return block ? block->content : FileContent::OtherKind;
}

FileContent WriteAscFile(const std::string& path) {
    const uint8_t kind = ChartState.DataKind;
    const Block* block = kind == kKindTimeData ? &kAcquisition : kind == kKindSweepData ? &kSweepData : nullptr;
    return WriteTextFile(path, block, true);
}

FileContent ReadDatFile(const std::string& path, const ImportShape& window) {
    if (!CanImport(window)) {
        return FileContent::Refused;
    }
    TakeWindowShape(window);
    platform::RecordReader file(path);
    ReadDatFrames(file);
    file.Close();
    return FileContent::Samples;
}

void WriteDatFile(const std::string& path) {
    platform::RecordWriter file(path);
    WriteDatSamples(file);
    file.Close();
}

FileContent ReadAfFile(const std::string& path) {
    platform::TextReader file(path);
    if (!ReadVersionField(file)) {
        file.Close();
        return FileContent::NoVersion;
    }
    const FileContent content = ReadAfAfterVersion(file);
    file.Close();
    return content;
}

FileContent ReadAfAfterVersion(platform::TextReader& file) {
    const Block* block = ReadDateKindAndBlock(file, kAfBlocks);
    return block ? block->content : FileContent::OtherKind;
}

FileContent WriteAfFile(const std::string& path) {
    const uint8_t kind = ChartState.DataKind;
    const Block* block = nullptr;
    if (kind == kKindTimeData || kind == kKindSpectrum) {
        block = &kSpectrum;
    } else if (kind >= kKindSweepData && kind <= kKindSweepPhases) {
        block = &kResponse;
    } else if (kind == kKindHarmonics || kind == kKindHarmonicsLog) {
        block = &kHarmonics;
    }
    return WriteTextFile(path, block, false);
}
