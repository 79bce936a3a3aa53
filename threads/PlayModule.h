#pragma once
// A module's part in a playback: the words its DAC takes, the scale of its ADC codes, its
// parameter records, its converters and its block transfers on the shared transfer objects.
// One module plays a run: the Quev module when its DAC is ready, else the USB3000.

#include <cstdint>
#include <memory>

#include "analysis/DacWords.h"
#include "state/Transfer.h"

class PlayModule {
public:
    virtual ~PlayModule() = default;

    virtual DacWordFormat Format() const = 0;
    // mV per ADC code of a recording at a range code.
    virtual double MillivoltsPerCode(int rangeCode) const = 0;
    virtual const char* StopReadFailure() const = 0;
    virtual const char* StopWriteFailure() const = 0;

    // Fill the module's ADC record (channels, rate in kHz, range code) or DAC record (rate) and
    // pass it. False when the module refused.
    virtual bool SetInputPars(uint8_t channels, double rateKHz, uint8_t gain) = 0;
    virtual bool SetOutputPars(double rateKHz) = 0;
    virtual bool StartRead() = 0;
    virtual bool StopRead() = 0;
    virtual bool StartWrite() = 0;
    virtual bool StopWrite() = 0;
    // Queue one block: a read on the slot given, a write on TransferState's DAC objects. False
    // when the module refused it.
    virtual bool ReadData(int16_t* samples, uint32_t count, TransferQueue::Slot& slot) = 0;
    virtual bool WriteData(int16_t* words, uint32_t count) = 0;
    // Marks the module down and releases its interface (GUI thread).
    virtual void Release() = 0;
};

// The module whose DAC is ready (the Quev module first), or null when neither DAC is.
std::unique_ptr<PlayModule> ChoosePlayModule();
