#pragma once
// The real-time acquisition on the simulated bench with an instant clock: a main window, a
// scripted front end, the modules brought up, and a run driven from the GUI thread. Each live
// view is watched as it is drawn (inside the worker's synchronous call), so that a test can press
// stop at an exact block, with the next block in flight, as an operator would.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/DateTime.h"
#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/AdcThread.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace adctest {

using sim::Bench;
using sim::ModuleKind;

inline const double kNow = platform::EncodeDate(2024, 3, 5) + platform::EncodeTime(14, 7, 9, 0);
inline constexpr const char* kNowText = "05.03.2024 14:07:09";

// What one live view saw of the ring as it was drawn.
struct ViewState {
    int32_t blockPos;
    bool wrapped;
    int32_t samples;
    int32_t frames;
};

struct Choice {
    double rate = 5;  // kHz
    double time = 1;  // s
    int channels = 1;
    int blocks = 10;
    int fftBits = 10;
    std::string xBegin = "0";
    std::string xEnd = "200";
    bool spectrum = false;
};

class AdcThreadFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        Bench().SetScenario("ramp");
        ui::Application.SetGuiThread();
        frontEnd.ClearMessages();
        ui::Application.SetFrontEnd(&frontEnd);
        platform::SetNowProvider([] { return kNow; });
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
        watch = form->Chart->Subscribe([this](ui::Control&, ui::Property what) {
            if (what == ui::Property::SeriesData && ThreadControl.AcqRunning) ViewDrawn();
        });
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        form->Chart->Unsubscribe(watch);
        ReleaseModulesAtShutdown();
        Forma = nullptr;
        form.reset();
        platform::SetNowProvider({});
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        Bench().Reset();
    }

    void BringUp(bool quev, bool usb3000) {
        Bench().SetPresent(ModuleKind::Quev, quev);
        Bench().SetPresent(ModuleKind::Usb3000, usb3000);
        ConnectQuevModule();
        ConnectUsb3000Module();
        form->Memo->Lines().Clear();
    }

    // The window's settings as the acquisition page leaves them.
    void Choose(const Choice& c) {
        AcquisitionSettings.LongMode = 0;
        AcquisitionSettings.AdcRate = c.rate;
        AcquisitionSettings.AdcTime = c.time;
        AcquisitionSettings.AdcChannels = static_cast<uint8_t>(c.channels);
        BlockRing.BlockCount = c.blocks;
        form->ComboBoxK->SetItemIndex(0);
        form->ComboBoxX->SetItemIndex(0);
        form->ComboBoxY->SetItemIndex(0);
        form->ComboBoxFFTBit->SetItemIndex(c.fftBits - 10);
        form->EditFFT_XB->SetText(c.xBegin);
        form->EditFFT_XE->SetText(c.xEnd);
        ThreadControl.FftRealTime = c.spectrum ? 1 : 0;
    }

    // Presses record, lets the worker draw `views` live views, presses record again during the
    // last one and serves the worker until it has finished. onView runs at every view (with the
    // count so far) before the stop is considered.
    void Run(int views, std::function<void(int)> onView = {}) {
        stopAfter = views;
        onView_ = std::move(onView);
        form->SpeedButtonRecord->Click();
        ASSERT_NE(ThreadControl.AdcWorker, nullptr);
        ui::Application.WaitForWorker(*ThreadControl.AdcWorker);
    }

    // Presses record, serves `calls` of the worker's synchronous calls, presses record again and
    // serves the worker until it has finished: for runs whose views draw nothing to watch.
    void RunServing(int calls) {
        form->SpeedButtonRecord->Click();
        ASSERT_NE(ThreadControl.AdcWorker, nullptr);
        for (int served = 0; served < calls && !ThreadControl.AdcWorker->Finished();) {
            served += ui::Application.ServePendingCalls();
            std::this_thread::yield();
        }
        if (ThreadControl.AcqRunning) form->SpeedButtonRecord->Click();
        ui::Application.WaitForWorker(*ThreadControl.AdcWorker);
    }

    // As Run, with the worker's synchronous calls served only while servable() holds: a window
    // busy elsewhere, which serves the worker late.
    void RunServedWhen(int views, std::function<void(int)> onView, const std::function<bool()>& servable) {
        stopAfter = views;
        onView_ = std::move(onView);
        form->SpeedButtonRecord->Click();
        ASSERT_NE(ThreadControl.AdcWorker, nullptr);
        while (!ThreadControl.AdcWorker->Finished()) {
            if (servable()) ui::Application.ServePendingCalls();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ui::Application.WaitForWorker(*ThreadControl.AdcWorker);
    }

    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }
    static int Calls(ModuleKind kind, const std::string& operation) {
        int n = 0;
        for (int i = 0; i < Bench().InstanceCount(kind); ++i) {
            for (const auto& call : Bench().CallLog(kind, i)) n += call == operation ? 1 : 0;
        }
        return n;
    }
    // Ramp codes count samples of the stream, wrapping at 16384.
    static int RampPosition(int16_t code) { return (code + 8192) % 16384; }
    // True when every sample of [0, count) follows the one before it in the stream.
    static bool Contiguous(int64_t count) {
        for (int64_t i = 1; i < count; ++i) {
            const int16_t a = SampleData.SampleBuffer[static_cast<size_t>(i - 1)];
            const int16_t b = SampleData.SampleBuffer[static_cast<size_t>(i)];
            if ((RampPosition(a) + 1) % 16384 != RampPosition(b)) return false;
        }
        return true;
    }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::vector<ViewState> views;
    int stopAfter = 0;

private:
    void ViewDrawn() {
        views.push_back({BlockRing.BlockPos, BlockRing.RingWrapped != 0, SampleData.SampleCount,
                         SampleData.FrameCount});
        const int count = static_cast<int>(views.size());
        if (onView_) onView_(count);
        if (count >= stopAfter && ThreadControl.AcqRunning) form->SpeedButtonRecord->Click();
    }

    ui::ObserverId watch = 0;
    std::function<void(int)> onView_;
};

} // namespace adctest
