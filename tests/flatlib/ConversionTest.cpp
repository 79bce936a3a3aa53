// The seven exports that convert between the caller's aligned records and the module's packed
// ones. The aligned layout is written here independently of the declarations, as the packed
// record with padding inserted at fixed places, and records are compared byte for byte: a wrong
// offset, a missed or crossed field and a write into padding all show.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "FakeUsb3000.h"
#include "flatlib/wrUsb3000.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kUntouched = 0xAA;

struct Gap {
  std::size_t packedOffset, width;  // padding the aligned record has before this packed byte
};

struct Conversion {
  const char* name;
  int slot;
  std::size_t packedSize, sizeOffset;
  std::vector<Gap> gaps;
  std::function<int32_t(IDevPtr, uint8_t*)> call;
  std::vector<std::size_t> terminators = {};  // aligned offsets that always come back as 0
};

template <class Record, int32_t (QUEV_STDCALL* Export)(IDevPtr, Record*)>
int32_t Call(IDevPtr module, uint8_t* record) {
  return Export(module, reinterpret_cast<Record*>(record));
}

const std::vector<Gap> kInputGaps = {{2, 2}, {284, 2}}, kOutputGaps = {{2, 2}},
                       kFlashGaps = {{43, 1}, {256, 3}};

const Conversion kGetInputPars{"GET_INPUT_PARS", 23, 436, 0, kInputGaps,
                               Call<wrINPUT_PARS_USB3000, wrGET_INPUT_PARS_Usb3000>};
const Conversion kSetInputPars{"SET_INPUT_PARS", 24, 436, 0, kInputGaps,
                               Call<wrINPUT_PARS_USB3000, wrSET_INPUT_PARS_Usb3000>};
const Conversion kGetOutputPars{"GET_OUTPUT_PARS", 30, 18, 0, kOutputGaps,
                                Call<wrOUTPUT_PARS_USB3000, wrGET_OUTPUT_PARS_Usb3000>};
const Conversion kSetOutputPars{"SET_OUTPUT_PARS", 31, 18, 0, kOutputGaps,
                                Call<wrOUTPUT_PARS_USB3000, wrSET_OUTPUT_PARS_Usb3000>};
const Conversion kPutFlash{"PUT_FLASH", 40, 256, 2, kFlashGaps,
                           Call<wrFLASH_USB3000, wrPUT_FLASH_Usb3000>};
// The last byte of SerialNumber, Name and DspType.
const Conversion kGetFlash{"GET_FLASH", 41, 256, 2, kFlashGaps,
                           Call<wrFLASH_USB3000, wrGET_FLASH_Usb3000>, {12, 23, 41}};
const Conversion kGetDspInfo{"GET_DSP_INFO", 11, 18, 0, {},
                             Call<wrDSP_INFO_USB3000, wrGET_DSP_INFO_Usb3000>};

std::size_t AlignedSize(const Conversion& c) {
  std::size_t size = c.packedSize;
  for (const Gap& gap : c.gaps) size += gap.width;
  return size;
}

// Distinct bytes with a zero every 13th (one falls inside each flash text, so a text copied as
// a string where the whole array is due shows). None reaches 0x40, so no double or float made
// of them is a NaN that a copy might alter.
Bytes Pattern(std::size_t size, int seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = i % 13 == 5 ? 0 : 1 + (i + seed) % 61;
  return bytes;
}

// The aligned image of a packed record, its padding filled with `fill`.
Bytes Spread(const Bytes& packed, const std::vector<Gap>& gaps, uint8_t fill) {
  Bytes aligned;
  std::size_t from = 0;
  for (const Gap& gap : gaps) {
    aligned.insert(aligned.end(), packed.begin() + from, packed.begin() + gap.packedOffset);
    aligned.insert(aligned.end(), gap.width, fill);
    from = gap.packedOffset;
  }
  aligned.insert(aligned.end(), packed.begin() + from, packed.end());
  return aligned;
}

Bytes WithWord(Bytes record, std::size_t offset, std::size_t word) {
  const auto w = static_cast<uint16_t>(word);
  std::memcpy(record.data() + offset, &w, sizeof w);
  return record;
}

std::string NameOf(const testing::TestParamInfo<Conversion>& info) { return info.param.name; }

class AnyConversion : public testing::TestWithParam<Conversion> {};

TEST_P(AnyConversion, ReturnsExactlyOneForEveryNonZeroResultAndLeavesTheRecordOnFailure) {
  const Conversion& c = GetParam();
  for (int32_t result : {1, 2, 0x100, 0x12345678, -1, 0}) {
    FakeUsb3000 module;
    module.result = result;
    module.answer = [&](uint8_t* packed) { std::memset(packed, 0x55, c.packedSize); };
    Bytes record = Spread(Pattern(c.packedSize, 3), c.gaps, kUntouched);
    const Bytes before = record;

    EXPECT_EQ(c.call(&module, record.data()), result != 0) << "module result " << result;
    ASSERT_EQ(module.calls.size(), 1u);
    EXPECT_EQ(module.calls[0].slot, c.slot);
    if (result == 0) {
      EXPECT_EQ(record, before);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllSeven, AnyConversion,
                         testing::Values(kGetInputPars, kSetInputPars, kGetOutputPars,
                                         kSetOutputPars, kPutFlash, kGetFlash, kGetDspInfo),
                         NameOf);

class ReadConversion : public testing::TestWithParam<Conversion> {};

TEST_P(ReadConversion, AsksWithAZeroedSizedRecordAndDeliversEveryByteAtItsAlignedPlace) {
  const Conversion& c = GetParam();
  const Bytes answer = Pattern(c.packedSize, 1);
  FakeUsb3000 module;
  module.answer = [&](uint8_t* packed) { std::memcpy(packed, answer.data(), answer.size()); };
  Bytes record(AlignedSize(c), kUntouched);

  ASSERT_EQ(c.call(&module, record.data()), 1);

  EXPECT_EQ(module.received, WithWord(Bytes(c.packedSize, 0), c.sizeOffset, c.packedSize));
  Bytes expected = WithWord(Spread(answer, c.gaps, kUntouched), c.sizeOffset, AlignedSize(c));
  for (std::size_t at : c.terminators) expected[at] = 0;
  EXPECT_EQ(record, expected);
}

INSTANTIATE_TEST_SUITE_P(GetRecords, ReadConversion,
                         testing::Values(kGetInputPars, kGetOutputPars, kGetFlash), NameOf);

class WriteConversion : public testing::TestWithParam<Conversion> {};

TEST_P(WriteConversion, HandsEveryFieldOverAndReturnsWhatTheModuleLeft) {
  const Conversion& c = GetParam();
  const Bytes given = Pattern(c.packedSize, 2), left = Pattern(c.packedSize, 40);
  FakeUsb3000 module;
  module.answer = [&](uint8_t* packed) { std::memcpy(packed, left.data(), left.size()); };
  Bytes record = Spread(given, c.gaps, kUntouched);

  ASSERT_EQ(c.call(&module, record.data()), 1);

  EXPECT_EQ(module.received, WithWord(given, c.sizeOffset, c.packedSize));
  EXPECT_EQ(record, WithWord(Spread(left, c.gaps, kUntouched), c.sizeOffset, AlignedSize(c)));
}

INSTANTIATE_TEST_SUITE_P(SetRecords, WriteConversion,
                         testing::Values(kSetInputPars, kSetOutputPars), NameOf);

// The module's copy of the contents may differ from what it stored; the caller keeps its own,
// texts unterminated, and learns only the checksum.
TEST(FlashConversion, PutHandsEverythingOverAndTakesBackOnlyChecksumAndSize) {
  const Bytes given = Pattern(256, 2);
  FakeUsb3000 module;
  module.answer = [](uint8_t* packed) {
    std::memset(packed, 0x33, 256);
    packed[0] = 0xEF;
    packed[1] = 0xBE;
  };
  Bytes record = Spread(given, kFlashGaps, kUntouched);

  ASSERT_EQ(wrPUT_FLASH_Usb3000(&module, reinterpret_cast<wrFLASH_USB3000*>(record.data())), 1);

  EXPECT_EQ(module.received, WithWord(given, 2, 256));
  EXPECT_EQ(record, WithWord(WithWord(Spread(given, kFlashGaps, kUntouched), 0, 0xBEEF), 2, 260));
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
