// Whole data files: which lines, header set and body each kind reads and writes.

#include "window/FileFormats.h"
#include "window/State.h"

namespace {

constexpr uint8_t kMaxChannels = 16;

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
    SampleData.DataTime = ReadDateTimeField(file);
    FileContent content = FileContent::OtherKind;
    switch (ReadKindLine(file)) {
    case FileKind::Acquisition:
        ChartState.DataKind = kKindTimeData;
        ReadHeader(file, HeaderSet::A);
        content = FileContent::Acquisition;
        break;
    case FileKind::SweepData:
        ChartState.DataKind = kKindSweepData;
        ReadHeader(file, HeaderSet::B);
        content = FileContent::SweepData;
        break;
    case FileKind::DshkData:
        ChartState.DataKind = kKindDshkData;
        ReadHeader(file, HeaderSet::A);
        content = FileContent::DshkData;
        break;
    default:
        // No header: the shape and the display mode stay, the rows start on line 3.
        break;
    }
    ReadSampleRows(file);
    file.Close();
    return content;
}

FileContent WriteAscFile(const std::string& path) {
    platform::TextWriter file(path);
    WriteVersionLine(file, SampleData.DataTime);
    FileContent content = FileContent::OtherKind;
    if (ChartState.DataKind == kKindTimeData) {
        WriteKindLine(file, FileKind::Acquisition);
        WriteHeader(file, HeaderSet::A);
        content = FileContent::Acquisition;
    } else if (ChartState.DataKind == kKindSweepData) {
        WriteKindLine(file, FileKind::SweepData);
        WriteHeader(file, HeaderSet::B);
        content = FileContent::SweepData;
    }
    WriteSampleRows(file);
    file.Close();
    return content;
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
    SampleData.DataTime = ReadDateTimeField(file);
    FileContent content = FileContent::OtherKind;
    switch (ReadKindLine(file)) {
    case FileKind::Response:
        ChartState.DataKind = kKindSweepGain;
        SampleData.FrameCount = 0;
        ReadHeader(file, HeaderSet::C);
        ReadResponseRows(file);
        content = FileContent::Response;
        break;
    case FileKind::Harmonics:
        ChartState.DataKind = kKindHarmonics;
        ReadHeader(file, HeaderSet::D);
        ReadHarmonicRows(file);
        content = FileContent::Harmonics;
        break;
    case FileKind::Spectrum:
        ChartState.DataKind = kKindSpectrum;
        ReadHeader(file, HeaderSet::E);
        ReadSpectrumRows(file);
        content = FileContent::Spectrum;
        break;
    default:
        break;
    }
    file.Close();
    return content;
}

FileContent WriteAfFile(const std::string& path) {
    platform::TextWriter file(path);
    WriteVersionLine(file, SampleData.DataTime);
    FileContent content = FileContent::OtherKind;
    const uint8_t kind = ChartState.DataKind;
    if (kind == kKindTimeData || kind == kKindSpectrum) {
        WriteKindLine(file, FileKind::Spectrum);
        WriteHeader(file, HeaderSet::E);
        WriteSpectrumRows(file);
        content = FileContent::Spectrum;
    } else if (kind >= kKindSweepData && kind <= kKindSweepPhases) {
        WriteKindLine(file, FileKind::Response);
        WriteHeader(file, HeaderSet::C);
        WriteResponseRows(file);
        content = FileContent::Response;
    } else if (kind == kKindHarmonics || kind == kKindHarmonicsLog) {
        WriteKindLine(file, FileKind::Harmonics);
        WriteHeader(file, HeaderSet::D);
        WriteHarmonicRows(file);
        content = FileContent::Harmonics;
    }
    file.Close();
    return content;
}
