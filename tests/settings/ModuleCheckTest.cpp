#include "BringUpFixture.h"

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

TEST_F(ModuleCheck, ShutdownReleasesEveryModuleOnceAndReportsARefusal) {
    CreateOptions();
    Bench().FailOnCall(ModuleKind::Usb3000, "ReleaseDevice", 1);
    option.reset();
    Option = nullptr;

    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Не могу освободить интерфейс модуля!");
    EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
    EXPECT_EQ(messages[0].Flags, 0x40);
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
    EXPECT_EQ(ModuleState.QuevPresent, 0);
    EXPECT_EQ(ModuleState.Usb3000DacPresent, 0);
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
}

}  // namespace
