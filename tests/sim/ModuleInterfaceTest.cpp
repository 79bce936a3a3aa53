#include <cstdint>
#include <cstring>

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"
#include <gtest/gtest.h>

namespace {

// Table slot of a virtual operation. Under the Itanium C++ ABI a pointer to a virtual member
// holds 1 + the slot's byte offset in the table.
template <typename Member>
long Slot(Member member) {
  static_assert(sizeof(Member) == 2 * sizeof(uintptr_t));
  uintptr_t raw[2];
  std::memcpy(raw, &member, sizeof(raw));
  return static_cast<long>((raw[0] - 1) / sizeof(void*));
}

}  // namespace

TEST(ModuleInterfaces, QuevOperationsSitInTheirSlots) {
  EXPECT_EQ(Slot(&IQuevModule::OpenDevice), 1);
  EXPECT_EQ(Slot(&IQuevModule::GetModuleName), 3);
  EXPECT_EQ(Slot(&IQuevModule::ReleaseDevice), 4);
  EXPECT_EQ(Slot(&IQuevModule::LOAD_BIOS), 6);
  EXPECT_EQ(Slot(&IQuevModule::GET_LBIOS_VERSION), 8);
  EXPECT_EQ(Slot(&IQuevModule::GET_INPUT_PARS), 11);
  EXPECT_EQ(Slot(&IQuevModule::STOP_READ), 14);
  EXPECT_EQ(Slot(&IQuevModule::ReadData), 17);
  EXPECT_EQ(Slot(&IQuevModule::WriteData), 18);
  EXPECT_EQ(Slot(&IQuevModule::STOP_WRITE), 22);
  EXPECT_EQ(Slot(&IQuevModule::GET_FLASH), 30);
}

TEST(ModuleInterfaces, Usb3000OperationsSitInTheirSlots) {
  EXPECT_EQ(Slot(&IUsb3000Module::OpenDevice), 0);
  EXPECT_EQ(Slot(&IUsb3000Module::GetUsbSpeed), 3);
  EXPECT_EQ(Slot(&IUsb3000Module::ReleaseDevice), 7);
  EXPECT_EQ(Slot(&IUsb3000Module::GET_DSP_INFO), 11);
  EXPECT_EQ(Slot(&IUsb3000Module::GET_PM_ARRAY), 22);
  EXPECT_EQ(Slot(&IUsb3000Module::SET_INPUT_PARS), 24);
  EXPECT_EQ(Slot(&IUsb3000Module::ReadData), 29);
  EXPECT_EQ(Slot(&IUsb3000Module::WriteData), 35);
  EXPECT_EQ(Slot(&IUsb3000Module::GET_FLASH), 41);
  EXPECT_EQ(Slot(&IUsb3000Module::GetLastErrorString), 42);
}
