#include "BringUpFixture.h"

namespace {

struct FailingStep {
    const char* Operation;
    const char* Message;
    int Flags;
    bool Releases;
};

void PrintTo(const FailingStep& step, std::ostream* os) { *os << step.Operation; }

class QuevStepFails : public BringUpFixture, public ::testing::WithParamInterface<FailingStep> {};

// Each step's box, and from the firmware load on a release that turns both lamps red; the
// bring-up writes no line.
TEST_P(QuevStepFails, ReportsTheStepAndReleasesFromTheFirmwareLoadOn) {
    const FailingStep& step = GetParam();
    Bench().SetPresent(ModuleKind::Usb3000, false);
    Bench().FailOnCall(ModuleKind::Quev, step.Operation, 1);
    CreateOptions();

    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, step.Message);
    EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
    EXPECT_EQ(messages[0].Flags, step.Flags);
    EXPECT_EQ(Log(), std::vector<std::string>{kNoAdcLine});
    EXPECT_EQ(ModuleState.QuevPresent, 0);
    EXPECT_EQ(ModuleState.QuevDacPresent, 0);
    EXPECT_EQ(form->ShapeADC->Color(), kRed);
    EXPECT_EQ(form->ShapeDAC->Color(), kRed);
    if (step.Releases) {
        EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
        EXPECT_EQ(ModuleState.QuevModule, nullptr);
        EXPECT_EQ(form->ShapeADC->Hint(), "АЦП не подключен.");
        EXPECT_EQ(form->ShapeDAC->Hint(), "ЦАП не обнаружен.");
        EXPECT_EQ(TransferState.DacEvent, nullptr);
    } else {
        EXPECT_EQ(form->ShapeADC->Hint(), "Модуль АЦП не подключен");
    }
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, QuevStepFails,
    ::testing::Values(
        FailingStep{"CreateInstance", "Не могу найти интерфейс модуля Quev!", 0x40, false},
        FailingStep{"GetModuleName", "Не могу прочитать название модуля в нулевом виртуальном слоте!", 0x40, false},
        FailingStep{"LOAD_BIOS", "Не могу загрузить модуль!", 0x40, true},
        FailingStep{"MODULE_TEST", "Ошибка в загрузке модуля!", 0x40, true},
        FailingStep{"GET_LBIOS_VERSION", "Не могу получить версию LBIOS!", 0x40, true},
        FailingStep{"GET_FLASH", "Не могу прочитать ППЗУ модуля!", 0x40, true},
        FailingStep{"GET_INPUT_PARS", "Не могу получить текущие параметры АЦП!", 0x40, true},
        FailingStep{"SET_OUTPUT_PARS", "Не могу передать параметры ЦАП!", 0x40, true},
        FailingStep{"START_WRITE", "Не могу запустить ЦАП!", 0, true},
        FailingStep{"STOP_WRITE", "Не могу остановить ЦАП!", 0, true}));

class Usb3000StepFails : public BringUpFixture, public ::testing::WithParamInterface<FailingStep> {};

// The Quev comes up first; a USB3000 failure still turns both shared lamps red, and the Quev
// stays up and usable.
TEST_P(Usb3000StepFails, ReportsTheStepAndTurnsBothLampsRedWhileQuevStaysUp) {
    const FailingStep& step = GetParam();
    Bench().FailOnCall(ModuleKind::Usb3000, step.Operation, 1);
    CreateOptions();

    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, step.Message);
    EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
    EXPECT_EQ(messages[0].Flags, 0x40);
    EXPECT_EQ(Log(), std::vector<std::string>{kQuevLine});
    EXPECT_EQ(ModuleState.Usb3000Present, 0);
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.QuevDacPresent, 1);
    if (step.Releases) {
        EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 1);
        EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
        EXPECT_EQ(form->ShapeADC->Color(), kRed);
        EXPECT_EQ(form->ShapeDAC->Color(), kRed);
        EXPECT_EQ(form->ShapeADC->Hint(), "АЦП не подключен.");
        EXPECT_EQ(form->ShapeDAC->Hint(), "ЦАП не обнаружен.");
    } else {
        EXPECT_EQ(form->ShapeADC->Color(), kGreen);
    }
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
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

using BringUpFailure = BringUpFixture;

TEST_F(BringUpFailure, TooOldFirmwareIsRefusedAndReleased) {
    Bench().SetPresent(ModuleKind::Usb3000, false);
    Bench().SetLbiosVersion(0x10005);
    CreateOptions();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Не правильный номер версии LBIOS!");
    EXPECT_EQ(messages[0].Flags, 0x40);
    EXPECT_EQ(ModuleState.QuevLbiosVersion, 0x10005u);
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(Log(), std::vector<std::string>{kNoAdcLine});
}

}  // namespace
