#pragma once
// A main window on the scripted front end in front of the simulated bench (instant clock, a fixed
// date and time), for the recordings that run in a handler of the window.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace bench_form_test {

// What the recordings log as their date and time.
inline constexpr const char* kNowText = "05.03.2024 14:07:09";

class BenchForm : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Bench().Reset();
        sim::Bench().SetClock(sim::ClockMode::Instant);
        ui::Application.SetFrontEnd(&frontEnd);
        platform::SetNowProvider([] { return platform::EncodeDate(2024, 3, 5) + platform::EncodeTime(14, 7, 9, 0); });
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        ReleaseModulesAtShutdown();
        Forma = nullptr;
        form.reset();
        platform::SetNowProvider({});
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        sim::Bench().Reset();
    }

    void BringUp(bool quev, bool usb3000) {
        sim::Bench().SetPresent(sim::ModuleKind::Quev, quev);
        sim::Bench().SetPresent(sim::ModuleKind::Usb3000, usb3000);
        ConnectQuevModule();
        ConnectUsb3000Module();
        form->Memo->Lines().Clear();
    }
    static int Calls(sim::ModuleKind kind, const std::string& operation) {
        int n = 0;
        for (int i = 0; i < sim::Bench().InstanceCount(kind); ++i) {
            for (const auto& call : sim::Bench().CallLog(kind, i)) n += call == operation ? 1 : 0;
        }
        return n;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
};

}  // namespace bench_form_test
