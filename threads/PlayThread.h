#pragma once
// The playback worker: plays the composed DAC buffer through the DAC of the ready module while
// the same module's ADC records 2 or 4 channels, block by block; the recording then becomes the
// data in memory (display mode 32), marked unsaved. The play button starts it (after setting
// PlayRunning and PlaySetup) and stops it by clearing PlayRunning.
//
// - The set-up pass reads the page's control switch and the buffer on the GUI thread, sizes the
//   recording, converts the whole buffer into the module's DAC words and starts both converters
//   with block 0 queued each way. Each steady pass queues the next ADC block ahead, waits for
//   the DAC block in flight and queues the next one, so that the DAC is fed at its own pace; the
//   pass that queues the last block clears PlayRunning, the set-up pass included when there is
//   only one block, so that nothing is queued past either buffer.
// - The stop sequence awaits the last DAC block and stops the DAC, then awaits every ADC block
//   queued ahead (so that no recorded block is cut off), stops the ADC and hands the recording
//   to the window. A module failure shows its message, releases the module and returns the
//   window to idle; the data then stay as the failure left them.

#include <cstdint>
#include <memory>
#include <string>

#include "threads/PlayModule.h"
#include "threads/WorkerSlot.h"

class PlayThread : public StationWorker {
public:
    PlayThread();
    ~PlayThread() override;

protected:
    void Execute() override;

private:
    struct Geometry {
        uint8_t Channels = 0;     // N
        double Rate = 0;          // Q, kHz
        int32_t BufferLength = 0; // L, samples of DacBuffer played
        int32_t Blocks = 0;       // A
        int32_t DacWords = 0;     // D = A * 30208
        uint8_t Gain = 0;         // range code of the recording
    };

    void SetUpPass();
    void SteadyPass();
    void StopTransfers();
    void FinishRecording();
    void FailureExit(const std::string& text, int flags);

    void TakeSettings();  // GUI thread
    void QueueRead(int32_t block);
    void QueueWrite(int32_t block);
    void AwaitRead();
    void AwaitWrite();
    void BlockQueued(int32_t block);
    void PlayDone();  // GUI thread
    std::string LogLine(const char* head) const;

    std::unique_ptr<PlayModule> module_;
    Geometry geometry_;
    int32_t block_ = 0;  // next block to queue each way
};

// Starts the playback worker in ThreadControl.PlayWorker. Returns false when another worker is
// alive and nothing was started.
bool StartPlayThread();
