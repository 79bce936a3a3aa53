#pragma once
// The module a real-time acquisition streams from, as the worker sees it: its block geometry,
// its texts and its ADC operations. One module serves the whole run: the acquisition page's
// module (adc::AcquisitionPageModule), the USB3000 whenever it is up.

#include <cstdint>

#include "state/Transfer.h"
#include "threads/AdcRecording.h"

struct RealTimeModule {
    adc::Module kind;
    // Block of about one second for the rate over all channels and the channel count.
    int64_t (*blockSize)(double rateKHz, int channels);
    // Millivolts per code at a range code: the Quev module's codes are 4 times finer per range
    // step, the USB3000 has one range.
    double (*millivoltsPerCode)(int rangeCode);
    const char* stopFailure;
    const char* firstBlockFailure;
    // The module's steps, true when it accepted. program fills the module's input record for
    // the run and passes it on.
    bool (*stopRead)();
    bool (*program)(double rateKHz, int channels, int rangeCode);
    bool (*startRead)();
    // Queues one block on the slot's record and done count.
    bool (*readData)(int16_t* buffer, uint32_t* count, TransferQueue::Slot& slot);
    // GUI thread: marks the module down, releases it and turns the lamps red.
    void (*release)();
    // Samples the module's input FIFO holds, as its input record says (the log's "Fifo=").
    uint16_t (*inputFifoLength)();
};

// The module the next run uses, or nullptr when none is up. Reads the ready flags.
const RealTimeModule* ReadyRealTimeModule();
