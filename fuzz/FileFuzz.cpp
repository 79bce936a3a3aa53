// libFuzzer target for the data-file readers: the text reader itself, the bodies of ".asc", ".af"
// and La-4 files read from memory, and the whole-file readers of ".asc" (with the La-4 import),
// ".af" and ".dat" read from a file on disk. Built by fuzz/CMakeLists.txt; the seeds in
// fuzz/corpus/files are files the station wrote, each behind its first byte.
//
// The first input byte chooses the reader (its top three bits, modulo the six readers) and the
// channel count the window offers or the body is read with (the rest, modulo 17; none chosen
// refuses an import); the other bytes are the file. Bad input must end in platform::InOutError
// and nothing else: no crash, no read outside a buffer, no hang.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/InOutError.h"
#include "platform/TextFile.h"
#include "files/FileFormats.h"
#include "state/State.h"

namespace {

void ReadTextBody(platform::TextReader& file, bool asAf) {
    if (!ReadVersionField(file)) {
        ReadSampleRows(file);  // La-4 rows with whatever channel count is set
    } else if (asAf) {
        ReadAfAfterVersion(file);
    } else {
        ReadAscAfterVersion(file);
    }
}

// Numbers and lines in the order the file's own bytes ask for.
void ReadPieces(platform::TextReader& file, const uint8_t* script, size_t length) {
    for (size_t i = 0; i < length && !file.AtEnd(); ++i) {
        switch (script[i] % 4) {
        case 0: file.ReadInt(); break;
        case 1: file.ReadReal(); break;
        case 2: file.ReadChars(script[i] / 4); break;
        case 3: file.SkipLine(); break;
        }
    }
}

// The path-based readers take the file by its name, so the input is written to one first.
std::string PutInFile(const char* extension, std::string_view bytes) {
    const std::string path = "/tmp/file_fuzz_" + std::to_string(getpid()) + extension;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    return path;
}

enum Reader : uint8_t { AscBody, AfBody, Pieces, DatFile, AscFile, AfFile, kReaders };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    // Only the groups the readers write are reset: a full reset clears the large sequence table.
    SampleData = {};
    ChartState = {};
    AcquisitionSettings = {};
    FrequencyResponse = {};
    static_cast<AnalysisWindowAndTables&>(AnalysisResults) = {};
    const auto reader = static_cast<Reader>((data[0] >> 5) % kReaders);
    const auto channels = static_cast<uint8_t>((data[0] & 31) % 17);
    SampleData.DataChannels = channels;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    // The range choice follows the channels, from none (-1) to range 3.
    const ImportShape window{10, channels, channels % 5 - 1};
    try {
        auto text = platform::TextReader::FromBytes(bytes);
        switch (reader) {
        case AscBody: ReadTextBody(text, false); break;
        case AfBody: ReadTextBody(text, true); break;
        case Pieces: ReadPieces(text, data + 1, std::min<size_t>(size - 1, 64)); break;
        case DatFile: ReadDatFile(PutInFile(".dat", bytes), window); break;
        // Without a version line this is the La-4 import, refused when no channel count is chosen.
        case AscFile: ReadAscFile(PutInFile(".asc", bytes), window, [] {}); break;
        case AfFile: ReadAfFile(PutInFile(".af", bytes)); break;
        case kReaders: break;
        }
    } catch (const platform::InOutError&) {
    }
    // What the readers leave must be consistent enough for every later reader.
    if (SampleData.SampleCount < 0 ||
        static_cast<size_t>(SampleData.SampleCount) > SampleData.SampleBuffer.size()) {
        __builtin_trap();
    }
    return 0;
}
