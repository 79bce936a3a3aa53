#pragma once
// A main window and the options form's module bring-up on a simulated bench with an instant
// clock, a composed DAC buffer, and the play button pressed as the operator presses it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/DacBuffer.h"
#include "analysis/DacWords.h"
#include "settings/BringUp.h"
#include "settings/Options.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "tests/ScratchDirectory.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace play_test {

using sim::Bench;
using sim::ModuleKind;

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application.SetGuiThread();
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        Bench().SetScenario("response");
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        option.reset();
        Option = nullptr;
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        Bench().Reset();
    }

    // Brings the modules up as start-up does, with only `kind` present.
    void BringUp(ModuleKind kind) {
        Bench().SetPresent(kind == ModuleKind::Quev ? ModuleKind::Usb3000 : ModuleKind::Quev, false);
        BringUpPresent();
    }
    // The options form reads and writes config.cfg where the program started: a scratch folder.
    void BringUpPresent() {
        option = std::make_unique<TOption>();
        Option = option.get();
        Forma->Memo->Lines().Clear();
        frontEnd.ClearMessages();
    }

    // `kadrs` kadrs: a 50 Hz sine of 1000 codes on DAC channel 0, a 30 Hz sine of 1500 codes
    // with its own phase on channel 1 (15000 pairs a second).
    static void Compose(int kadrs) {
        const size_t pairs = static_cast<size_t>(kadrs) * kKadrFrames;
        DacPlayback.DacBuffer.resize(2 * pairs);
        for (size_t p = 0; p < pairs; ++p) {
            const double t = static_cast<double>(p) / 15000;
            DacPlayback.DacBuffer[2 * p] = static_cast<int16_t>(std::lround(1000 * std::sin(2 * std::numbers::pi * 50 * t)));
            DacPlayback.DacBuffer[2 * p + 1] =
                static_cast<int16_t>(std::lround(1500 * std::sin(2 * std::numbers::pi * 30 * t + 1)));
        }
        DacPlayback.DacBufferLength = static_cast<int32_t>(2 * pairs);
    }

    // The words of the whole DAC stream of a playback of the buffer in memory.
    static std::vector<uint16_t> ExpectedWords(DacWordFormat format) {
        const size_t words = static_cast<size_t>(PlaybackBlocks(DacPlayback.DacBufferLength)) * kPlayDacBlock;
        std::vector<int16_t> out(words);
        ComposeDacWords(format, DacPlayback.DacBuffer.data(), DacPlayback.DacBuffer.size(), out.data(), words);
        return {out.begin(), out.end()};
    }

    void Press() { form->SpeedButtonSPlay->Click(); }
    // Serves the worker's calls until it has ended.
    void AwaitWorker() { ReapWorker(ThreadControl.PlayWorker); }
    void Play() {
        Press();
        AwaitWorker();
    }

    // The module's operations from entry `from` of its log on.
    static std::vector<std::string> CallsSince(ModuleKind kind, size_t from) {
        const auto log = Bench().CallLog(kind, 0);
        return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
    }
    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }

    static int16_t Recorded(size_t frame, size_t channel) { return SampleData.SampleBuffer.at(SampleIndex(frame, channel)); }

    ScratchStartDirectory start;
    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::unique_ptr<TOption> option;
};

}  // namespace play_test
