#pragma once
// The main window and the report form on the scripted front end, the Quev module brought up on
// the simulated bench ("response": DAC0 straight into channel 0 and through the low-pass into
// channel 1) with an instant clock, and the sweep page set up as an operator would.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/Report.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

struct PageSettings {
    int adcPosition;  // 13: 40 kHz, 1: 5 kHz
    int dacPosition;  // 11: 40 kHz, 4: 5 kHz
    std::string amplitude, begin, end, octaves, steps, rise, fall;
};

// The reference sweep: ADC and DAC at 40 kHz, 2000 mV from 5 to 80 Hz in 4 steps.
inline const PageSettings kReferenceSweep{13, 11, "2000", "5", "80", "30", "4", "2", "1"};
// The page's initial settings at 5 kHz each way.
inline const PageSettings kDefaultSweep{1, 4, "20", "5", "80", "30", "4", "2", "1"};
// Two blocks each way: 1.15 s of signal at 5 kHz.
inline const PageSettings kShortSweep{1, 4, "2000", "5", "10", "60", "1", "0", "0"};

class SweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Bench().Reset();
        sim::Bench().SetClock(sim::ClockMode::Instant);
        ASSERT_TRUE(sim::Bench().SetScenario("response"));
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
        report = std::make_unique<TQReport>();
        QReport = report.get();
        ConnectQuevModule();
        ASSERT_EQ(ModuleState.QuevDacPresent, 1);
        form->Memo->Lines().Clear();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        ReleaseModulesAtShutdown();
        QReport = nullptr;
        report.reset();
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        sim::Bench().Reset();
    }

    // Types the settings into the page; two channels, range 0.
    void SetPage(const PageSettings& p) {
        form->ComboBoxAFFC_N->SetItemIndex(0);
        form->ComboBoxAFFC_K->SetItemIndex(0);
        // From position 1, so that the change handlers run even for position 1.
        for (ui::TrackBar* bar : {form->TrackBarAFFC_Qadc, form->TrackBarAFFC_Qdac}) bar->SetPosition(2);
        form->TrackBarAFFC_Qadc->SetPosition(p.adcPosition);
        form->TrackBarAFFC_Qdac->SetPosition(p.dacPosition);
        const std::pair<ui::Edit*, const std::string*> edits[] = {
            {form->EditAFFCamp, &p.amplitude}, {form->EditAFFCbeg, &p.begin},  {form->EditAFFCend, &p.end},
            {form->EditAFFCoct, &p.octaves},   {form->EditAFFCkol, &p.steps},  {form->EditAFFC_TU, &p.rise},
            {form->EditAFFC_TD, &p.fall}};
        for (const auto& [edit, text] : edits) edit->Type(*text);
    }

    // Presses the start button and waits for the worker, serving its calls.
    void Press() {
        callMark = sim::Bench().CallLog(sim::ModuleKind::Quev, 0).size();
        form->SpeedButtonAFFC->Click();
        ReapWorker(ThreadControl.DacWorker);
    }
    void RunSweep(const PageSettings& p) {
        SetPage(p);
        Press();
    }
    // A module that was released comes up again as a fresh instance on a fresh response bench.
    void FreshModule() {
        ReleaseQuevModule();
        sim::Bench().Reset();
        sim::Bench().SetClock(sim::ClockMode::Instant);
        ASSERT_TRUE(sim::Bench().SetScenario("response"));
        ConnectQuevModule();
        form->Memo->Lines().Clear();
    }

    std::vector<ui::ScriptedFrontEnd::Message> Messages() const { return frontEnd.Messages(); }
    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }
    // Calls of the operation since the last press.
    int QuevCalls(const std::string& operation) const {
        const auto log = sim::Bench().CallLog(sim::ModuleKind::Quev, 0);
        return static_cast<int>(std::count(log.begin() + static_cast<std::ptrdiff_t>(std::min(callMark, log.size())),
                                           log.end(), operation));
    }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::unique_ptr<TQReport> report;
    size_t callMark = 0;
};
