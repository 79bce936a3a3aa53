// How a real-time run ends when something goes wrong: the module refusing a step or a block not
// arriving (box, module released, window idle, data left as they were), and everything else
// (window idle, ADC stopped, the error shown, the module kept).

#include "AdcThreadFixture.h"
#include "state/Transfer.h"
#include "ui/MessageFlags.h"

namespace adctest {
namespace {

using AdcFailure = AdcThreadFixture;

constexpr ui::TColor kRed = 255;

void ExpectIdleWindow(const TForma& form) {
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_FALSE(form.SpeedButtonRecord->Down());
    EXPECT_TRUE(form.Chart->Enabled());
    EXPECT_EQ(TransferState.AdcEvent, nullptr);
}

TEST_F(AdcFailure, ModuleFailuresShowTheirBoxReleaseTheModuleAndLeaveTheWindowIdle) {
    struct Case {
        const char* name;
        bool usb3000;
        std::function<void()> inject;
        int views;  // live views before the stop press; 0: the run never gets there
        const char* text;
        int flags;
    };
    const auto failOn = [](ModuleKind kind, const char* operation, int nth) {
        return [=] { Bench().FailOnCall(kind, operation, nth); };
    };
    const auto stallAfter = [](ModuleKind kind, int blocks) {
        return [=] { Bench().StallAfter(kind, sim::Direction::Read, blocks); };
    };
    const Case cases[] = {
        {"Quev stop in the set-up", false, failOn(ModuleKind::Quev, "STOP_READ", 1), 0,
         "Не могу остановить Quev АЦП!", 0},
        {"Quev stop at the end", false, failOn(ModuleKind::Quev, "STOP_READ", 2), 2,
         "Не могу остановить Quev АЦП!", 0},
        {"USB3000 stop", true, failOn(ModuleKind::Usb3000, "STOP_READ", 1), 0,
         "Не могу остановить USB3000 АЦП!", 0},
        {"parameters", false, failOn(ModuleKind::Quev, "SET_INPUT_PARS", 1), 0,
         "Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION},
        {"start", true, failOn(ModuleKind::Usb3000, "START_READ", 1), 0, "Не могу запустить АЦП!", 0},
        {"Quev block 0", false, stallAfter(ModuleKind::Quev, 0), 0, "Ошибка ввода данных с АЦП!", 0},
        {"USB3000 block 0", true, stallAfter(ModuleKind::Usb3000, 0), 0, "Ошибка ввода данных с АЦП! 1", 0},
        {"later block", false, stallAfter(ModuleKind::Quev, 3), 10, "Ошибка ввода данных с АЦП!", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        const ModuleKind kind = c.usb3000 ? ModuleKind::Usb3000 : ModuleKind::Quev;
        BringUp(!c.usb3000, c.usb3000);
        Choose({});
        SampleData.DataTime = 12.5;
        c.inject();
        Run(c.views > 0 ? c.views : 1000);

        const auto messages = frontEnd.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, c.text);
        EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
        EXPECT_EQ(messages[0].Flags, c.flags);
        ExpectIdleWindow(*form);
        EXPECT_TRUE(ThreadControl.AdcWorker->Finished());
        // The module is let go once and never called again; both lamps are red.
        EXPECT_EQ(Calls(kind, "ReleaseDevice"), 1);
        EXPECT_EQ(Bench().CallsAfterRelease(), 0);
        EXPECT_EQ(ModuleState.QuevPresent + ModuleState.Usb3000Present, 0);
        EXPECT_EQ(c.usb3000 ? ModuleState.Usb3000Module : nullptr, nullptr);
        EXPECT_EQ(c.usb3000 ? nullptr : ModuleState.QuevModule, nullptr);
        EXPECT_EQ(form->ShapeADC->Color(), kRed);
        EXPECT_EQ(form->ShapeDAC->Color(), kRed);
        // No finishing: the log ends with the set-up's line and the data keep their date.
        EXPECT_EQ(Log().back().rfind("БПФ,  ", 0), 0u);
        EXPECT_EQ(SampleData.DataTime, 12.5);
        EXPECT_EQ(SampleData.DataFileName, "");
    }
}

TEST_F(AdcFailure, SettingsThatCannotRunReturnToIdleWithTheErrorAndKeepTheModule) {
    struct Case {
        const char* name;
        Choice choice;
        const char* text;
        bool atPress;  // refused by the press itself, no worker started
    };
    Choice badEdit;
    badEdit.xEnd = "abc";
    Choice emptyEdit;
    emptyEdit.xBegin = "";
    Choice oversize;  // 3 million samples a block, 1000 blocks: past the 32-bit counts
    oversize.rate = 3000;
    oversize.time = 0.05;
    oversize.blocks = 1000;
    const Case cases[] = {
        {"text in the spectrum range", badEdit, "Не задан параметр «БПФ по оси X, по» !", true},
        {"empty spectrum range", emptyEdit, "Не задан параметр «БПФ по оси X, с» !", true},
        {"ring too big", oversize, "Недостаточно памяти для сбора данных!", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        BringUp(false, true);
        Choose(c.choice);
        SampleData.SampleBuffer.assign(10, 7);
        SampleData.FrameCount = 10;
        if (c.atPress) {
            form->SpeedButtonRecord->Click();
            EXPECT_EQ(ThreadControl.AdcWorker, nullptr);
        } else {
            RunServing(10);
        }

        const auto messages = frontEnd.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, c.text);
        ExpectIdleWindow(*form);
        EXPECT_EQ(Calls(ModuleKind::Usb3000, "START_READ"), 0);
        EXPECT_EQ(ModuleState.Usb3000Present, 1);
        // Refused before anything changed: the data in memory are still there.
        EXPECT_EQ(SampleData.SampleBuffer, std::vector<int16_t>(10, 7));
        EXPECT_EQ(SampleData.FrameCount, 10);
        EXPECT_TRUE(Log().empty());
    }
}

TEST_F(AdcFailure, AnErrorWhileStreamingStopsTheAdcBeforeTheWindowGoesIdle) {
    BringUp(true, false);
    Choose({});
    Run(5, [this](int view) {
        if (view == 2) {
            form->EditFFT_XB->SetText("x");
            ThreadControl.AcqParamsChanged = 1;
        }
    });
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].Text, "'x' is not a valid floating point value");
    ExpectIdleWindow(*form);
    EXPECT_EQ(views.size(), 2u);
    EXPECT_EQ(Calls(ModuleKind::Quev, "START_READ"), 1);
    EXPECT_EQ(Calls(ModuleKind::Quev, "STOP_READ"), Calls(ModuleKind::Quev, "START_READ") + 1);
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    // The module is idle again and the next run starts cleanly.
    form->EditFFT_XB->SetText("0");
    views.clear();
    Run(2);
    EXPECT_EQ(views.size(), 2u);
    EXPECT_EQ(Log().back().rfind("REAL,  ", 0), 0u);
}

} // namespace
} // namespace adctest
