#include "BringUpFixture.h"

namespace {

// A step made to fail: its operation fails on the first call, or `Arrange` sets the bench up to
// answer wrongly.
struct FailingStep {
    const char* Operation;
    const char* Message;
    int Flags;
    bool Releases;
    void (*Arrange)() = nullptr;
};

void PrintTo(const FailingStep& step, std::ostream* os) { *os << step.Operation; }

class StepFails : public BringUpFixture, public ::testing::WithParamInterface<FailingStep> {
protected:
    // Brings both modules up with the step of `kind` failing; checks the one box.
    void BringUpWithFailure(ModuleKind kind) {
        const FailingStep& step = GetParam();
        if (step.Arrange != nullptr) {
            step.Arrange();
        } else {
            Bench().FailOnCall(kind, step.Operation, 1);
        }
        CreateOptions();
        const auto messages = frontEnd.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, step.Message);
        EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
        EXPECT_EQ(messages[0].Flags, step.Flags);
        EXPECT_EQ(Calls(kind, 0, "ReleaseDevice"), step.Releases ? 1 : 0);
        EXPECT_EQ(Bench().CallsAfterRelease(), 0);
        if (step.Releases) {
            EXPECT_EQ(form->ShapeADC->Color(), kRed);
            EXPECT_EQ(form->ShapeDAC->Color(), kRed);
            EXPECT_EQ(form->ShapeADC->Hint(), "АЦП не подключен.");
            EXPECT_EQ(form->ShapeDAC->Hint(), "ЦАП не обнаружен.");
        }
    }
};

using QuevStepFails = StepFails;

// Each step's box, and from the firmware load on a release that turns both lamps red; the
// bring-up writes no line. Before the firmware load the interface stays for the next try.
TEST_P(QuevStepFails, ReportsTheStepAndReleasesFromTheFirmwareLoadOn) {
    Bench().SetPresent(ModuleKind::Usb3000, false);
    BringUpWithFailure(ModuleKind::Quev);
    EXPECT_EQ(Log(), std::vector<std::string>{kNoAdcLine});
    EXPECT_EQ(ModuleState.QuevPresent, 0);
    EXPECT_EQ(ModuleState.QuevDacPresent, 0);
    EXPECT_EQ(TransferState.DacEvent, nullptr);
    if (GetParam().Releases) {
        EXPECT_EQ(ModuleState.QuevModule, nullptr);
    } else {
        EXPECT_EQ(form->ShapeADC->Hint(), "Модуль АЦП не подключен");
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, QuevStepFails,
    ::testing::Values(
        FailingStep{"CreateInstance", "Не могу найти интерфейс модуля Quev!", 0x40, false},
        FailingStep{"GetModuleName", "Не могу прочитать название модуля в нулевом виртуальном слоте!", 0x40, false},
        FailingStep{"WrongName", "В нулевом виртуальном слоте не 'Quev'!", 0x40, false,
                    [] { Bench().SetModuleName(ModuleKind::Quev, "QuevX"); }},
        FailingStep{"LOAD_BIOS", "Не могу загрузить модуль!", 0x40, true},
        FailingStep{"MODULE_TEST", "Ошибка в загрузке модуля!", 0x40, true},
        FailingStep{"GET_LBIOS_VERSION", "Не могу получить версию LBIOS!", 0x40, true},
        FailingStep{"WrongLbios", "Не правильный номер версии LBIOS!", 0x40, true,
                    [] { Bench().SetLbiosVersion(0x10005); }},
        FailingStep{"NewerLbios", "Не правильный номер версии LBIOS!", 0x40, true,
                    [] { Bench().SetLbiosVersion(0x20001); }},
        FailingStep{"GET_FLASH", "Не могу прочитать ППЗУ модуля!", 0x40, true},
        FailingStep{"GET_INPUT_PARS", "Не могу получить текущие параметры АЦП!", 0x40, true},
        FailingStep{"SET_OUTPUT_PARS", "Не могу передать параметры ЦАП!", 0x40, true},
        FailingStep{"START_WRITE", "Не могу запустить ЦАП!", 0, true},
        FailingStep{"StalledDac", "Ошибка вывода данных с ЦАП!", 0, true,
                    [] { Bench().StallAfter(ModuleKind::Quev, sim::Direction::Write, 0); }},
        FailingStep{"STOP_WRITE", "Не могу остановить ЦАП!", 0, true}));

using Usb3000StepFails = StepFails;

// The Quev comes up first; a USB3000 failure still turns both shared lamps red, and the Quev
// stays up and usable.
TEST_P(Usb3000StepFails, ReportsTheStepAndTurnsBothLampsRedWhileQuevStaysUp) {
    BringUpWithFailure(ModuleKind::Usb3000);
    EXPECT_EQ(Log(), std::vector<std::string>{kQuevLine});
    EXPECT_EQ(ModuleState.Usb3000Present, 0);
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.QuevDacPresent, 1);
    if (GetParam().Releases) {
        EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
    } else {
        EXPECT_EQ(form->ShapeADC->Color(), kGreen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, Usb3000StepFails,
    ::testing::Values(
        FailingStep{"RtCreateInstance", "Не могу найти интерфейс модуля USB3000!", 0x40, false},
        FailingStep{"GetUsbSpeed", "Не могу получить скорость работы шины USB!", 0x40, true},
        FailingStep{"GetModuleSerialNumber", "Не могу прочитать серийный номер модуля!", 0x40, true},
        FailingStep{"GetAvrVersion", "Не могу прочитать версию драйвера AVR модуля!", 0x40, true},
        FailingStep{"LOAD_DSP", "Не могу загрузить драйвер DSP в модуль!", 0x40, true},
        FailingStep{"MODULE_TEST", "Ошибка в работе драйвера DSP!", 0x40, true},
        FailingStep{"GET_DSP_INFO", "Не могу получить версию драйвера DSP!", 0x40, true},
        FailingStep{"GET_FLASH", "Не могу прочитать ППЗУ модуля!", 0x40, true},
        FailingStep{"GET_INPUT_PARS", "Не могу получить текущие параметры АЦП!", 0x40, true},
        FailingStep{"GET_OUTPUT_PARS", "Не могу получить текущие параметры ЦАП!", 0x40, true}));

}  // namespace
