#pragma once
// The worker of the real-time ("Real") acquisition: streams the ADC of the ready module block by
// block into the ring of SampleBuffer and shows, after every block, the oscilloscope of the last
// seconds or the spectrum of the last second, until the record button is pressed again. Then it
// puts the ring in time order and logs the run.
//
// Everything that touches the window (controls, chart, log page, boxes, the lamps of a released
// module) and every resize of a shared buffer runs on the GUI thread through a synchronous call.
// The worker reads AcqRunning, AcqParamsChanged and FftRealTime once per block.
//
// Ends: the stop sequence when AcqRunning is found clear; the failure exit (error box, module
// released, window idle) when the module refuses a step or a block does not arrive in time; the
// idle exit (ADC stopped, window idle, the error shown) for anything else that goes wrong, such
// as a spectrum range that is not a number or a ring too big for memory.

#include <cstdint>
#include <string>
#include <vector>

#include "threads/RealTimeModule.h"
#include "threads/WorkerSlot.h"

class ADCThread : public StationWorker {
protected:
    void Execute() override;

private:
    // What the set-up fixed for the run; the passes and the stop use this, not the window's
    // settings, which the operator may change meanwhile.
    struct Run {
        const RealTimeModule* module = nullptr;
        double rate = 0;        // kHz, all channels
        double recordTime = 0;  // s shown by the oscilloscope
        int channels = 0;
        int rangeCode = 0;
        int fftBits = 0;        // of the live spectrum's transform, 2^(fftBits - 1) points
        int32_t blockCount = 0;
        int32_t blockSize = 0;
        uint32_t timeoutMs = 0;
    };

    // Worker thread.
    void SetUp();
    void Pass();
    void StopSequence();
    int16_t* Block(int32_t position);
    void QueueBlock(int32_t position);
    void AwaitBlock(const char* timeoutText);
    void RestoreBlockQueuedAhead();
    void StopAdc();

    // GUI thread (synchronous calls).
    void TakeSettings();
    void PrepareChartAndRing();
    void StampBlock(int32_t position, uint32_t tick);
    void Publish(int32_t queued, uint32_t tick);
    void ShowOscillogram();
    void ShowSpectrum();
    void FinishAcquisition();
    void ReturnToIdle();

    // Exits; each leaves the window idle.
    void FailureExit(const std::string& text, int flags);
    void IdleExit(const std::string& message);

    Run run_;
    int32_t position_ = 0;  // the block to be queued next
    bool wrapped_ = false;
    bool adcStarted_ = false;
    uint32_t readCount_ = 0;
    uint32_t startTick_ = 0;
    uint32_t completedTick_ = 0;  // when the block last awaited completed
    // Reads queued beyond the one in flight (1, or 0 in a ring of one or two blocks), and what
    // the place of the last one queued ahead held before it (see QueueBlock).
    int32_t readsAhead_ = 0;
    int32_t aheadPosition_ = -1;
    std::vector<int16_t> aheadKept_;
};

// Starts the acquisition worker in ThreadControl.AdcWorker (the record button's press, after it
// has set AcqRunning and AcqParamsChanged and cleared AcqIdle). Returns false when another worker
// is alive and nothing was started.
bool StartAdcThread();
