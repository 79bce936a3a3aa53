// A module that fails during a playback: the worker shows the one message of the step, releases
// the module and returns the window to idle, leaving no transfer behind and no end of recording.

#include <functional>

#include "tests/threads/PlayTestSupport.h"
#include "ui/MessageFlags.h"

namespace {

using namespace play_test;
using sim::Direction;

struct Failure {
    const char* name;
    ModuleKind kind;
    std::function<void(ModuleKind)> inject;
    const char* text;
    int flags;
};

std::function<void(ModuleKind)> FailFirst(const char* operation) {
    return [operation](ModuleKind kind) { Bench().FailOnCall(kind, operation, 1); };
}
std::function<void(ModuleKind)> FailSecond(const char* operation) {
    return [operation](ModuleKind kind) { Bench().FailOnCall(kind, operation, 2); };
}
std::function<void(ModuleKind)> StallAfterOne(Direction direction) {
    return [direction](ModuleKind kind) { Bench().StallAfter(kind, direction, 1); };
}

const Failure kFailures[] = {
    {"QuevInputPars", ModuleKind::Quev, FailFirst("SET_INPUT_PARS"), "Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION},
    {"QuevOutputPars", ModuleKind::Quev, FailFirst("SET_OUTPUT_PARS"), "Не могу передать параметры ЦАП!", ui::MB_ICONINFORMATION},
    {"QuevStartWrite", ModuleKind::Quev, FailFirst("START_WRITE"), "Не могу запустить ЦАП!", ui::MB_OK},
    {"QuevStartRead", ModuleKind::Quev, FailFirst("START_READ"), "Не могу запустить АЦП!", ui::MB_OK},
    {"QuevDacStall", ModuleKind::Quev, StallAfterOne(Direction::Write), "Ошибка вывода данных с ЦАП!", ui::MB_OK},
    {"QuevAdcStall", ModuleKind::Quev, StallAfterOne(Direction::Read), "Ошибка ввода данных с АЦП!", ui::MB_OK},
    {"QuevReadRefused", ModuleKind::Quev, FailSecond("ReadData"), "Ошибка ввода данных с АЦП!", ui::MB_OK},
    {"QuevStopWrite", ModuleKind::Quev, FailFirst("STOP_WRITE"), "Не могу остановить ЦАП!", ui::MB_OK},
    {"QuevStopRead", ModuleKind::Quev, FailFirst("STOP_READ"), "Не могу остановить АЦП!", ui::MB_OK},
    {"Usb3000InputPars", ModuleKind::Usb3000, FailFirst("SET_INPUT_PARS"), "Не могу передать параметры АЦП!",
     ui::MB_ICONINFORMATION},
    {"Usb3000DacStall", ModuleKind::Usb3000, StallAfterOne(Direction::Write), "Ошибка вывода данных с ЦАП!", ui::MB_OK},
    {"Usb3000AdcStall", ModuleKind::Usb3000, StallAfterOne(Direction::Read), "Ошибка ввода данных с АЦП!", ui::MB_OK},
    {"Usb3000WriteRefused", ModuleKind::Usb3000, FailSecond("WriteData"), "Ошибка вывода данных с ЦАП!", ui::MB_OK},
    {"Usb3000StopRead", ModuleKind::Usb3000, FailFirst("STOP_READ"), "Не могу остановить USB3000 АЦП!", ui::MB_OK},
    {"Usb3000StopWrite", ModuleKind::Usb3000, FailFirst("STOP_WRITE"), "Не могу остановить USB3000 ЦАП!", ui::MB_OK},
};

void PrintTo(const Failure& f, std::ostream* os) { *os << f.name; }

class PlayFailure : public PlayTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(PlayFailure, ShowsItsMessageReleasesTheModuleAndReturnsToIdle) {
    const Failure& f = GetParam();
    BringUp(f.kind);
    Compose(2);
    SampleData.DataFileName = "earlier.asc";
    f.inject(f.kind);
    Play();

    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, f.text);
    EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
    EXPECT_EQ(messages[0].Flags, f.flags);

    const auto calls = Bench().CallLog(f.kind, 0);
    EXPECT_EQ(calls.back(), "ReleaseDevice");
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
    EXPECT_EQ(f.kind == ModuleKind::Quev ? static_cast<void*>(ModuleState.QuevModule) : ModuleState.Usb3000Module, nullptr);
    EXPECT_FALSE(ModuleState.QuevDacPresent || ModuleState.Usb3000DacPresent);
    EXPECT_EQ(form->ShapeADC->Color(), ui::clRed);
    EXPECT_EQ(TransferState.AdcEvent, nullptr);
    EXPECT_EQ(TransferState.DacEvent, nullptr);

    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_FALSE(form->SpeedButtonSPlay->Down());
    EXPECT_TRUE(form->Chart->Enabled());
    EXPECT_EQ(Log().size(), 1u) << "the set-up line only";
    EXPECT_EQ(SampleData.DataFileName, "earlier.asc");

    // With no DAC left, the next press does nothing.
    Play();
    EXPECT_EQ(Bench().CallLog(f.kind, 0).size(), calls.size());
    EXPECT_FALSE(form->SpeedButtonSPlay->Down());
}

INSTANTIATE_TEST_SUITE_P(EachStep, PlayFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return info.param.name; });

}  // namespace
