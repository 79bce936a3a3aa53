// Start and stop of the playback on the playback page.
//
// The play button shows whether a playback runs. A press that cannot start one (no DAC ready, or
// a worker still alive: the previous playback stopping, or another activity moving blocks) pops
// it up again and changes nothing else.

#include "state/State.h"
#include "threads/PlayThread.h"
#include "threads/WorkerSlot.h"
#include "window/Form.h"

void TForma::SpeedButtonSPlayClick(ui::Control*) {
    if (ThreadControl.PlayRunning) {
        // The worker sees the cleared flag before its next block and runs its stop sequence.
        ThreadControl.PlayRunning = 0;
        SpeedButtonSPlay->SetDown(false);
        Chart->SetEnabled(true);
        return;
    }
    const bool dacReady = ModuleState.QuevDacPresent || ModuleState.Usb3000DacPresent;
    if (!dacReady || WorkersBusy()) {
        SpeedButtonSPlay->SetDown(false);
        return;
    }
    ChartState.DataKind = kKindPlaybackData;
    SpeedButtonSPlay->SetDown(true);
    ThreadControl.PlayRunning = 1;
    ThreadControl.PlaySetup = 1;
    Chart->SetEnabled(false);
    StartPlayThread();
}

void TForma::SpeedButtonSRecordClick(ui::Control*) {}

void TForma::SpeedButtonSShowClick(ui::Control*) {}

void TForma::SpeedButtonSPauseClick(ui::Control*) {}
