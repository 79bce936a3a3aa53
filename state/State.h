#pragma once
// The station's working state: plain global groups that the window, the options form and the
// workers read and write directly. Nothing here locks; the ordering rules are those of the
// workers (a worker fills buffers before each synchronous call, the window reads them after the
// worker has stopped). Byte flags a worker and the GUI thread both touch are atomics so that a
// stop request is always seen.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "modules/Overlapped.h"
#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"
#include "state/Transfer.h"

namespace ui {
class Thread;
}

// ---------------------------------------------------------------------------------------------
// Display modes held in ChartState.DataKind: what the buffers hold and how the redraw shows them.
// Values 17 to 19 and 22 to 29 are never set.
inline constexpr uint8_t kKindEmpty = 0;            // nothing yet: empty chart
inline constexpr uint8_t kKindTimeData = 1;         // time-domain data in SampleBuffer
inline constexpr uint8_t kKindSweepData = 2;        // raw sweep data in SampleBuffer
inline constexpr uint8_t kKindSweepGain = 3;        // sweep gain in AfcDbTable
inline constexpr uint8_t kKindSweepPhase = 4;       // sweep phase in AfcPhaseTable
inline constexpr uint8_t kKindSweepAmplitudes = 5;  // sweep amplitudes in AmpTable
inline constexpr uint8_t kKindSweepPhases = 6;      // sweep phases in PhaseTable
inline constexpr uint8_t kKindHarmonics = 7;        // harmonics or bins, linear axes
inline constexpr uint8_t kKindHarmonicsLog = 8;     // the same, logarithmic axes
inline constexpr uint8_t kKindSpectrum = 9;         // spectrum, or curves drawn by a handler
inline constexpr uint8_t kKindCurrents = 10;        // channels 0 to 2 as currents
inline constexpr uint8_t kKindVoltages = 11;        // channels 3 to 5 as voltages
inline constexpr uint8_t kKindPower = 12;           // PowerSeries
inline constexpr uint8_t kKindTorque = 13;          // TorqueSeries
inline constexpr uint8_t kKindSpeed = 14;           // SpeedSeries
inline constexpr uint8_t kKindSequence = 15;        // SequenceTable, nine curves
inline constexpr uint8_t kKindPhaseVoltages = 16;   // cleared chart only
inline constexpr uint8_t kKindMetSignal = 20;       // generated metrology signal
inline constexpr uint8_t kKindMetRecording = 21;    // metrology recording with its mean point
inline constexpr uint8_t kKindDshkData = 30;        // ДШК ШЭМ data loaded from a file
inline constexpr uint8_t kKindDacBuffer = 31;       // the composed DacBuffer
inline constexpr uint8_t kKindPlaybackData = 32;    // data recorded during a playback

// Shown in the chart title for data that were never saved.
inline constexpr const char* kNotSavedName = "НЕ СОХРАНЁН !!!";

// Harmonics the sequence table has room for.
inline constexpr int kSequenceHarmonics = 20000;
inline constexpr int kSequenceGroups = 4;      // Re, Im, amplitude, phase
inline constexpr int kSequenceQuantities = 9;  // positive, zero, negative, each seen in a, b, c

// A byte flag shared by a worker and the GUI thread. Copying takes the value, so that a whole
// group can be put back to its start value by assignment.
struct ByteFlag : std::atomic<uint8_t> {
    constexpr ByteFlag(uint8_t value = 0) noexcept : std::atomic<uint8_t>(value) {}
    ByteFlag(const ByteFlag& other) noexcept : std::atomic<uint8_t>(other.load()) {}
    ByteFlag& operator=(const ByteFlag& other) noexcept {
        store(other.load());
        return *this;
    }
    using std::atomic<uint8_t>::operator=;
};

// ---------------------------------------------------------------------------------------------
// Millivolts per ADC code: the Quev module's at range code 0 (its codes are 4 times finer per
// range step), the USB3000's at its one range.
inline constexpr double kQuevMvPerCode = 1.25;
inline constexpr double kUsb3000MvPerCode = 0.625;
// Millivolts per code of what the playback sends to the DAC (the composed DAC buffer, ДШК ШЭМ
// data), whichever module plays it.
inline constexpr double kDacBufferMvPerCode = kQuevMvPerCode;

struct SampleDataGroup {
    std::vector<int16_t> SampleBuffer;  // frame k, channel c at k * DataChannels + c
    uint8_t DataChannels = 0;           // 1 to 16
    uint8_t DataGain = 0;               // range code 0 to 3; other codes scale as 0
    double DataMvPerCode = kQuevMvPerCode;  // mV per code of what SampleBuffer holds; its filler sets it
    double DataRate = 0;                // kHz, all channels together
    int32_t SampleCount = 0;            // valid samples of all channels
    int32_t FrameCount = 0;             // valid frames; 0 means no data
    double RecordTime = 0;              // s
    double DataTime = 0;                // days since 1899-12-30
    std::string DataFileName;
};

struct ChartStateGroup {
    uint8_t DataKind = kKindEmpty;
    double XMultiplier = 0;
    double YMultiplier = 0;
    // DataKind 9 shows the processing page's sequence curves (millivolts), not a spectrum of codes.
    bool SequenceCurves = false;
};

struct AcquisitionSettingsGroup {
    double AdcRate = 0;       // kHz, all channels
    double AdcTime = 0;       // s
    uint8_t AdcChannels = 0;
    uint8_t LongMode = 0;     // 0 Real, 1 Long
    int32_t FftBits = 0;      // 10 to 16
    double FftXBegin = 0;     // Hz
    double FftXEnd = 0;       // Hz
};

struct BlockRingGroup {
    int32_t BlockCount = 0;
    int32_t BlockPos = 0;
    int32_t BlockSize = 0;     // ADC samples per block, all channels
    int32_t DacBlockSize = 0;  // DAC samples per block
    uint8_t RingWrapped = 0;
    std::vector<double> BlockTimes;  // ms from StartTick to the end of each ring block
    uint32_t StartTick = 0;
    uint32_t LastTick = 0;
};

// Everything of the analysis results except the sequence table, so that it can be reset by
// assignment without a 5.76 MB temporary.
struct AnalysisWindowAndTables {
    int32_t FourierFirst = 0;
    int32_t FourierCount = 0;
    double AnalysisInterval = 0;
    int32_t FftSize = 0;
    int32_t FftPower = 0;
    int32_t SpectrumFirst = 0;
    int32_t SpectrumLast = 0;
    std::vector<double> AmpTable;    // row k, channel c at k * DataChannels + c
    std::vector<double> PhaseTable;  // layout of AmpTable
    bool PhasesInRadians = false;    // the Fourier series' phases; every other writer's are degrees
    std::vector<double> WorkRe;
    std::vector<double> WorkIm;
    std::vector<double> SinTable;
    std::vector<double> CosTable;
};

struct AnalysisResultsGroup : AnalysisWindowAndTables {
    // [group: Re, Im, amplitude, phase][quantity][harmonic - 1]
    double SequenceTable[kSequenceGroups][kSequenceQuantities][kSequenceHarmonics] = {};
};

struct FrequencyResponseGroup {
    double AfcAmplitude = 0;  // mV
    double AfcFreqBegin = 0;  // Hz
    double AfcFreqEnd = 0;    // Hz
    double AfcOctavesPerMin = 0;
    int32_t AfcSteps = 0;     // results have AfcSteps + 1 rows; above 0 means results exist
    double AfcRiseTime = 0;   // s
    double AfcFallTime = 0;   // s
    std::array<int32_t, 5> AfcSegmentEnd{};
    int32_t AfcBlocks = 0;
    double AfcAdcRate = 0;    // kHz
    double AfcDacRate = 0;    // kHz
    std::vector<double> AfcDbTable;     // step i, channel j + 1 at i * (DataChannels - 1) + j
    std::vector<double> AfcPhaseTable;  // layout of AfcDbTable
    // The shape of the results as they were produced (by a sweep computation or a response
    // file): rows and channels. AfcSteps and DataChannels may have changed since (a sweep whose
    // set-up failed after reading them); the views and the report go by these.
    int32_t AfcResultRows = 0;
    int32_t AfcResultChannels = 0;
};

struct PowerAnalysisGroup {
    std::vector<std::vector<double>> PowerSeries;  // phases A, B, C and their mean
    std::vector<double> TorqueSeries;
    std::vector<double> SpeedSeries;
    int32_t PowerWindow = 0;     // frames per averaging interval
    double PowerInterval = 0;    // ms
    double MainsFreq = 0;        // Hz
    double CurrentCoef = 0;
    double VoltageCoef = 0;
    double TorqueCoef = 0;
    uint8_t SpeedEdgeState = 0;
};

inline constexpr int kMetHarmonicLines = 100;

struct MetrologySettingsGroup {
    double MetAdcRate = 0;  // kHz
    double MetDacRate = 0;  // kHz
    uint8_t MetRange = 0;
    double MetTime = 0;     // s
    double MetConst = 0;
    uint8_t MetHarmCount = 0;
    // 0..99 frequencies in Hz, 100..199 amplitudes, 200..299 phases in degrees
    std::array<double, 3 * kMetHarmonicLines> MetHarmonics{};
    double MetResult = 0;
    double MetAccum = 0;
};

struct DacPlaybackGroup {
    std::vector<int16_t> DacBuffer;  // pair p at 2p (DAC channel 0) and 2p + 1 (channel 1)
    int32_t DacBufferLength = 0;     // samples of both channels
    std::string DacBufferName;
    int32_t KadrCount = 0;
    std::vector<int16_t> DacOutBuffer;  // module-format DAC words; ring rotation scratch
};

// The one set of objects for overlapped block transfers with a module.
struct TransferStateGroup {
    // The ADC blocks a streaming worker keeps queued ahead, each on its own record and event.
    TransferQueue AdcBlocks;
    // One block at a time: the blocking recording's reads and every DAC write.
    platform::Event AdcEvent = nullptr;  // auto-reset, signalled when a block read completes
    platform::Event DacEvent = nullptr;  // the same for block writes
    OverlappedRecord AdcOverlapped{};
    OverlappedRecord DacOverlapped{};
    uint32_t AdcBytesDone = 0;
    uint32_t DacBytesDone = 0;
    int32_t IoTimeout = 0;  // ms
};

struct ThreadControlGroup {
    ui::Thread* AdcWorker = nullptr;
    ui::Thread* DacWorker = nullptr;
    ui::Thread* PlayWorker = nullptr;
    ByteFlag AcqRunning = 0;
    ByteFlag AcqParamsChanged = 0;
    ByteFlag AcqIdle = 0;
    ByteFlag FftRealTime = 0;
    ByteFlag AfcRunning = 0;
    ByteFlag AfcSetup = 0;
    ByteFlag AfcFromFile = 0;
    ByteFlag AfcReport = 0;
    ByteFlag PlayRunning = 0;
    ByteFlag PlaySetup = 0;
    // The program is ending: a worker stopped now ends without showing the operator anything more.
    ByteFlag ShuttingDown = 0;
};

struct ModuleStateGroup {
    IQuevModule* QuevModule = nullptr;
    IUsb3000Module* Usb3000Module = nullptr;
    ByteFlag QuevPresent = 0;
    ByteFlag QuevDacPresent = 0;
    ByteFlag Usb3000Present = 0;
    ByteFlag Usb3000DacPresent = 0;
    uint32_t DllVersion = 0;
    std::string QuevInterfaceName;
    uint32_t QuevLbiosVersion = 0;
    // Packed records as the modules read and take them; each size word is set before the first
    // read from the module.
    QUEV_FLASH QuevFlash{};
    QUEV_INPUT_PARS QuevAdcPars{};
    QUEV_OUTPUT_PARS QuevDacPars{};
    RTUSB3000::FLASH Usb3000Flash{};
    RTUSB3000::INPUT_PARS Usb3000InputPars{};
    RTUSB3000::OUTPUT_PARS Usb3000OutputPars{};
    RTUSB3000::DSP_INFO Usb3000DspInfo{};
    // Up to 9 and 5 characters, always NUL-terminated: a module may fill its field to the end.
    char Usb3000Serial[9 + 1] = {};
    char Usb3000AvrVersion[5 + 1] = {};
    uint8_t Usb3000UsbSpeed = 0;
};

struct FilesAndDirectoriesGroup {
    std::string StartDirectory;  // current directory at start-up; config.cfg goes there
};

extern SampleDataGroup SampleData;
extern ChartStateGroup ChartState;
extern AcquisitionSettingsGroup AcquisitionSettings;
extern BlockRingGroup BlockRing;
extern AnalysisResultsGroup AnalysisResults;
extern FrequencyResponseGroup FrequencyResponse;
extern PowerAnalysisGroup PowerAnalysis;
extern MetrologySettingsGroup MetrologySettings;
extern DacPlaybackGroup DacPlayback;
extern TransferStateGroup TransferState;
extern ThreadControlGroup ThreadControl;
extern ModuleStateGroup ModuleState;
extern FilesAndDirectoriesGroup FilesAndDirectories;

// ---------------------------------------------------------------------------------------------
// Index rules. Callers bound their loops with ValidFrames() and TableRows() first.

// Sample of channel c in frame k of SampleBuffer.
inline size_t SampleIndex(size_t frame, size_t channel) {
    return frame * SampleData.DataChannels + channel;
}

// Row k, channel c of AmpTable and PhaseTable.
inline size_t TableIndex(size_t row, size_t channel) {
    return row * SampleData.DataChannels + channel;
}

// Step i, channel j + 1 (against channel 0) of AfcDbTable and AfcPhaseTable.
inline size_t AfcTableIndex(size_t step, size_t pair) {
    const size_t pairs = SampleData.DataChannels > 0 ? SampleData.DataChannels - 1u : 0u;
    return step * pairs + pair;
}

// First sample of DAC pair p in DacBuffer; the second DAC channel follows it.
inline size_t DacPairIndex(size_t pair) { return 2 * pair; }

// Whole frames in a number of samples of all channels; 0 without channels.
inline int32_t WholeFrames(int32_t samples, uint8_t channels) {
    return channels > 0 ? samples / channels : 0;
}

// Range codes the modules know; a recording made with no range chosen stores 255.
inline constexpr int kRangeCodes = 4;

// Scale applied per range step: the codes of range code g are 4^g times finer. A code that names
// no range scales as range 0, the widest: the value is returned as it is.
inline double DividedByRangeSteps(double value, int rangeCode) {
    if (rangeCode < 0 || rangeCode >= kRangeCodes) return value;
    for (int step = 0; step < rangeCode; ++step) value /= 4;
    return value;
}

// Millivolts per code of Quev codes recorded at a range code.
inline double QuevMvPerCode(int rangeCode) { return DividedByRangeSteps(kQuevMvPerCode, rangeCode); }

// Frames a reader of SampleBuffer may touch: FrameCount limited to what the buffer really holds.
inline int32_t ValidFrames() {
    const uint8_t channels = SampleData.DataChannels;
    if (channels == 0 || SampleData.FrameCount <= 0) {
        return 0;
    }
    const size_t held = SampleData.SampleBuffer.size() / channels;
    return static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(SampleData.FrameCount), held));
}

// Rows of AmpTable (and PhaseTable) that exist for every channel; 0 without channels.
inline size_t TableRows() {
    const uint8_t channels = SampleData.DataChannels;
    if (channels == 0) {
        return 0;
    }
    return std::min(AnalysisResults.AmpTable.size(), AnalysisResults.PhaseTable.size()) / channels;
}

// Rows of the sweep results the views and the report may read: those produced, when they still
// belong to the step count in force (AfcSteps + 1), else none. The tables' row stride is
// AfcResultChannels (AfcResultChannels - 1 for AfcDbTable and AfcPhaseTable); each read is still
// bounded by the size of the table it reads.
inline size_t SweepResultRows() {
    const FrequencyResponseGroup& r = FrequencyResponse;
    if (r.AfcResultChannels <= 0 || r.AfcResultRows <= 0 ||
        static_cast<int64_t>(r.AfcResultRows) != static_cast<int64_t>(r.AfcSteps) + 1) {
        return 0;
    }
    return static_cast<size_t>(r.AfcResultRows);
}

// ---------------------------------------------------------------------------------------------
// Start-up as the options form's creation performs it.

// Before the module bring-up: display mode, counts, power window, metrology rate, ready flags.
void SetStartupValues();
// After the module bring-up: every run flag idle.
void SetStartupRunFlags();

// Every group back to program start: zeroed and empty, then both start-up steps above applied.
// Worker references are dropped, not awaited; module interfaces and transfer events are
// forgotten, not released.
void ResetSharedState();
