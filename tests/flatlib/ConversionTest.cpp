// The seven exports that convert between the caller's aligned records and the module's packed
// ones. Fields are located by their byte offsets in either layout, so a wrong offset in a record
// declaration shows as well as a wrong copy.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "FakeUsb3000.h"
#include "flatlib/wrUsb3000.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Field {
  std::size_t packed, aligned, width;
};

// Every field but size (and CRC16), at its offset in the packed and in the aligned record.
const std::vector<Field> kInputFields = {
    {2, 4, 4},     {6, 8, 4},     {10, 12, 2},   {12, 14, 2},    {14, 16, 2},   {16, 18, 2},
    {18, 20, 2},   {20, 22, 2},   {22, 24, 2},   {24, 26, 256},  {280, 282, 2}, {282, 284, 2},
    {284, 288, 8}, {292, 296, 8}, {300, 304, 8}, {308, 312, 64}, {372, 376, 64}};
const std::vector<Field> kOutputFields = {{2, 4, 4}, {6, 8, 8}, {14, 16, 2}, {16, 18, 2}};
const std::vector<Field> kFlashFields = {{4, 4, 9},     {13, 13, 11},  {24, 24, 1},    {25, 25, 17},
                                         {42, 42, 1},   {43, 44, 4},   {47, 48, 32},   {79, 80, 32},
                                         {111, 112, 8}, {119, 120, 8}, {127, 128, 129}};
const Field kSerialNumber = kFlashFields[0], kName = kFlashFields[1], kDspType = kFlashFields[3];

constexpr uint8_t kUntouched = 0xAA;

// Non-zero bytes that differ from field to field; no byte reaches 0x40, so no double or float
// made of them is a NaN that a copy could alter.
void FillFields(uint8_t* record, const std::vector<Field>& fields, bool packed, int seed) {
  int k = seed;
  for (const Field& f : fields)
    for (std::size_t i = 0; i < f.width; ++i)
      record[(packed ? f.packed : f.aligned) + i] = 1 + k++ % 61;
}

Bytes FieldBytes(const uint8_t* record, const std::vector<Field>& fields, bool packed) {
  Bytes out;
  for (const Field& f : fields) {
    const uint8_t* at = record + (packed ? f.packed : f.aligned);
    out.insert(out.end(), at, at + f.width);
  }
  return out;
}

uint16_t WordAt(const uint8_t* record, std::size_t offset) {
  uint16_t w;
  std::memcpy(&w, record + offset, sizeof w);
  return w;
}

void PutWord(uint8_t* record, std::size_t offset, uint16_t w) {
  std::memcpy(record + offset, &w, sizeof w);
}

struct Conversion {
  const char* name;
  int slot;
  std::size_t alignedSize, packedSize, sizeOffset;
  std::function<int32_t(IDevPtr, uint8_t*)> call;
  const std::vector<Field>* fields;
};

template <class Record, int32_t (*Export)(IDevPtr, Record*)>
int32_t Call(IDevPtr module, uint8_t* record) {
  return Export(module, reinterpret_cast<Record*>(record));
}

const Conversion kGetInputPars{
    "GET_INPUT_PARS", 23, 440, 436, 0, Call<wrINPUT_PARS_USB3000, wrGET_INPUT_PARS_Usb3000>,
    &kInputFields};
const Conversion kSetInputPars{
    "SET_INPUT_PARS", 24, 440, 436, 0, Call<wrINPUT_PARS_USB3000, wrSET_INPUT_PARS_Usb3000>,
    &kInputFields};
const Conversion kGetOutputPars{
    "GET_OUTPUT_PARS", 30, 20, 18, 0, Call<wrOUTPUT_PARS_USB3000, wrGET_OUTPUT_PARS_Usb3000>,
    &kOutputFields};
const Conversion kSetOutputPars{
    "SET_OUTPUT_PARS", 31, 20, 18, 0, Call<wrOUTPUT_PARS_USB3000, wrSET_OUTPUT_PARS_Usb3000>,
    &kOutputFields};
const Conversion kPutFlash{
    "PUT_FLASH", 40, 260, 256, 2, Call<wrFLASH_USB3000, wrPUT_FLASH_Usb3000>, &kFlashFields};
const Conversion kGetFlash{
    "GET_FLASH", 41, 260, 256, 2, Call<wrFLASH_USB3000, wrGET_FLASH_Usb3000>, &kFlashFields};
const Conversion kGetDspInfo{
    "GET_DSP_INFO", 11, 18, 18, 0, Call<wrDSP_INFO_USB3000, wrGET_DSP_INFO_Usb3000>, nullptr};

std::string NameOf(const testing::TestParamInfo<Conversion>& info) { return info.param.name; }

class AnyConversion : public testing::TestWithParam<Conversion> {};

TEST_P(AnyConversion, ReturnsExactlyOneForEveryNonZeroResult) {
  for (int32_t result : {1, 2, 0x100, 0x12345678, -1}) {
    FakeUsb3000 module;
    module.result = result;
    Bytes record(GetParam().alignedSize, 0);
    EXPECT_EQ(GetParam().call(&module, record.data()), 1) << "module result " << result;
    ASSERT_EQ(module.calls.size(), 1u);
    EXPECT_EQ(module.calls[0].slot, GetParam().slot);
  }
}

TEST_P(AnyConversion, FailureLeavesTheCallersRecordAsItWas) {
  FakeUsb3000 module;
  module.result = 0;
  const std::size_t packedSize = GetParam().packedSize;
  module.answer = [packedSize](uint8_t* packed) { std::memset(packed, 0x55, packedSize); };
  Bytes record(GetParam().alignedSize, kUntouched);
  PutWord(record.data(), GetParam().sizeOffset, 0x1234);
  const Bytes before = record;

  EXPECT_EQ(GetParam().call(&module, record.data()), 0);
  EXPECT_EQ(record, before);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, AnyConversion,
                         testing::Values(kGetInputPars, kSetInputPars, kGetOutputPars,
                                         kSetOutputPars, kPutFlash, kGetFlash, kGetDspInfo),
                         NameOf);

// Bytes of the aligned record that belong to no field: they must never be written.
std::vector<std::size_t> PaddingOf(const Conversion& c) {
  std::vector<bool> used(c.alignedSize, false);
  for (std::size_t i = 0; i < 2; ++i) used[c.sizeOffset + i] = true;
  if (c.sizeOffset == 2) used[0] = used[1] = true;  // CRC16
  for (const Field& f : *c.fields)
    for (std::size_t i = 0; i < f.width; ++i) used[f.aligned + i] = true;
  std::vector<std::size_t> padding;
  for (std::size_t i = 0; i < used.size(); ++i)
    if (!used[i]) padding.push_back(i);
  return padding;
}

class ParameterRecord : public testing::TestWithParam<std::pair<Conversion, Conversion>> {};

TEST_P(ParameterRecord, GetDeliversEveryFieldAtItsAlignedOffsetFromAZeroedRecord) {
  const Conversion& get = GetParam().first;
  FakeUsb3000 module;
  module.answer = [&](uint8_t* packed) { FillFields(packed, *get.fields, true, 5); };
  Bytes record(get.alignedSize, kUntouched);

  ASSERT_EQ(get.call(&module, record.data()), 1);

  Bytes expectedReceived(get.packedSize, 0);
  PutWord(expectedReceived.data(), 0, static_cast<uint16_t>(get.packedSize));
  EXPECT_EQ(module.received, expectedReceived);
  EXPECT_EQ(WordAt(record.data(), 0), get.alignedSize);
  Bytes expected(get.packedSize);
  FillFields(expected.data(), *get.fields, true, 5);
  EXPECT_EQ(FieldBytes(record.data(), *get.fields, false),
            FieldBytes(expected.data(), *get.fields, true));
  for (std::size_t at : PaddingOf(get)) EXPECT_EQ(record[at], kUntouched) << "padding byte " << at;
}

TEST_P(ParameterRecord, SetHandsEveryFieldOverAndReturnsWhatTheModuleLeft) {
  const Conversion& set = GetParam().second;
  Bytes record(set.alignedSize, kUntouched);
  FillFields(record.data(), *set.fields, false, 7);
  const Bytes handedOver = FieldBytes(record.data(), *set.fields, false);
  FakeUsb3000 module;
  module.answer = [&](uint8_t* packed) { FillFields(packed, *set.fields, true, 30); };

  ASSERT_EQ(set.call(&module, record.data()), 1);

  EXPECT_EQ(WordAt(module.received.data(), 0), set.packedSize);
  EXPECT_EQ(FieldBytes(module.received.data(), *set.fields, true), handedOver);
  EXPECT_EQ(WordAt(record.data(), 0), set.alignedSize);
  Bytes leftByModule(set.packedSize);
  FillFields(leftByModule.data(), *set.fields, true, 30);
  EXPECT_EQ(FieldBytes(record.data(), *set.fields, false),
            FieldBytes(leftByModule.data(), *set.fields, true));
  for (std::size_t at : PaddingOf(set)) EXPECT_EQ(record[at], kUntouched) << "padding byte " << at;
}

INSTANTIATE_TEST_SUITE_P(InputAndOutput, ParameterRecord,
                         testing::Values(std::pair{kGetInputPars, kSetInputPars},
                                         std::pair{kGetOutputPars, kSetOutputPars}),
                         [](const auto& info) {
                           return info.index == 0 ? "INPUT_PARS" : "OUTPUT_PARS";
                         });

// A text filled to its end loses its last byte to the terminator; one with an earlier zero still
// arrives as the whole array.
TEST(FlashConversion, GetTerminatesTextsAndCopiesThemAsWholeArrays) {
  FakeUsb3000 module;
  module.answer = [](uint8_t* packed) {
    FillFields(packed, kFlashFields, true, 3);
    std::memcpy(packed + kSerialNumber.packed, "AB\0CDEFGH", 9);
    PutWord(packed, 0, 0xBEEF);
  };
  Bytes record(260, kUntouched);

  ASSERT_EQ(wrGET_FLASH_Usb3000(&module, reinterpret_cast<wrFLASH_USB3000*>(record.data())), 1);

  Bytes expectedReceived(256, 0);
  PutWord(expectedReceived.data(), 2, 256);
  EXPECT_EQ(module.received, expectedReceived);
  EXPECT_EQ(WordAt(record.data(), 0), 0xBEEF);
  EXPECT_EQ(WordAt(record.data(), 2), 260);
  Bytes expected(256);
  FillFields(expected.data(), kFlashFields, true, 3);
  std::memcpy(expected.data() + kSerialNumber.packed, "AB\0CDEFG\0", 9);
  for (const Field& text : {kName, kDspType}) expected[text.packed + text.width - 1] = 0;
  EXPECT_EQ(FieldBytes(record.data(), kFlashFields, false),
            FieldBytes(expected.data(), kFlashFields, true));
  for (std::size_t at : {43, 257, 258, 259})
    EXPECT_EQ(record[at], kUntouched) << "padding byte " << at;
}

TEST(FlashConversion, PutHandsEverythingOverAndTakesBackOnlyChecksumAndSize) {
  Bytes record(260, kUntouched);
  FillFields(record.data(), kFlashFields, false, 11);
  PutWord(record.data(), 0, 0x1111);
  PutWord(record.data(), 2, 0x2222);
  FakeUsb3000 module;
  module.answer = [](uint8_t* packed) {
    std::memset(packed, 0x33, 256);
    PutWord(packed, 0, 0xBEEF);
  };
  Bytes expected = record;

  ASSERT_EQ(wrPUT_FLASH_Usb3000(&module, reinterpret_cast<wrFLASH_USB3000*>(record.data())), 1);

  EXPECT_EQ(WordAt(module.received.data(), 0), 0x1111);
  EXPECT_EQ(WordAt(module.received.data(), 2), 256);
  EXPECT_EQ(FieldBytes(module.received.data(), kFlashFields, true),
            FieldBytes(record.data(), kFlashFields, false));
  PutWord(expected.data(), 0, 0xBEEF);
  PutWord(expected.data(), 2, 260);
  EXPECT_EQ(record, expected);
}

// A target filled to its end loses its last byte to the terminator; after an earlier zero the
// caller's bytes stay as they were.
TEST(DspInfoConversion, TextsArriveTerminatedWithinTheirArrays) {
  FakeUsb3000 module;
  module.answer = [](uint8_t* packed) { std::memcpy(packed, "TARGETXYZWK\0MNOP\x03\x07", 18); };
  wrDSP_INFO_USB3000 info;
  std::memset(&info, kUntouched, sizeof info);

  ASSERT_EQ(wrGET_DSP_INFO_Usb3000(&module, &info), 1);

  EXPECT_EQ(module.received, Bytes(18, 0));
  EXPECT_EQ(0, std::memcmp(info.Target, "TARGETXYZ\0", 10));
  EXPECT_EQ(0, std::memcmp(info.Label, "K\0\xAA\xAA\xAA\xAA", 6));
  EXPECT_EQ(info.DspMajor, 3);
  EXPECT_EQ(info.DspMinor, 7);
}

}  // namespace
