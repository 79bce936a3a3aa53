#pragma once
// The worker of the real-time ("Real") acquisition: streams the ADC of the ready module block by
// block into the ring of SampleBuffer and shows, after every block, the oscilloscope of the last
// seconds or the spectrum of the last second, until the record button is pressed again.

#include "threads/WorkerSlot.h"

class ADCThread : public StationWorker {
protected:
    void Execute() override;
};

// Starts the acquisition worker in ThreadControl.AdcWorker (the record button's press, after it
// has set AcqRunning and AcqParamsChanged and cleared AcqIdle). Returns false when another worker
// is alive and nothing was started.
bool StartAdcThread();
