// The response computation of the sweep worker, on the GUI thread, and the compute-only start.

#include "threads/SweepComputation.h"

#include <utility>
#include <vector>

#include "analysis/SweepGainPhase.h"
#include "state/State.h"
#include "threads/DacThread.h"
#include "threads/Report.h"
#include "window/Form.h"

namespace {

void Release(std::vector<double>& table) { std::vector<double>().swap(table); }

} // namespace

void DACThread::CalcAFFC() {
    SampleData.DataFileName = kNotSavedName;
    // The raw record first: view 1, redrawn.
    if (Forma != nullptr) {
        if (Forma->TrackBarAFFCshow->Position() <= 1) {
            Forma->SpeedButtonSost->PerformClick();
        } else {
            Forma->TrackBarAFFCshow->SetPosition(1);
        }
    }

    const int channels = SampleData.DataChannels;
    const FrequencyResponseGroup& r = FrequencyResponse;
    const sweep::SweepRecord record{SampleData.SampleBuffer.data(), ValidFrames(), channels,
                                    1000 * SampleData.DataRate / channels, SampleData.DataMvPerCode};
    const sweep::SweepTiming timing{r.AfcFreqBegin, r.AfcFreqEnd, r.AfcOctavesPerMin, r.AfcSteps, r.AfcRiseTime};
    sweep::SweepResponse response = sweep::MeasureSweepResponse(record, timing);

    AnalysisResults.AmpTable = std::move(response.Amplitudes);
    AnalysisResults.PhaseTable = std::move(response.Phases);
    AnalysisResults.PhasesInRadians = false;
    FrequencyResponse.AfcDbTable = std::move(response.Gains);
    FrequencyResponse.AfcPhaseTable = std::move(response.PhaseDifferences);
    FrequencyResponse.AfcResultRows = response.Rows;
    FrequencyResponse.AfcResultChannels = response.Channels;
    // The correlation's work arrays are not kept.
    Release(AnalysisResults.WorkRe);
    Release(AnalysisResults.WorkIm);
    Release(AnalysisResults.SinTable);
    Release(AnalysisResults.CosTable);

    if (ThreadControl.AfcFromFile) {
        ThreadControl.AfcFromFile = 0;
    } else {
        FillAFFCReport();
    }
}

void StartSweepComputation() {
    if (!StartDacThread()) ThreadControl.AfcFromFile = 0;
}
