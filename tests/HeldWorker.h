#pragma once
// A worker that stays alive until the test releases it: while it lives, every start and every
// handler that touches the shared buffers must leave them alone.

#include <atomic>
#include <thread>

#include "ui/Thread.h"

class HeldWorker : public ui::Thread {
public:
    std::atomic<bool> release{false};

protected:
    void Execute() override {
        while (!release) std::this_thread::yield();
    }
};
