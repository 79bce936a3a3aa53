#include <cstring>

#include "BringUpFixture.h"
#include "settings/VendorLibraries.h"

namespace {

using BringUp = BringUpFixture;

TEST_F(BringUp, HealthyModulesComeUpWithTheirLinesLampsAndRecords) {
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Log(), (std::vector<std::string>{kQuevLine, kUsb3000Line}));
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.QuevDacPresent, 1);
    EXPECT_EQ(ModuleState.Usb3000Present, 1);
    EXPECT_EQ(ModuleState.Usb3000DacPresent, 1);
    EXPECT_EQ(ModuleState.QuevInterfaceName, "quev");
    // Both lamps are shared; the module brought up last sets them.
    EXPECT_EQ(form->ShapeADC->Color(), kGreen);
    EXPECT_EQ(form->ShapeDAC->Color(), kGreen);
    EXPECT_EQ(form->ShapeADC->Hint(), "USB v2.0.  Модуль USB3000");
    EXPECT_EQ(form->ShapeDAC->Hint(), "ЦАП, интегрированный в модуль USB3000");

    // Records really come from (packed fields are read by value) the modules, with the size words they were asked with.
    EXPECT_EQ(int{ModuleState.QuevFlash.AdcCalibration[1]}, 65530);
    EXPECT_EQ(int{ModuleState.QuevAdcPars.InputFifoLength}, 3072);
    EXPECT_EQ(float{ModuleState.Usb3000Flash.AdcScaleCoef[7]}, 0.998f);
    EXPECT_EQ(int{ModuleState.Usb3000OutputPars.OutputFifoLength}, 4032);
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
}

TEST_F(BringUp, NoModuleEndsSilentlyAndKeepsTheQuevInterface) {
    Bench().SetPresent(ModuleKind::Quev, false);
    Bench().SetPresent(ModuleKind::Usb3000, false);
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Log(), std::vector<std::string>{kNoAdcLine});
    EXPECT_EQ(form->ShapeADC->Color(), kRed);
    EXPECT_EQ(form->ShapeDAC->Color(), kRed);
    EXPECT_EQ(form->ShapeADC->Hint(), "Модуль АЦП не подключен");
    EXPECT_EQ(form->ShapeDAC->Hint(), "Интегрированный ЦАП не обнаружен");
    EXPECT_NE(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 0);

    // The kept Quev interface serves the next bring-up; the USB3000 one is replaced, not lost.
    Bench().SetPresent(ModuleKind::Quev, true);
    Bench().SetPresent(ModuleKind::Usb3000, true);
    form->SpeedButtonQuev->Click();
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Quev), 1);
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Usb3000), 2);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{kNoAdcLine, kQuevLine, kUsb3000Line}));
}

TEST_F(BringUp, WrongLibraryVersionsShowOnlyTheirBoxes) {
    Bench().SetDllVersion(ModuleKind::Quev, 0x20001);
    Bench().SetDllVersion(ModuleKind::Usb3000, 0x10003);
    CreateOptions();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Неверная версия DLL библиотеки!");
    EXPECT_EQ(messages[1].Text, "Неверная версия DLL библиотеки Rtusbapi.dll!  Текущая: 1.3. Требуется: 1.4.");
    for (const auto& m : messages) {
        EXPECT_EQ(m.Caption, "ОШИБКА!!!");
        EXPECT_EQ(m.Flags, 0x40);
    }
    EXPECT_EQ(ModuleState.DllVersion, 0x10003u);
    EXPECT_EQ(LibraryCalls(ModuleKind::Quev, "CreateInstance"), 0);
    EXPECT_EQ(LibraryCalls(ModuleKind::Usb3000, "RtCreateInstance"), 0);
    EXPECT_EQ(Log(), std::vector<std::string>{kNoAdcLine});
}

// A library that is not found, or that lacks the functions, fails its module's bring-up at the
// version; the other module comes up and the program goes on.
TEST_F(BringUp, MissingLibraryOrFunctionFailsOnlyThatModule) {
    struct Restore {
        ~Restore() { vendor::LoadLibraries(vendor::kQuevLibrary, vendor::kUsb3000Library); }
    } restore;
    vendor::LoadLibraries("libquev-not-installed.so", vendor::kUsb3000Library);
    CreateOptions();
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].Text, "Неверная версия DLL библиотеки!");
    EXPECT_EQ(Log(), std::vector<std::string>{kUsb3000Line});
    EXPECT_EQ(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(ModuleState.Usb3000Present, 1);
    EXPECT_EQ(form->ShapeADC->Color(), kGreen);

    // Each library named in the other's place: both are found, neither has the functions asked.
    vendor::LoadLibraries(vendor::kUsb3000Library, vendor::kQuevLibrary);
    form->SpeedButtonQuev->Click();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1].Text, "Неверная версия DLL библиотеки!");
    EXPECT_EQ(messages[2].Text, "Неверная версия DLL библиотеки Rtusbapi.dll!  Текущая: 0.0. Требуется: 1.4.");
    EXPECT_EQ(ModuleState.Usb3000Present, 0);
    EXPECT_EQ(Bench().LibraryLog(ModuleKind::Quev), std::vector<std::string>{});
    EXPECT_EQ(Bench().LibraryLog(ModuleKind::Usb3000),
              (std::vector<std::string>{"RtGetDllVersion", "RtCreateInstance"}));
    EXPECT_EQ(Log().size(), 1u);
}

// Without a DAC, or with one whose parameters cannot be read, the Quev is up with its ADC only
// and runs no DAC test.
TEST_F(BringUp, QuevWithoutAUsableDacComesUpWithItsAdcOnly) {
    Bench().SetPresent(ModuleKind::Usb3000, false);
    Bench().SetDacFitted(ModuleKind::Quev, false);
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    const std::string adcOnly = kQuevLine.substr(0, kQuevLine.size() - std::strlen(",  ЦАП.")) + ".";
    EXPECT_EQ(Log(), std::vector<std::string>{adcOnly});
    EXPECT_EQ(form->ShapeADC->Color(), kGreen);
    EXPECT_EQ(form->ShapeDAC->Color(), kRed);
    EXPECT_EQ(form->ShapeDAC->Hint(), "ЦАП модуля Quev не обнаружен.");
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "GET_OUTPUT_PARS"), 0);

    Bench().SetDacFitted(ModuleKind::Quev, true);
    Bench().FailOnCall(ModuleKind::Quev, "GET_OUTPUT_PARS", 1);
    form->SpeedButtonQuev->Click();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Не могу получить текущие параметры ЦАП!");
    EXPECT_EQ(messages[0].Flags, 0x40);
    EXPECT_EQ(Log(), (std::vector<std::string>{adcOnly, adcOnly}));
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.QuevDacPresent, 0);
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "START_WRITE") + Calls(ModuleKind::Quev, 1, "START_WRITE"), 0);
}

TEST_F(BringUp, UsbSpeedNamesTheBusOnlyWhenKnown) {
    Bench().SetUsbSpeed(0);
    CreateOptions();
    EXPECT_NE(Log().at(1).find("0 слот,  USB v1.1,  S/N: "), std::string::npos);
    EXPECT_EQ(form->ShapeADC->Hint(), "USB v1.1.  Модуль USB3000");

    // An unknown speed adds no bus text and leaves the lamp's hint to the Quev.
    Bench().SetUsbSpeed(2);
    form->SpeedButtonQuev->Click();
    EXPECT_NE(Log().at(3).find("0 слот,  S/N: "), std::string::npos);
    EXPECT_EQ(form->ShapeADC->Hint(), "Обнаружен модуль Quev, S/N:Q0000001");
    EXPECT_EQ(form->ShapeADC->Color(), kGreen);
}

TEST_F(BringUp, TextsFillingTheirFieldsAreTakenWholeAndNoFurther) {
    Bench().SetSerialNumber(ModuleKind::Usb3000, "ABCDEFGHIJKL");  // the module keeps 9
    Bench().SetAvrVersion("1.2345");                                // and 5 of this
    Bench().SetSerialNumber(ModuleKind::Quev, std::string(30, 'Q'));
    CreateOptions();
    EXPECT_STREQ(ModuleState.Usb3000Serial, "ABCDEFGHI");
    EXPECT_STREQ(ModuleState.Usb3000AvrVersion, "1.234");
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_NE(Log()[1].find("S/N: ABCDEFGHI,  AVR 1.234,  DSP"), std::string::npos);
    EXPECT_NE(Log()[0].find("S/N: " + std::string(21, 'Q') + ",  ППЗУ"), std::string::npos);
}

}  // namespace
