// The streaming workers when the window is late: a live view that takes longer than a block (a
// busy machine, a slow display) must cost no sample, because the worker keeps the next read
// queued behind the one in flight.

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/Events.h"

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
    const ModuleKind kind = GetParam();
    // Brought up on the instant clock: the bring-up's own short waits are not what is tried here.
    BringUp(kind == ModuleKind::Quev, kind == ModuleKind::Usb3000);
    Bench().SetClock(sim::ClockMode::Scaled, kScale);
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

// A window late at every block: each live view, and the stop, is served `late` of a block after
// the block in flight at its request has completed, while the module writes the block after it.
// Views draw only samples the module has finished with: channel 0's ramp steps by one frame from
// point to point. The ring kept at the stop holds every sample once, the oldest lap whole, also
// where the module had begun the block queued behind the last. Rings of 2 and 3 blocks, with a
// display time longer than the ring; rates at which the module's writes come in steps shorter
// than the lateness, and views drawn point by point.
using AdcLateWindow = AdcThreadFixture;

TEST_F(AdcLateWindow, ViewsReadNoBlockTheModuleWrites) {
    constexpr double kScale = 2;
    struct Case {
        ModuleKind kind;
        int blocks;
        double rate;
        int channels;
        double late;  // of a block
    };
    for (const Case& c : {Case{ModuleKind::Quev, 3, 18, 16, 0.6}, Case{ModuleKind::Usb3000, 2, 7, 8, 0.8}}) {
        SCOPED_TRACE(testing::Message() << c.blocks << " blocks");
        TearDown();
        SetUp();
        views.clear();
        BringUp(c.kind == ModuleKind::Quev, c.kind == ModuleKind::Usb3000);
        Bench().SetClock(sim::ClockMode::Scaled, kScale);
        Choice choice;
        choice.rate = c.rate;
        choice.channels = c.channels;
        choice.blocks = c.blocks;
        choice.time = 10;
        Choose(choice);
        using Clock = std::chrono::steady_clock;
        Clock::time_point serveAt{};
        std::vector<std::string> torn;
        RunServedWhen(
            3,
            [&](int view) {
                const std::vector<double> codes = form->Series[0]->YValues();
                if (codes.empty()) torn.push_back("view " + std::to_string(view) + " drew nothing");
                for (size_t i = 1; i < codes.size(); ++i) {
                    if (RampPosition(static_cast<int16_t>(codes[i])) !=
                        (RampPosition(static_cast<int16_t>(codes[i - 1])) + c.channels) % 16384) {
                        torn.push_back("view " + std::to_string(view) + ", point " + std::to_string(i));
                        break;
                    }
                }
                // Blocks complete one block apart from the start; the next request comes when
                // block `view` completes, with block view + 1 in flight. The window keeps its
                // own time, so that nothing it does orders the module's writes before its reads.
                const double blockMs = BlockRing.BlockSize / c.rate;
                const double due = BlockRing.StartTick + (view + 2 + c.late) * blockMs;
                const double benchMsLeft = due - platform::GetTickCount();
                serveAt = Clock::now() + std::chrono::microseconds(static_cast<int64_t>(1000 * benchMsLeft / kScale));
            },
            [&] { return Clock::now() >= serveAt; });

        EXPECT_EQ(views.size(), 3u);
        EXPECT_TRUE(torn.empty()) << torn.front();
        EXPECT_TRUE(frontEnd.Messages().empty()) << frontEnd.Messages().front().Text;
        EXPECT_EQ(Bench().AdcOverruns(c.kind, 0), 0u);
        ASSERT_GT(SampleData.SampleCount, 0);
        EXPECT_TRUE(Contiguous(SampleData.SampleCount)) << "every sample once, in stream order";
    }
}

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
