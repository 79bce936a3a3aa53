#pragma once
// The compute-only run of the sweep worker: the response of raw sweep data that were just opened
// from a file. The caller sets ThreadControl.AfcFromFile first; the worker hands its whole
// computation to the GUI thread, so it runs only after the caller's handler has returned.

// Creates the worker running and keeps it in ThreadControl.DacWorker. While another worker is
// alive nothing starts and the request is withdrawn (AfcFromFile cleared).
void StartSweepComputation();
