// The finishing step of the real-time acquisition, on the GUI thread: the ring in time order,
// the window idle, the chart redrawn and the run logged.

#include "analysis/RealTimeRing.h"
#include "state/State.h"
#include "threads/AdcThread.h"
#include "threads/AdcThreadLog.h"
#include "window/Form.h"

void ADCThread::FinishAcquisition() {
    const int32_t newest = position_ > 0 ? position_ - 1 : run_.blockCount - 1;
    BlockRing.BlockPos = newest;
    ring::RotateIntoTimeOrder(SampleData.SampleBuffer, static_cast<int64_t>(newest + 1) * run_.blockSize,
                              SampleData.SampleCount, DacPlayback.DacOutBuffer);

    ThreadControl.AcqIdle = 1;
    SampleData.DataFileName = kNotSavedName;
    if (!ThreadControl.FftRealTime) Forma->SpeedButtonSost->PerformClick();
    Forma->Memo->Lines().Add(adclog::TimingLine(BlockRing.BlockTimes, newest, wrapped_));
    Forma->Memo->Lines().Add(adclog::SummaryLine(run_.blockCount, newest, run_.module->inputFifoLength()));
}
