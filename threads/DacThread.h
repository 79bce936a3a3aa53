#pragma once
// The frequency-response sweep worker. One class serves three runs, chosen by the flags of
// ThreadControl when it starts:
// - report-only (AfcReport): fills and previews the report of the last response;
// - compute-only (AfcFromFile): computes the response of raw sweep data just opened;
// - the sweep the start press planned: synthesises the DAC sweep, streams it block by block while
//   the ADC records the same stretch of time, shows each block, cuts the DAC's latency off the
//   record, logs the sweep and computes the response, which previews the report.
// The computation and the report run on the GUI thread, as synchronous calls of the worker.
// At shutdown (ThreadControl.ShuttingDown) a sweep stops its converters and ends, and a
// report-only run ends at once: nothing is shown on the way out.

#include <cstdint>
#include <string>

#include "analysis/SweepSignal.h"
#include "threads/WorkerSlot.h"

class IQuevModule;

class DACThread : public StationWorker {
public:
    // A report-only or compute-only run.
    DACThread() = default;
    // The sweep `order`.
    explicit DACThread(const sweep::SweepOrder& order) { sweep_.order = order; }

    // The response of the record in memory (GUI thread): fills AmpTable, PhaseTable, AfcDbTable
    // and AfcPhaseTable and the result shape, shows the raw data; then, unless the run was
    // compute-only (AfcFromFile, which it clears), fills and previews the report.
    static void CalcAFFC();

protected:
    void Execute() override;

private:
    // The sweep as planned, and the module it runs on from its set-up.
    struct Sweep {
        sweep::SweepOrder order;
        IQuevModule* module = nullptr;
        bool convertersStarted = false;
    };

    void RunSweep();
    // Each returns false when the sweep failed and the worker is to end.
    bool SetUpPass();
    bool PrepareRecord();
    bool ProgramAndStart();
    bool SteadyPass();
    // Waits for the DAC block in flight; false, after the failure, when it timed out.
    bool DacBlockPlayed();
    void QueueWrite(int32_t block);
    void QueueRead(int32_t block);
    bool StopConverters();
    void FinishRecord();

    // The box of a failure, the transfer events closed and, when asked, the module released.
    void Fail(const char* text, int flags, bool release);
    std::string LogLine(std::int32_t cut) const;

    Sweep sweep_;
    // The block being issued each way (1 after the set-up). The window sees it as BlockCount,
    // published in the synchronous calls; the memory list writes BlockCount too, so the worker
    // never reads it back.
    int32_t block_ = 0;
    // Block sizes handed to the module, which reads them when a transfer is queued.
    uint32_t adcCount_ = 0;
    uint32_t dacCount_ = 0;
};

// Plots the ADC block that has just completed, block BlockCount - 1 (GUI thread).
void DrawAFFCBlock();

// Start a worker in ThreadControl.DacWorker; the caller has set the flags of the run it wants
// (AfcReport or AfcFromFile; AfcRunning and AfcSetup for the sweep `order`). False when another
// worker is alive and nothing started.
bool StartDacThread();
bool StartSweepThread(const sweep::SweepOrder& order);
