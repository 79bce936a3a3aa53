// Every export that passes through reaches the operation in its slot with the caller's arguments
// and returns the operation's result unchanged, whatever the value.

#include <gtest/gtest.h>

#include <functional>

#include "FakeUsb3000.h"
#include "flatlib/wrUsb3000.h"

namespace {

// Distinct objects whose addresses the exports must hand on.
char text[16];
uint8_t byteValue;
int16_t shortValue, shorts[4];
uint16_t wordValue;
int32_t longValue, longs[4];
uint32_t count, done;
OverlappedRecord overlapped;

int64_t P(const void* p) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(p)); }

struct PassThrough {
  const char* name;
  int slot;
  std::function<int64_t(IDevPtr)> call;
  std::vector<int64_t> args;
};

#define CALL(expression) [](IDevPtr d) -> int64_t { return expression; }

// WORD arguments use 0xFFFF and friends so that a narrowing or sign change on the way shows; an
// address and its data differ in their 16 bits so that a swap shows too.
// clang-format off
const std::vector<PassThrough> kPassThroughs = {
    {"OpenDevice", 0, CALL(wrOpenDevice_Usb3000(d, 0xFFFF)), {0xFFFF}},
    {"CloseDevice", 1, CALL(wrCloseDevice_Usb3000(d)), {}},
    {"GetModuleHandle", 2, CALL(reinterpret_cast<intptr_t>(wrGetModuleHandle_Usb3000(d))), {}},
    {"GetUsbSpeed", 3, CALL(wrGetUsbSpeed_Usb3000(d, &byteValue)), {P(&byteValue)}},
    {"GetModuleName", 4, CALL(wrGetModuleName_Usb3000(d, text)), {P(text)}},
    {"GetModuleSerialNumber", 5, CALL(wrGetModuleSerialNumber_Usb3000(d, text)), {P(text)}},
    {"GetAvrVersion", 6, CALL(wrGetAvrVersion_Usb3000(d, text)), {P(text)}},
    {"ReleaseDevice", 7, CALL(wrReleaseDevice_Usb3000(d)), {}},
    {"RESET_DSP", 8, CALL(wrRESET_DSP_Usb3000(d)), {}},
    {"LOAD_DSP", 9, CALL(wrLOAD_DSP_Usb3000(d, text)), {P(text)}},
    {"LOAD_DSP_Default", 9, CALL(wrLOAD_DSP_Usb3000(d, nullptr)), {0}},
    {"MODULE_TEST", 10, CALL(wrMODULE_TEST_Usb3000(d)), {}},
    {"SEND_COMMAND", 12, CALL(wrSEND_COMMAND_Usb3000(d, 0x8001)), {0x8001}},
    {"PUT_VAR_WORD", 13, CALL(wrPUT_VAR_WORD_Usb3000(d, 0xFFFE, -3)), {0xFFFE, -3}},
    {"GET_VAR_WORD", 14, CALL(wrGET_VAR_WORD_Usb3000(d, 7, &shortValue)), {7, P(&shortValue)}},
    {"PUT_DM_WORD", 15, CALL(wrPUT_DM_WORD_Usb3000(d, 0x8000, -32767)), {0x8000, -32767}},
    {"GET_DM_WORD", 16, CALL(wrGET_DM_WORD_Usb3000(d, 9, &shortValue)), {9, P(&shortValue)}},
    {"PUT_PM_WORD", 17, CALL(wrPUT_PM_WORD_Usb3000(d, 0xFFFF, -0x12345678)),
     {0xFFFF, -0x12345678}},
    {"GET_PM_WORD", 18, CALL(wrGET_PM_WORD_Usb3000(d, 3, &longValue)), {3, P(&longValue)}},
    {"PUT_DM_ARRAY", 19, CALL(wrPUT_DM_ARRAY_Usb3000(d, 0x100, 4, shorts)), {0x100, 4, P(shorts)}},
    {"GET_DM_ARRAY", 20, CALL(wrGET_DM_ARRAY_Usb3000(d, 0x200, 3, shorts)), {0x200, 3, P(shorts)}},
    {"PUT_PM_ARRAY", 21, CALL(wrPUT_PM_ARRAY_Usb3000(d, 0x300, 2, longs)), {0x300, 2, P(longs)}},
    {"GET_PM_ARRAY", 22, CALL(wrGET_PM_ARRAY_Usb3000(d, 0xFFFF, 0xFFFF, longs)),
     {0xFFFF, 0xFFFF, P(longs)}},
    {"START_READ", 25, CALL(wrSTART_READ_Usb3000(d)), {}},
    {"STOP_READ", 26, CALL(wrSTOP_READ_Usb3000(d)), {}},
    {"READ_KADR", 27, CALL(wrREAD_KADR_Usb3000(d, shorts)), {P(shorts)}},
    {"READ_SAMPLE", 28, CALL(wrREAD_SAMPLE_Usb3000(d, 15, &shortValue)), {15, P(&shortValue)}},
    {"ReadData", 29, CALL(wrReadData_Usb3000(d, shorts, &count, &done, &overlapped)),
     {P(shorts), P(&count), P(&done), P(&overlapped)}},
    {"START_WRITE", 32, CALL(wrSTART_WRITE_Usb3000(d)), {}},
    {"STOP_WRITE", 33, CALL(wrSTOP_WRITE_Usb3000(d)), {}},
    {"WRITE_SAMPLE", 34, CALL(wrWRITE_SAMPLE_Usb3000(d, 1, &shortValue)), {1, P(&shortValue)}},
    {"WriteData", 35, CALL(wrWriteData_Usb3000(d, shorts, &count, &done, &overlapped)),
     {P(shorts), P(&count), P(&done), P(&overlapped)}},
    {"ENABLE_TTL_OUT", 36, CALL(wrENABLE_TTL_OUT_Usb3000(d, -1)), {-1}},
    {"TTL_OUT", 37, CALL(wrTTL_OUT_Usb3000(d, 0xA5A5)), {0xA5A5}},
    {"TTL_IN", 38, CALL(wrTTL_IN_Usb3000(d, &wordValue)), {P(&wordValue)}},
    {"ENABLE_FLASH_WRITE", 39, CALL(wrENABLE_FLASH_WRITE_Usb3000(d, 2)), {2}},
    {"GetLastErrorString", 42, CALL(wrGetLastErrorString_Usb3000(d, text, 0xFFFFFFFF)),
     {P(text), 0xFFFFFFFF}},
};
// clang-format on

#undef CALL

class PassThroughExport : public testing::TestWithParam<PassThrough> {};

TEST_P(PassThroughExport, ReachesItsOperationAndReturnsItsResultUnchanged) {
  for (int32_t result : {0, 1, 2, 0x100, 0x12345678, -1}) {
    FakeUsb3000 module;
    module.result = result;
    EXPECT_EQ(GetParam().call(&module), result);
    ASSERT_EQ(module.calls.size(), 1u);
    EXPECT_EQ(module.calls[0].slot, GetParam().slot);
    EXPECT_EQ(module.calls[0].args, GetParam().args);
  }
}

INSTANTIATE_TEST_SUITE_P(AllOperations, PassThroughExport, testing::ValuesIn(kPassThroughs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
