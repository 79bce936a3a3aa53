#include <cstring>
#include <string>

#include "SimTestSupport.h"
#include "sim/Usb3000Memory.h"

using sim::Bench;
using sim::ModuleKind;
using simtest::SimTest;

class BringUp : public SimTest {};

TEST_F(BringUp, HealthyQuevAnswersEveryStep) {
  EXPECT_EQ(GetDllVersion(), 0x20000u);
  EXPECT_EQ(CreateInstance("usb3000"), nullptr);
  IQuevModule* m = CreateInstance("quev");
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->OpenDevice(0));
  char name[256] = {};
  ASSERT_TRUE(m->GetModuleName(name));
  EXPECT_STREQ(name, "Quev");
  EXPECT_FALSE(m->MODULE_TEST()) << "no firmware answers before it is loaded";
  EXPECT_TRUE(m->LOAD_BIOS(nullptr));
  EXPECT_TRUE(m->MODULE_TEST());
  uint32_t lbios = 0;
  EXPECT_TRUE(m->GET_LBIOS_VERSION(&lbios));
  EXPECT_EQ(lbios, 0x20000u);

  QUEV_FLASH flash{};
  EXPECT_FALSE(m->GET_FLASH(&flash)) << "a record without its size is refused";
  flash.size = sizeof(flash);
  ASSERT_TRUE(m->GET_FLASH(&flash));
  EXPECT_STREQ(flash.SerialNumber, "Q0000001");
  EXPECT_EQ(flash.IsDacPresented, 1);

  QUEV_INPUT_PARS in{};
  in.size = sizeof(in);
  ASSERT_TRUE(m->GET_INPUT_PARS(&in));
  EXPECT_EQ(uint16_t{in.InputFifoLength}, 3072);
  QUEV_OUTPUT_PARS out{};
  out.size = sizeof(out);
  ASSERT_TRUE(m->GET_OUTPUT_PARS(&out));
  EXPECT_EQ(double{out.OutputRate}, 125.0);
  EXPECT_EQ(uint16_t{out.OutputFifoBaseAddress}, 3000);
  EXPECT_EQ(uint16_t{out.OutputFifoLength}, 4032);
  EXPECT_TRUE(m->STOP_READ()) << "stopping an idle ADC succeeds";
  EXPECT_TRUE(m->STOP_WRITE());
  EXPECT_TRUE(m->ReleaseDevice());
}

TEST_F(BringUp, HealthyUsb3000AnswersEveryStep) {
  EXPECT_EQ(RtGetDllVersion(), 0x10004u);
  EXPECT_EQ(RtCreateInstance("quev"), nullptr);
  IUsb3000Module* m = RtCreateInstance("usb3000");
  ASSERT_NE(m, nullptr);
  EXPECT_NE(m, RtCreateInstance("usb3000")) << "every call creates a new interface";
  EXPECT_TRUE(m->OpenDevice(0));
  uint8_t speed = 9;
  EXPECT_TRUE(m->GetUsbSpeed(&speed));
  EXPECT_EQ(speed, 1);
  char serial[16] = {}, avr[16] = {};
  EXPECT_TRUE(m->GetModuleSerialNumber(serial));
  EXPECT_STREQ(serial, "U0000001");
  EXPECT_TRUE(m->GetAvrVersion(avr));
  EXPECT_STREQ(avr, "1.00");
  EXPECT_TRUE(m->LOAD_DSP(nullptr));
  EXPECT_TRUE(m->MODULE_TEST());
  RTUSB3000::DSP_INFO dsp{};
  ASSERT_TRUE(m->GET_DSP_INFO(&dsp));
  EXPECT_EQ(dsp.DspMajor, 1);
  EXPECT_EQ(dsp.DspMinor, 0);

  RTUSB3000::FLASH flash{};
  flash.size = sizeof(flash);
  ASSERT_TRUE(m->GET_FLASH(&flash));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(flash.Name)), "USB3000");
  EXPECT_EQ(float{flash.AdcScaleCoef[3]}, 1.0f);
  EXPECT_EQ(float{flash.AdcOffsetCoef[3]}, 0.0f);
  EXPECT_EQ(uint16_t{flash.CRC16}, sim::FlashCrc16(reinterpret_cast<uint8_t*>(&flash) + 2, 254));

  RTUSB3000::INPUT_PARS in{};
  in.size = 435;
  EXPECT_FALSE(m->GET_INPUT_PARS(&in));
  in.size = sizeof(in);
  EXPECT_TRUE(m->GET_INPUT_PARS(&in));
  RTUSB3000::OUTPUT_PARS out{};
  out.size = sizeof(out);
  EXPECT_TRUE(m->GET_OUTPUT_PARS(&out));
  EXPECT_TRUE(m->STOP_READ());
  EXPECT_TRUE(m->ReleaseDevice());
}

TEST_F(BringUp, OverridesChangeTheAnswers) {
  Bench().SetDllVersion(ModuleKind::Usb3000, 0x10003);
  Bench().SetModuleName(ModuleKind::Quev, "QuevX");
  Bench().SetSerialNumber(ModuleKind::Quev, "Q7");
  Bench().SetDacFitted(ModuleKind::Quev, false);
  Bench().SetLbiosVersion(0x10000);
  Bench().SetUsbSpeed(0);
  Bench().SetSerialNumber(ModuleKind::Usb3000, "ABCDEFGHIJKL");
  EXPECT_EQ(RtGetDllVersion(), 0x10003u);
  IQuevModule* q = simtest::OpenQuev();
  ASSERT_NE(q, nullptr);
  char name[256] = {};
  q->GetModuleName(name);
  EXPECT_STREQ(name, "QuevX");
  uint32_t lbios = 0;
  q->GET_LBIOS_VERSION(&lbios);
  EXPECT_EQ(lbios, 0x10000u);
  QUEV_FLASH flash{};
  flash.size = sizeof(flash);
  ASSERT_TRUE(q->GET_FLASH(&flash));
  EXPECT_STREQ(flash.SerialNumber, "Q7");
  EXPECT_EQ(flash.IsDacPresented, 0);
  QUEV_OUTPUT_PARS out{};
  out.size = sizeof(out);
  EXPECT_FALSE(q->GET_OUTPUT_PARS(&out)) << "no DAC, no DAC parameters";

  IUsb3000Module* u = simtest::OpenUsb3000();
  ASSERT_NE(u, nullptr);
  uint8_t speed = 1;
  u->GetUsbSpeed(&speed);
  EXPECT_EQ(speed, 0);
  char serial[16];
  std::memset(serial, 'x', sizeof(serial));
  u->GetModuleSerialNumber(serial);
  EXPECT_EQ(std::string(serial, 10), "ABCDEFGHIx") << "a full field comes without terminator";
}

TEST_F(BringUp, AbsentModuleRefusesToOpenButMayBeOpenedLater) {
  Bench().SetPresent(ModuleKind::Quev, false);
  IQuevModule* m = CreateInstance("quev");
  ASSERT_NE(m, nullptr);
  EXPECT_FALSE(m->OpenDevice(0));
  EXPECT_FALSE(m->LOAD_BIOS(nullptr));
  Bench().SetPresent(ModuleKind::Quev, true);
  EXPECT_FALSE(m->OpenDevice(1)) << "only virtual slot 0 holds a module";
  EXPECT_TRUE(m->OpenDevice(0));
}

TEST_F(BringUp, ParametersAreKeptCheckedAndWrittenBack) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_NE(m, nullptr);
  QUEV_INPUT_PARS p{};
  p.size = sizeof(p);
  ASSERT_TRUE(m->GET_INPUT_PARS(&p));
  p.ChannelsQuantity = 4;
  p.InputRate = 500.0;
  p.Reserved4[3] = 0x5A;
  ASSERT_TRUE(m->SET_INPUT_PARS(&p));
  EXPECT_EQ(double{p.InputRate}, 400.0) << "the module's limit is written back";
  EXPECT_EQ(double{Bench().LastQuevInputPars().InputRate}, 500.0) << "the log keeps what was asked";
  QUEV_INPUT_PARS again{};
  again.size = sizeof(again);
  ASSERT_TRUE(m->GET_INPUT_PARS(&again));
  EXPECT_EQ(uint16_t{again.ChannelsQuantity}, 4);
  EXPECT_EQ(again.Reserved4[3], 0x5A) << "bytes the module does not use go back unchanged";

  for (double bad : {0.0, -5.0, std::nan("")}) {
    p.InputRate = bad;
    EXPECT_FALSE(m->SET_INPUT_PARS(&p)) << bad;
  }
  p.InputRate = 5.0;
  p.ChannelsQuantity = 17;
  EXPECT_FALSE(m->SET_INPUT_PARS(&p));

  Bench().SetRateWriteBack(ModuleKind::Quev, 4.5);
  p.ChannelsQuantity = 2;
  ASSERT_TRUE(m->SET_INPUT_PARS(&p));
  EXPECT_EQ(double{p.InputRate}, 4.5);

  IUsb3000Module* u = simtest::OpenUsb3000();
  RTUSB3000::INPUT_PARS up{};
  up.size = sizeof(up);
  ASSERT_TRUE(u->GET_INPUT_PARS(&up));
  up.ChannelsQuantity = 4;
  up.InputRate = 200.0;
  ASSERT_TRUE(u->SET_INPUT_PARS(&up));
  EXPECT_EQ(double{up.ChannelRate}, 50.0);
}

TEST_F(BringUp, Usb3000MemoriesFlashAndTtlRoundTrip) {
  IUsb3000Module* m = simtest::OpenUsb3000();
  ASSERT_NE(m, nullptr);
  int16_t word = 0;
  EXPECT_TRUE(m->PUT_DM_WORD(0x1234, -7));
  EXPECT_TRUE(m->GET_DM_WORD(0x1234, &word));
  EXPECT_EQ(word, -7);
  EXPECT_TRUE(m->GET_VAR_WORD(0x1234, &word));
  EXPECT_EQ(word, 0) << "the spaces are separate";
  int32_t program[3] = {1, -2, 70000}, back[3] = {};
  EXPECT_TRUE(m->PUT_PM_ARRAY(0xFFFF, 3, program));
  EXPECT_TRUE(m->GET_PM_ARRAY(0xFFFF, 3, back));
  EXPECT_EQ(back[2], 70000);
  int32_t wrapped = 0;
  EXPECT_TRUE(m->GET_PM_WORD(1, &wrapped));
  EXPECT_EQ(wrapped, 70000) << "arrays wrap round the address space";

  uint16_t ttl = 0;
  m->TTL_OUT(0xA5);
  m->TTL_IN(&ttl);
  EXPECT_EQ(ttl, 0);
  m->ENABLE_TTL_OUT(1);
  m->TTL_IN(&ttl);
  EXPECT_EQ(ttl, 0xA5);

  RTUSB3000::FLASH flash{};
  flash.size = sizeof(flash);
  ASSERT_TRUE(m->GET_FLASH(&flash));
  flash.Revision = 'B';
  EXPECT_FALSE(m->PUT_FLASH(&flash)) << "writing needs the flash enabled first";
  m->ENABLE_FLASH_WRITE(1);
  flash.CRC16 = 0;
  ASSERT_TRUE(m->PUT_FLASH(&flash));
  EXPECT_EQ(uint16_t{flash.CRC16}, sim::FlashCrc16(reinterpret_cast<uint8_t*>(&flash) + 2, 254));
  RTUSB3000::FLASH read{};
  read.size = sizeof(read);
  m->GET_FLASH(&read);
  EXPECT_EQ(read.Revision, 'B');

  char text[4];
  std::memset(text, 'x', sizeof(text));
  EXPECT_EQ(m->GetLastErrorString(text, 4), 3);
  EXPECT_EQ(std::string(text), "No ");
}
