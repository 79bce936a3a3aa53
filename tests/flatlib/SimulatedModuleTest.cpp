// The library over the stand-in vendor library and its simulated module, used as a program
// calling the flat functions would use it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flatlib/wrUsb3000.h"
#include "sim/BenchControl.h"
#include "sim/Defaults.h"

namespace {

using sim::Bench;
using sim::ModuleKind;

class OverSimulatedModule : public testing::Test {
 protected:
  void SetUp() override {
    Bench().Reset();
    Bench().SetClock(sim::ClockMode::Instant);
  }
  void TearDown() override { Bench().Reset(); }
};

TEST_F(OverSimulatedModule, CreatesOpensConvertsRecordsAndReleasesTheModule) {
  EXPECT_EQ(wrRtGetDllVersion_Usb3000(), sim::defaults::kUsb3000DllVersion);
  IDevPtr dev = wrRtCreateInstance_Usb3000();
  ASSERT_NE(dev, nullptr) << "only the interface name \"usb3000\" gives an interface";
  ASSERT_EQ(wrOpenDevice_Usb3000(dev, 0), 1);

  // The simulated module answers only a record announcing its own packed size.
  wrINPUT_PARS_USB3000 ap{};
  ASSERT_EQ(wrGET_INPUT_PARS_Usb3000(dev, &ap), 1);
  EXPECT_EQ(ap.size, 440);
  EXPECT_EQ(ap.InputRate, sim::defaults::kUsb3000InputRate);
  EXPECT_EQ(ap.InputFifoLength, sim::defaults::kUsb3000InputFifoLength);

  ap.ChannelsQuantity = 4;
  ap.InputRate = 200.0;
  ap.ControlTable[3] = 0x0103;
  ASSERT_EQ(wrSET_INPUT_PARS_Usb3000(dev, &ap), 1);
  const RTUSB3000::INPUT_PARS stored = Bench().LastUsb3000InputPars();
  EXPECT_EQ(uint16_t{stored.ChannelsQuantity}, 4);
  EXPECT_EQ(uint16_t{stored.ControlTable[3]}, 0x0103);
  EXPECT_EQ(ap.ChannelRate, 50.0) << "the rate per channel the module worked out comes back";

  wrFLASH_USB3000 fi{};
  ASSERT_EQ(wrGET_FLASH_Usb3000(dev, &fi), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(fi.Name), sim::defaults::kUsb3000ModuleName);

  EXPECT_EQ(wrReleaseDevice_Usb3000(dev), 1);
  EXPECT_EQ(Bench().CallLog(ModuleKind::Usb3000, 0),
            (std::vector<std::string>{"OpenDevice", "GET_INPUT_PARS", "SET_INPUT_PARS",
                                      "GET_FLASH", "ReleaseDevice"}));
  EXPECT_EQ(Bench().CallsAfterRelease(), 0);

  Bench().SetCreatable(ModuleKind::Usb3000, false);
  EXPECT_EQ(wrRtCreateInstance_Usb3000(), nullptr);
}

}  // namespace
