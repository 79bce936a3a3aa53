#include <string>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using sim::ModuleKind;
using simtest::SimTest;

class FailureInjection : public SimTest {};

TEST_F(FailureInjection, NthCallOfTheNamedOperationFailsOnce) {
  Bench().FailOnCall(ModuleKind::Quev, "START_READ", 2);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  EXPECT_TRUE(m->START_READ());
  EXPECT_FALSE(m->START_READ());
  EXPECT_TRUE(m->START_READ());
  IQuevModule* other = simtest::OpenQuev();
  EXPECT_TRUE(other->START_READ()) << "the count runs over all instances of the kind";
}

TEST_F(FailureInjection, FailAlwaysHitsEveryCallAndOnlyThatKind) {
  Bench().FailAlways(ModuleKind::Usb3000, "MODULE_TEST");
  IUsb3000Module* u = simtest::OpenUsb3000();
  ASSERT_NE(u, nullptr);
  EXPECT_FALSE(u->MODULE_TEST());
  EXPECT_FALSE(u->MODULE_TEST());
  IQuevModule* q = simtest::OpenQuev();
  EXPECT_TRUE(q->MODULE_TEST());
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
  first->STOP_READ();
  EXPECT_TRUE(first->ReleaseDevice());
  EXPECT_EQ(Bench().CallsAfterRelease(), 0);
  EXPECT_FALSE(first->START_READ()) << "a released instance answers nothing";
  EXPECT_FALSE(first->ReleaseDevice());
  EXPECT_EQ(Bench().CallsAfterRelease(), 2);
  EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 0),
            (std::vector<std::string>{"OpenDevice", "LOAD_BIOS", "STOP_READ", "ReleaseDevice",
                                      "START_READ", "ReleaseDevice"}));
  EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 1), (std::vector<std::string>{"OpenDevice"}));
  EXPECT_EQ(Bench().LibraryLog(ModuleKind::Quev),
            (std::vector<std::string>{"GetDllVersion", "CreateInstance", "CreateInstance"}));
}

TEST_F(FailureInjection, ReleaseMadeToFailStillEndsTheTransfers) {
  Bench().FailOnCall(ModuleKind::Quev, "ReleaseDevice", 1);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> block(5024, 3);
  uint32_t count = 5024;
  simtest::Transfer t;
  m->START_READ();
  m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_FALSE(m->ReleaseDevice());
  EXPECT_EQ(t.Wait(2004), platform::kWaitTimeout);
  EXPECT_EQ(block[0], 3);
}

TEST_F(FailureInjection, ResetRestoresAHealthyBench) {
  Bench().SetPresent(ModuleKind::Quev, false);
  Bench().FailAlways(ModuleKind::Quev, "OpenDevice");
  Bench().SetDllVersion(ModuleKind::Quev, 1);
  Bench().Reset();
  Bench().SetClock(sim::ClockMode::Instant);
  EXPECT_EQ(GetDllVersion(), 0x20000u);
  EXPECT_NE(simtest::OpenQuev(), nullptr);
  EXPECT_EQ(Bench().InstanceCount(ModuleKind::Quev), 1);
}
