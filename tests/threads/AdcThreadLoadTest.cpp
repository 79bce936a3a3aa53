// The streaming workers when the window is late: a live view that takes longer than a block (a
// busy machine, a slow display) must cost no sample, because the worker keeps the next read
// queued behind the one in flight.

#include <chrono>
#include <thread>

#include "tests/threads/AdcThreadFixture.h"
#include "tests/threads/SweepFixture.h"

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

// The reference sweep at 40 kHz: the FIFO holds 77 ms. One drawn block stalls for 1.4 s of the
// bench's time; the DAC runs dry meanwhile (it has one block queued), the ADC loses nothing.
TEST_F(SweepTest, ADrawnBlockSlowerThanABlockLosesNoAdcSample) {
    constexpr double kScale = 4;
    sim::Bench().SetClock(sim::ClockMode::Scaled, kScale);
    int drawn = 0;
    form->Chart->Subscribe([&drawn](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData && ThreadControl.AfcRunning && ++drawn == 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(1400 / kScale)));
        }
    });
    RunSweep(kReferenceSweep);
    ASSERT_GE(drawn, 3);
    EXPECT_EQ(sim::Bench().AdcOverruns(sim::ModuleKind::Quev, 0), 0u);
}

}  // namespace
