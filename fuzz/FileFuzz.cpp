// libFuzzer target for the data-file readers: the text reader with every header and body of the
// ".asc", ".af" and La-4 files, and the ".dat" frame reader. Not part of the CMake build.
//
// Build and run (from the repository root):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/FileFuzz.cpp \
//       platform/*.cpp state/State.cpp files/FileFormat*.cpp -o /tmp/file_fuzz -lpthread
//   mkdir -p /tmp/file_fuzz_corpus && /tmp/file_fuzz -max_total_time=60 -rss_limit_mb=4096 \
//       /tmp/file_fuzz_corpus
//
// The first input byte chooses what is read; the rest is the file. Bad input must end in
// platform::InOutError and nothing else: no crash, no read outside a buffer, no hang.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/InOutError.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "files/FileFormats.h"
#include "state/State.h"

namespace {

void ReadTextFile(platform::TextReader& file, bool asAf) {
    if (!ReadVersionField(file)) {
        ReadSampleRows(file);  // La-4 rows with whatever channel count is set
    } else if (asAf) {
        ReadAfAfterVersion(file);
    } else {
        ReadAscAfterVersion(file);
    }
}

void ReadDat(const uint8_t* data, size_t size, uint8_t channels) {
    static const std::string path = "/tmp/file_fuzz_" + std::to_string(getpid()) + ".dat";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    ReadDatFile(path, ImportShape{10, channels, 0});
}

// Numbers and lines in the order the remaining bytes ask for.
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
    const uint8_t mode = data[0];
    SampleData.DataChannels = static_cast<uint8_t>(mode % 17);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        auto file = platform::TextReader::FromBytes(text);
        switch (mode >> 6) {
        case 0: ReadTextFile(file, false); break;
        case 1: ReadTextFile(file, true); break;
        case 2: ReadPieces(file, data + 1, std::min<size_t>(size - 1, 64)); break;
        case 3: ReadDat(data + 1, size - 1, SampleData.DataChannels); break;
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
