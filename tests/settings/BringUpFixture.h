#pragma once
// A main window, a scripted front end and a healthy simulated bench on an instant clock; the
// options form is created by the test, so that the bench can be set up before the bring-ups.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "settings/BringUp.h"
#include "settings/Options.h"
#include "sim/BenchControl.h"
#include "tests/ScratchDirectory.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"
#include "state/State.h"

using sim::Bench;
using sim::ModuleKind;

inline constexpr ui::TColor kRed = 255;
inline constexpr ui::TColor kGreen = 32768;

inline const std::string kQuevLine =
    "DLL v.131072,  Интерфейс,  0 слот,  Модуль Quev загружен без ошибок,  LBios v.131072,  "
    "S/N: Q0000001,  ППЗУ,  АЦП,  ЦАП.";
inline const std::string kUsb3000Line =
    "DLL v.65540,  Интерфейс,  0 слот,  USB v2.0,  S/N: U0000001,  AVR 1.00,  DSP v1.0,  ППЗУ,  "
    "АЦП,  ЦАП.";
inline const std::string kNoAdcLine = "Модуль АЦП не обнаружен ...";

class BringUpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    void TearDown() override {
        option.reset();
        Option = nullptr;
        ReleaseModulesAtShutdown();
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        Bench().Reset();
    }

    void CreateOptions() {
        option = std::make_unique<TOption>();
        Option = option.get();
    }

    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }

    static int Calls(ModuleKind kind, int instance, const std::string& operation) {
        const auto log = Bench().CallLog(kind, instance);
        return static_cast<int>(std::count(log.begin(), log.end(), operation));
    }
    static int LibraryCalls(ModuleKind kind, const std::string& function) {
        const auto log = Bench().LibraryLog(kind);
        return static_cast<int>(std::count(log.begin(), log.end(), function));
    }

    ScratchStartDirectory start;  // config.cfg of the start-up and shutdown
    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::unique_ptr<TOption> option;
};
