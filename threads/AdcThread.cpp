#include "threads/AdcThread.h"

#include "state/State.h"

void ADCThread::Execute() {}

bool StartAdcThread() { return StartWorker<ADCThread>(ThreadControl.AdcWorker) != nullptr; }
