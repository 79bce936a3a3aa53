#include "BringUpFixture.h"
#include "window/pages/AdcPage.h"

namespace {

using ModuleCheck = BringUpFixture;

TEST_F(ModuleCheck, ReleasesBothModulesAndBringsUpNewInterfaces) {
    CreateOptions();
    IQuevModule* oldQuev = ModuleState.QuevModule;
    form->SpeedButtonQuev->Click();  // the main window's button clicks the options form's one

    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Quev), 2);
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Usb3000), 2);
    EXPECT_NE(ModuleState.QuevModule, oldQuev);
    EXPECT_EQ(Log(), (std::vector<std::string>{kQuevLine, kUsb3000Line, kQuevLine, kUsb3000Line}));
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.Usb3000Present, 1);
    EXPECT_EQ(form->ShapeADC->Color(), kGreen);
    EXPECT_EQ(Bench().CallsAfterRelease(), 0) << "a released interface is never called again";
}

// The acquisition page's rate is the bar's position in the table of the module serving the page,
// and its range list that module's: when another module serves it, both follow, the real-time
// limit stepping back and the Quev module's ranges coming back with the operator's choice. The
// data in memory keep the range they were recorded at.
TEST_F(ModuleCheck, TheRateInForceFollowsTheModuleThatNowServesThePage) {
    CreateOptions();
    form->ComboBoxR->Select(0);
    form->ComboBoxN->Select(0);
    form->ComboBoxK->Select(2);
    form->TrackBarTChange(nullptr);
    form->TrackBarQ->MoveTo(31);
    SampleData.DataGain = 3;
    ASSERT_EQ(AcquisitionSettings.AdcRate, 1000) << "the USB3000's table";
    const std::vector<std::string> quevRanges = form->ComboBoxK->Items().Strings();
    const std::vector<std::string> usb3000Range = {" ±5,12 В "};
    const auto expectChoice = [&](int position, double rate, double time, bool usb3000) {
        EXPECT_EQ(form->TrackBarQ->Position(), position);
        EXPECT_EQ(AcquisitionSettings.AdcRate, rate);
        EXPECT_EQ(AcquisitionSettings.AdcTime, time);
        EXPECT_EQ(form->GroupBoxQ->Caption(), adc_page::RateCaption(rate));
        EXPECT_EQ(form->ComboBoxK->Items().Strings(), usb3000 ? usb3000Range : quevRanges);
        EXPECT_EQ(form->ComboBoxK->ItemIndex(), usb3000 ? 0 : 2);
        EXPECT_EQ(SampleData.DataGain, 3);
    };
    const struct {
        const char* name;
        void (*change)(TForma&);
        int position;
        double rate, time;
        bool usb3000Range;
    } changes[] = {
        {"a check finds both: the USB3000's one range", [](TForma& f) { f.SpeedButtonQuev->Click(); }, 31, 1000,
         1, true},
        {"a check no longer finds the USB3000",
         [](TForma& f) {
             Bench().SetPresent(ModuleKind::Usb3000, false);
             f.SpeedButtonQuev->Click();
         },
         31, 320, 1, false},
        {"5 s at 320 kHz", [](TForma& f) { f.TrackBarT->MoveTo(16); }, 31, 320, 5, false},
        {"a check finds it again: 1000 kHz for 5 s would outgrow the window",
         [](TForma& f) {
             Bench().SetPresent(ModuleKind::Usb3000, true);
             f.SpeedButtonQuev->Click();
         },
         31, 1000, 3, true},
        {"a failed run releases it", [](TForma&) { ReleaseUsb3000Module(); }, 31, 320, 3, false},
        {"the Quev module goes too: its table stays", [](TForma&) { ReleaseQuevModule(); }, 31, 320, 3, false},
        {"both found again, 16 channels for 10 s at the USB3000's 12 kHz",
         [](TForma& f) {
             f.SpeedButtonQuev->Click();
             f.ComboBoxN->Select(15);
             f.TrackBarQ->MoveTo(10);
             f.TrackBarT->MoveTo(18);
         },
         10, 12, 10, true},
        {"a check whose Quev module fails its bring-up: the USB3000 serves throughout, though the "
         "Quev module's 25 kHz would outgrow the window",
         [](TForma& f) {
             Bench().SetLbiosVersion(0x10005);
             f.SpeedButtonQuev->Click();
         },
         10, 12, 10, true},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        c.change(*form);
        expectChoice(c.position, c.rate, c.time, c.usb3000Range);
    }
}

TEST_F(ModuleCheck, DoesNothingWhileAWorkerIsAskedToRun) {
    CreateOptions();
    for (ByteFlag* flag : {&ThreadControl.AcqRunning, &ThreadControl.AfcRunning, &ThreadControl.PlayRunning}) {
        *flag = 1;
        form->SpeedButtonQuev->Click();
        *flag = 0;
    }
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 0);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 0);
    EXPECT_EQ(Log().size(), 2u);
    EXPECT_EQ(ModuleState.QuevPresent, 1);
}

TEST_F(ModuleCheck, ShutdownReleasesEveryInterfaceOnceAndReportsARefusalOfAModuleThatWasUp) {
    const struct {
        const char* name;
        void (*bench)();
        ModuleKind refusing;  // its ReleaseDevice at shutdown fails
        bool quevUp;
        std::vector<std::string> messages;
    } cases[] = {
        {"both up", [] {}, ModuleKind::Usb3000, true, {"Не могу освободить интерфейс модуля!"}},
        // The Quev interface kept from a bring-up that found no module goes quietly.
        {"no Quev in slot 0", [] { Bench().SetPresent(ModuleKind::Quev, false); }, ModuleKind::Quev, false, {}},
        {"another module in slot 0", [] { Bench().SetModuleName(ModuleKind::Quev, "E440"); }, ModuleKind::Quev, false,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        frontEnd.ClearMessages();
        c.bench();
        CreateOptions();
        frontEnd.ClearMessages();  // what the bring-up had to say
        ASSERT_NE(ModuleState.QuevModule, nullptr);
        ASSERT_EQ(ModuleState.QuevPresent, c.quevUp ? 1 : 0);
        Bench().FailOnCall(c.refusing, "ReleaseDevice", 1);
        option.reset();
        Option = nullptr;

        const auto messages = frontEnd.Messages();
        std::vector<std::string> texts;
        for (const auto& m : messages) {
            texts.push_back(m.Text);
            EXPECT_EQ(m.Caption, "ОШИБКА!!!");
            EXPECT_EQ(m.Flags, 0x40);
        }
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
        EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 1);
        EXPECT_EQ(ModuleState.QuevModule, nullptr);
        EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
        EXPECT_EQ(ModuleState.QuevPresent, 0);
        EXPECT_EQ(ModuleState.Usb3000DacPresent, 0);
        EXPECT_EQ(Bench().CallsAfterRelease(), 0);
    }
}

}  // namespace
