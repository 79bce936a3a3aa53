// The real-time acquisition when the window is late: a live view that takes longer than a block
// (a busy machine, a slow display) must cost no sample, because the worker keeps the next read
// queued behind the one in flight.

#include <chrono>
#include <thread>

#include "tests/threads/AdcThreadFixture.h"

namespace {

using namespace adctest;

class AdcUnderLoad : public AdcThreadFixture, public ::testing::WithParamInterface<ModuleKind> {};

// 100 kHz over one channel: the module's FIFO holds about 31 ms on the Quev module and 123 ms on
// the USB3000. One view stalls for 1.3 s of the bench's time, past the end of the block in flight
// and the FIFO after it, and still 0.7 s before the end of the block queued behind it.
TEST_P(AdcUnderLoad, AViewSlowerThanABlockLosesNoSample) {
    constexpr double kScale = 4;  // bench milliseconds per real one
    Bench().SetClock(sim::ClockMode::Scaled, kScale);
    const ModuleKind kind = GetParam();
    BringUp(kind == ModuleKind::Quev, kind == ModuleKind::Usb3000);
    Choice choice;
    choice.rate = 100;
    Choose(choice);
    Run(5, [](int view) {
        if (view == 2) std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(1300 / kScale)));
    });

    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Bench().AdcOverruns(kind, 0), 0u);
    ASSERT_GT(SampleData.SampleCount, 0);
    EXPECT_TRUE(Contiguous(SampleData.SampleCount)) << "every sample once, in stream order";
}

INSTANTIATE_TEST_SUITE_P(BothModules, AdcUnderLoad, ::testing::Values(ModuleKind::Quev, ModuleKind::Usb3000),
                         [](const auto& info) { return info.param == ModuleKind::Quev ? "Quev" : "Usb3000"; });

}  // namespace
