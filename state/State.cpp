#include "state/State.h"

#include <cstring>

SampleDataGroup SampleData;
ChartStateGroup ChartState;
AcquisitionSettingsGroup AcquisitionSettings;
BlockRingGroup BlockRing;
AnalysisResultsGroup AnalysisResults;
FrequencyResponseGroup FrequencyResponse;
PowerAnalysisGroup PowerAnalysis;
MetrologySettingsGroup MetrologySettings;
DacPlaybackGroup DacPlayback;
TransferStateGroup TransferState;
ThreadControlGroup ThreadControl;
ModuleStateGroup ModuleState;
FilesAndDirectoriesGroup FilesAndDirectories;

void SetStartupValues() {
    ChartState.DataKind = kKindEmpty;
    SampleData.SampleCount = 0;
    SampleData.FrameCount = 0;
    PowerAnalysis.PowerWindow = 0;
    MetrologySettings.MetAdcRate = 5.0;
    ModuleState.QuevPresent = 0;
    ModuleState.QuevDacPresent = 0;
    ModuleState.Usb3000Present = 0;
    ModuleState.Usb3000DacPresent = 0;
}

void SetStartupRunFlags() {
    ThreadControl.AcqRunning = 0;
    ThreadControl.AcqIdle = 1;
    ThreadControl.FftRealTime = 0;
    ThreadControl.AfcRunning = 0;
    ThreadControl.AfcReport = 0;
    ThreadControl.AfcFromFile = 0;
}

void ResetSharedState() {
    SampleData = SampleDataGroup{};
    ChartState = ChartStateGroup{};
    AcquisitionSettings = AcquisitionSettingsGroup{};
    BlockRing = BlockRingGroup{};
    // The sequence table is cleared in place: a temporary of the whole group would not fit on
    // a thread's stack.
    static_cast<AnalysisWindowAndTables&>(AnalysisResults) = AnalysisWindowAndTables{};
    std::memset(AnalysisResults.SequenceTable, 0, sizeof AnalysisResults.SequenceTable);
    FrequencyResponse = FrequencyResponseGroup{};
    PowerAnalysis = PowerAnalysisGroup{};
    MetrologySettings = MetrologySettingsGroup{};
    DacPlayback = DacPlaybackGroup{};
    TransferState = TransferStateGroup{};
    ThreadControl = ThreadControlGroup{};
    ModuleState = ModuleStateGroup{};
    FilesAndDirectories = FilesAndDirectoriesGroup{};
    SetStartupValues();
    SetStartupRunFlags();
}
