#include <cstdint>
#include <cstring>
#include <utility>

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

// Every operation the station or the flat-call library calls, where the vendor's table has it.
TEST(ModuleInterfaces, QuevOperationsSitInTheirSlots) {
  using Q = IQuevModule;
  const std::pair<long, long> slots[] = {
      {Slot(&Q::OpenDevice), 1},       {Slot(&Q::GetModuleName), 3},    {Slot(&Q::ReleaseDevice), 4},
      {Slot(&Q::LOAD_BIOS), 6},        {Slot(&Q::MODULE_TEST), 7},      {Slot(&Q::GET_LBIOS_VERSION), 8},
      {Slot(&Q::GET_INPUT_PARS), 11},  {Slot(&Q::SET_INPUT_PARS), 12},  {Slot(&Q::START_READ), 13},
      {Slot(&Q::STOP_READ), 14},       {Slot(&Q::ReadData), 17},        {Slot(&Q::WriteData), 18},
      {Slot(&Q::GET_OUTPUT_PARS), 19}, {Slot(&Q::SET_OUTPUT_PARS), 20}, {Slot(&Q::START_WRITE), 21},
      {Slot(&Q::STOP_WRITE), 22},      {Slot(&Q::GET_FLASH), 30}};
  for (const auto& [actual, expected] : slots) EXPECT_EQ(actual, expected);
}

TEST(ModuleInterfaces, Usb3000OperationsSitInTheirSlots) {
  using U = IUsb3000Module;
  const std::pair<long, long> slots[] = {
      {Slot(&U::OpenDevice), 0},          {Slot(&U::CloseDevice), 1},         {Slot(&U::GetModuleHandle), 2},
      {Slot(&U::GetUsbSpeed), 3},         {Slot(&U::GetModuleName), 4},       {Slot(&U::GetModuleSerialNumber), 5},
      {Slot(&U::GetAvrVersion), 6},       {Slot(&U::ReleaseDevice), 7},       {Slot(&U::RESET_DSP), 8},
      {Slot(&U::LOAD_DSP), 9},            {Slot(&U::MODULE_TEST), 10},        {Slot(&U::GET_DSP_INFO), 11},
      {Slot(&U::SEND_COMMAND), 12},       {Slot(&U::PUT_VAR_WORD), 13},       {Slot(&U::GET_VAR_WORD), 14},
      {Slot(&U::PUT_DM_WORD), 15},        {Slot(&U::GET_DM_WORD), 16},        {Slot(&U::PUT_PM_WORD), 17},
      {Slot(&U::GET_PM_WORD), 18},        {Slot(&U::PUT_DM_ARRAY), 19},       {Slot(&U::GET_DM_ARRAY), 20},
      {Slot(&U::PUT_PM_ARRAY), 21},       {Slot(&U::GET_PM_ARRAY), 22},       {Slot(&U::GET_INPUT_PARS), 23},
      {Slot(&U::SET_INPUT_PARS), 24},     {Slot(&U::START_READ), 25},         {Slot(&U::STOP_READ), 26},
      {Slot(&U::READ_KADR), 27},          {Slot(&U::READ_SAMPLE), 28},        {Slot(&U::ReadData), 29},
      {Slot(&U::GET_OUTPUT_PARS), 30},    {Slot(&U::SET_OUTPUT_PARS), 31},    {Slot(&U::START_WRITE), 32},
      {Slot(&U::STOP_WRITE), 33},         {Slot(&U::WRITE_SAMPLE), 34},       {Slot(&U::WriteData), 35},
      {Slot(&U::ENABLE_TTL_OUT), 36},     {Slot(&U::TTL_OUT), 37},            {Slot(&U::TTL_IN), 38},
      {Slot(&U::ENABLE_FLASH_WRITE), 39}, {Slot(&U::PUT_FLASH), 40},          {Slot(&U::GET_FLASH), 41},
      {Slot(&U::GetLastErrorString), 42}};
  for (const auto& [actual, expected] : slots) EXPECT_EQ(actual, expected);
}
