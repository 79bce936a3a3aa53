#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Options.h"
#include "tests/ScratchDirectory.h"
#include "sim/BenchControl.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"
#include "window/ProgramMain.h"
#include "state/State.h"

namespace {

// The program as it starts on the bench's default set-up (both modules attached, real time):
// by the time the message loop runs, both modules are up and logged.
TEST(StartUp, ProgramBringsBothModulesUpBeforeTheMessageLoop) {
    ScratchStartDirectory start;
    sim::Bench().Reset();
    ui::ScriptedFrontEnd frontEnd;
    std::vector<std::string> log;
    ui::TColor adcLamp = 0, dacLamp = 0;
    bool bothUp = false;
    ProgramMain(frontEnd, [&] {
        log = Forma->Memo->Lines().Strings();
        adcLamp = Forma->ShapeADC->Color();
        dacLamp = Forma->ShapeDAC->Color();
        bothUp = ModuleState.QuevPresent == 1 && ModuleState.Usb3000Present == 1;
    });
    EXPECT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].starts_with("DLL v.131072,  "));
    EXPECT_TRUE(log[1].starts_with("DLL v.65540,  "));
    EXPECT_EQ(adcLamp, 32768u);
    EXPECT_EQ(dacLamp, 32768u);
    EXPECT_TRUE(bothUp);
    // The shutdown let both modules go.
    EXPECT_EQ(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
    EXPECT_EQ(sim::Bench().CallsAfterRelease(), 0);
    sim::Bench().Reset();
}

}  // namespace
