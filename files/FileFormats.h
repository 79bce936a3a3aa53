#pragma once
// The data files, byte for byte: ".asc" (sample rows under a header), ".dat" (bare 16-bit
// samples), ".af" (amplitude and phase tables under a header) and the headerless text of the
// older La-4 instrument. Every function reads or writes the shared state directly; the open and
// save handlers add the dialogs, log lines, pages and redraw around them.
//
// Failures are platform::InOutError with the runtime's messages; whatever was read before the
// failure stays in the shared state, and the file is closed on every path.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/RecordFile.h"
#include "platform/TextFile.h"

// What the second line of a text file says it holds (the first 23 characters compared).
enum class FileKind : uint8_t {
    Other,        // none of the words below
    Acquisition,  // "СБОР ДАННЫХ"          .asc, header set A
    SweepData,    // "ДАННЫЕ ПО АЧХ И ФЧХ"  .asc, set B
    DshkData,     // "ДАННЫЕ ДЛЯ ДШК ШЭМ"   .asc, set A (read, never written)
    Response,     // "АЧХ И ФЧХ"            .af, set C
    Harmonics,    // "ПРЕОБРАЗОВАНИЕ ФУРЬЕ" .af, set D
    Spectrum,     // "СПЕКТРОАНАЛИЗ"        .af, set E
};

// Header sets: A rate, channels, gain; B adds the eight sweep settings; C is B without rise and
// fall; D adds the analysis window; E adds the spectrum bins, transform bits and interval.
enum class HeaderSet : uint8_t { A, B, C, D, E };

// Largest header counts a file may announce; anything above is refused as unreadable input.
inline constexpr int32_t kMaxFileSteps = 1 << 16;         // AfcSteps
inline constexpr int32_t kMaxFileFourierCount = 1 << 21;  // FourierCount
inline constexpr int32_t kMaxFileSpectrumBin = 1 << 20;   // SpectrumFirst, SpectrumLast
inline constexpr int32_t kMaxFileFftBits = 31;

// ---- lines ----------------------------------------------------------------------------------

// "Quev Dorvaline, в. 1.02    " and the date and time of the data.
void WriteVersionLine(platform::TextWriter& file, double dataTime);
// Reads the first 23 characters; true when they are the version field of 1.01 or 1.02.
bool ReadVersionField(platform::TextReader& file);
// The next 23 characters of the version line as a date and time; the rest of the line skipped.
double ReadDateTimeField(platform::TextReader& file);

void WriteKindLine(platform::TextWriter& file, FileKind kind);
FileKind ReadKindLine(platform::TextReader& file);

// One label line per field into or out of the shared state. Reading checks each value as it is
// read (channels 1 to 16, the gain a byte, counts and bins within the limits above) and fails
// with "Invalid numeric input" at the first bad field. A gain outside 0 to 3, a SpectrumLast below
// SpectrumFirst (no spectrum rows) and a negative FourierFirst are taken as they are.
void WriteHeader(platform::TextWriter& file, HeaderSet set);
void ReadHeader(platform::TextReader& file, HeaderSet set);

// ---- bodies ---------------------------------------------------------------------------------

// ValidFrames() rows of DataChannels codes joined by TAB.
void WriteSampleRows(platform::TextWriter& file);
// Empties SampleBuffer and reads rows to the end of the text, one frame per row; SampleCount
// counts the samples read, also when a number fails.
void ReadSampleRows(platform::TextReader& file);

// The table readers below refuse with "Read beyond end of file", before sizing anything, a header
// that announces more rows than the rest of the file could hold (a value takes at least one
// character and a separator); a file cut short in its rows reads the missing values as 0.

// AfcSteps + 1 rows of amplitudes then phases; a missing table entry is written as 0.
void WriteResponseRows(platform::TextWriter& file);
// Sizes AmpTable, PhaseTable, AfcDbTable and AfcPhaseTable to DataChannels x (AfcSteps + 1),
// reads the rows and derives the gain and phase of every channel against channel 0; the result
// shape (AfcResultRows, AfcResultChannels) is recorded once every row is in.
void ReadResponseRows(platform::TextReader& file);

// Rows 0 to FourierCount div 2, laid out like response rows.
void WriteHarmonicRows(platform::TextWriter& file);
void ReadHarmonicRows(platform::TextReader& file);

// Rows SpectrumFirst to SpectrumLast of amplitudes only.
void WriteSpectrumRows(platform::TextWriter& file);
void ReadSpectrumRows(platform::TextReader& file);

// ValidFrames() x DataChannels words.
void WriteDatSamples(platform::RecordWriter& file);
// Whole frames to the end of the file; a partial last frame is read as far as it goes, then
// "Read beyond end of file".
void ReadDatFrames(platform::RecordReader& file);

// ---- whole files ----------------------------------------------------------------------------

// The window's choices that bare data (".dat", La-4) take as their shape.
struct ImportShape {
    double rate = 0;       // AdcRate
    uint8_t channels = 0;  // AdcChannels
    int gainIndex = 0;     // ComboBoxK's selected index; no selection counts as range 0
};

// What a file turned out to hold, or why nothing was read.
enum class FileContent : uint8_t {
    Refused,      // bare data while no channel count is chosen: nothing changed
    NoVersion,    // ".af" without the version line: nothing read
    La4Rows,      // ".asc" without the version line: imported as La-4 rows
    OtherKind,    // a kind line this format does not read (".asc": rows from line 3)
    Acquisition,
    SweepData,
    DshkData,
    Response,
    Harmonics,
    Spectrum,
    Samples,      // ".dat"
};

// ".asc" with its header, or an La-4 import when the first line is no version line;
// `announceLa4` runs (the notice to the operator) before the rows are read.
FileContent ReadAscFile(const std::string& path, const ImportShape& window,
                        const std::function<void()>& announceLa4);
// What follows a recognised version field of ".asc": the date, the kind line, the header of a
// known kind and the sample rows.
FileContent ReadAscAfterVersion(platform::TextReader& file);
// Writes by DataKind: 1 acquisition header, 2 sweep-data header, other kinds the rows alone.
FileContent WriteAscFile(const std::string& path);

FileContent ReadDatFile(const std::string& path, const ImportShape& window);
void WriteDatFile(const std::string& path);

// ".af" tables; FrameCount becomes 0 for a response file (the tables are not sample data).
FileContent ReadAfFile(const std::string& path);
// What follows a recognised version field of ".af": the date, the kind line and a known table.
FileContent ReadAfAfterVersion(platform::TextReader& file);
// Writes by DataKind: 1 and 9 spectrum, 2 to 6 response, 7 and 8 harmonics, others the version
// line alone (OtherKind).
FileContent WriteAfFile(const std::string& path);
