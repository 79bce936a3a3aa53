#include <string>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using sim::ModuleKind;
using simtest::SimTest;

class FailureInjection : public SimTest {};

TEST_F(FailureInjection, NthCallCountsOverAllInstancesOfTheKindAndFailAlwaysEveryCall) {
  Bench().FailOnCall(ModuleKind::Quev, "START_READ", 2);
  Bench().FailAlways(ModuleKind::Usb3000, "MODULE_TEST");
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  EXPECT_TRUE(m->START_READ());
  IQuevModule* other = simtest::OpenQuev();
  EXPECT_FALSE(other->START_READ());
  EXPECT_TRUE(m->START_READ());
  EXPECT_TRUE(m->MODULE_TEST()) << "a rule holds for its kind only";
  IUsb3000Module* u = simtest::OpenUsb3000();
  EXPECT_FALSE(u->MODULE_TEST());
  EXPECT_FALSE(u->MODULE_TEST());
}

TEST_F(FailureInjection, LibraryRefusesToCreateAnInterface) {
  Bench().FailOnCall(ModuleKind::Usb3000, "RtCreateInstance", 1);
  EXPECT_EQ(RtCreateInstance("usb3000"), nullptr);
  EXPECT_NE(RtCreateInstance("usb3000"), nullptr);
  Bench().SetCreatable(ModuleKind::Quev, false);
  EXPECT_EQ(CreateInstance("quev"), nullptr);
  EXPECT_EQ(Bench().LibraryLog(ModuleKind::Usb3000),
            (std::vector<std::string>{"RtCreateInstance", "RtCreateInstance"}));
  EXPECT_EQ(Bench().InstanceCount(ModuleKind::Usb3000), 1);
}

TEST_F(FailureInjection, CallLogFollowsEachInstanceAndCountsUseAfterRelease) {
  GetDllVersion();
  IQuevModule* first = simtest::OpenQuev();
  IQuevModule* second = CreateInstance("quev");
  second->OpenDevice(0);
  EXPECT_TRUE(first->ReleaseDevice());
  EXPECT_EQ(Bench().CallsAfterRelease(), 0);
  EXPECT_FALSE(first->START_READ()) << "a released instance answers nothing";
  EXPECT_FALSE(first->ReleaseDevice());
  EXPECT_EQ(Bench().CallsAfterRelease(), 2);
  EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 0),
            (std::vector<std::string>{"OpenDevice", "LOAD_BIOS", "ReleaseDevice", "START_READ",
                                      "ReleaseDevice"}));
  EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 1), (std::vector<std::string>{"OpenDevice"}));
  EXPECT_EQ(Bench().LibraryLog(ModuleKind::Quev),
            (std::vector<std::string>{"GetDllVersion", "CreateInstance", "CreateInstance"}));
}
