#include <cstdlib>
#include <cstring>
#include <string>

#include "SimTestSupport.h"
#include "sim/Usb3000Memory.h"

using sim::Bench;
using sim::ModuleKind;
using simtest::SimTest;

class BringUp : public SimTest {};

TEST_F(BringUp, LibrariesAnswerOnlyTheirOwnNameAndModulesOnlySlotZero) {
  EXPECT_EQ(CreateInstance("usb3000"), nullptr);
  EXPECT_EQ(RtCreateInstance("quev"), nullptr);
  IUsb3000Module* u = RtCreateInstance("usb3000");
  EXPECT_NE(u, RtCreateInstance("usb3000")) << "every call creates a new interface";

  Bench().SetPresent(ModuleKind::Quev, false);
  IQuevModule* m = CreateInstance("quev");
  ASSERT_NE(m, nullptr);
  EXPECT_FALSE(m->OpenDevice(0));
  EXPECT_FALSE(m->LOAD_BIOS(nullptr));
  Bench().SetPresent(ModuleKind::Quev, true);
  EXPECT_FALSE(m->OpenDevice(1));
  EXPECT_TRUE(m->OpenDevice(0)) << "a kept interface may be opened again";
  EXPECT_FALSE(m->MODULE_TEST()) << "no firmware answers before it is loaded";
  EXPECT_TRUE(m->LOAD_BIOS(nullptr));
  EXPECT_TRUE(m->MODULE_TEST());
  EXPECT_TRUE(m->STOP_READ()) << "stopping idle converters succeeds";
  EXPECT_TRUE(m->STOP_WRITE());
  ASSERT_TRUE(u->OpenDevice(0));
  EXPECT_TRUE(u->STOP_READ());
  EXPECT_TRUE(u->STOP_WRITE());
}

// QUEV_SIM_MODULES chooses which modules sit in slot 0 and whether the Quev module has its DAC,
// so that a station with one module or none can be tried by hand; a value it does not know is
// reported and both modules stay.
TEST_F(BringUp, EnvironmentChoosesTheModulesThatAnswer) {
  const struct {
    const char* chosen;  // QUEV_SIM_MODULES, or none
    bool quev, quevDac, usb3000, reported;
  } cases[] = {{nullptr, true, true, true, false},
               {"quev", true, true, false, false},
               {"usb3000", false, true, true, false},
               {"none", false, false, false, false},
               {"usb3000,quev-nodac", true, false, true, false},
               {"quev,usb3000", true, true, true, false},
               {"QUEV", true, true, true, true},
               {"quev,", true, true, true, true},
               {"quev,quev-nodac", true, true, true, true},
               {"none,usb3000", true, true, true, true},
               {"", true, true, true, true}};
  const char* saved = std::getenv("QUEV_SIM_MODULES");
  const std::string before = saved ? saved : "";
  for (const auto& c : cases) {
#ifdef _WIN32
    if (c.chosen && !*c.chosen) continue;  // Windows' C runtime removes a variable set empty
#endif
    const std::string name = c.chosen ? std::string("\"") + c.chosen + "\"" : "unset";
    simtest::SetVariable("QUEV_SIM_MODULES", c.chosen);
    testing::internal::CaptureStderr();
    Bench().Reset();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.find("QUEV_SIM_MODULES") != std::string::npos, c.reported) << name << report;
    IQuevModule* q = CreateInstance("quev");
    IUsb3000Module* u = RtCreateInstance("usb3000");
    ASSERT_TRUE(q && u);
    EXPECT_EQ(q->OpenDevice(0) != 0, c.quev) << name;
    EXPECT_EQ(u->OpenDevice(0) != 0, c.usb3000) << name;
    if (c.quev) {
      QUEV_FLASH flash{};
      flash.size = sizeof(flash);
      ASSERT_TRUE(q->LOAD_BIOS(nullptr) && q->GET_FLASH(&flash));
      EXPECT_EQ(flash.IsDacPresented == 1, c.quevDac) << name;
    }
  }
  simtest::SetVariable("QUEV_SIM_MODULES", saved ? before.c_str() : nullptr);
}

// A record handed over without its size word set is refused, so a caller that forgets it
// fails at once.
TEST_F(BringUp, RecordsAreReadOnlyWithTheirSizeWordSet) {
  IQuevModule* q = simtest::OpenQuev();
  IUsb3000Module* u = simtest::OpenUsb3000();
  ASSERT_TRUE(q && u);
  auto check = [](auto record, auto get) {
    EXPECT_FALSE(get(&record));
    record.size = sizeof(record);
    EXPECT_TRUE(get(&record));
    EXPECT_EQ(int{record.size}, static_cast<int>(sizeof(record)));
  };
  check(QUEV_FLASH{}, [q](QUEV_FLASH* r) { return q->GET_FLASH(r); });
  check(QUEV_INPUT_PARS{}, [q](QUEV_INPUT_PARS* r) { return q->GET_INPUT_PARS(r); });
  check(QUEV_OUTPUT_PARS{}, [q](QUEV_OUTPUT_PARS* r) { return q->GET_OUTPUT_PARS(r); });
  check(RTUSB3000::FLASH{}, [u](RTUSB3000::FLASH* r) { return u->GET_FLASH(r); });
  check(RTUSB3000::INPUT_PARS{}, [u](RTUSB3000::INPUT_PARS* r) { return u->GET_INPUT_PARS(r); });
  check(RTUSB3000::OUTPUT_PARS{}, [u](RTUSB3000::OUTPUT_PARS* r) { return u->GET_OUTPUT_PARS(r); });
}

TEST_F(BringUp, ParametersAreCheckedKeptAndTheRateWrittenBack) {
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
  QUEV_OUTPUT_PARS out{};
  out.size = sizeof(out);
  out.OutputRate = 0;
  EXPECT_FALSE(m->SET_OUTPUT_PARS(&out));

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

// What the station never calls but the flat-call library passes on.
TEST_F(BringUp, Usb3000MemoriesFlashAndTtlRoundTrip) {
  IUsb3000Module* m = simtest::OpenUsb3000();
  ASSERT_NE(m, nullptr);
  int16_t word = 0;
  EXPECT_TRUE(m->PUT_DM_WORD(0x1234, -7));
  EXPECT_TRUE(m->GET_DM_WORD(0x1234, &word));
  EXPECT_EQ(word, -7);
  EXPECT_TRUE(m->GET_VAR_WORD(0x1234, &word));
  EXPECT_EQ(word, 0) << "the spaces are separate";
  int32_t program[3] = {1, -2, 70000}, wrapped = 0;
  EXPECT_TRUE(m->PUT_PM_ARRAY(0xFFFF, 3, program));
  EXPECT_TRUE(m->GET_PM_WORD(1, &wrapped));
  EXPECT_EQ(wrapped, 70000) << "arrays wrap round the address space";

  uint16_t ttl = 0;
  m->TTL_OUT(0xA5);
  m->ENABLE_TTL_OUT(1);
  m->TTL_IN(&ttl);
  EXPECT_EQ(ttl, 0xA5);

  RTUSB3000::FLASH flash{};
  flash.size = sizeof(flash);
  ASSERT_TRUE(m->GET_FLASH(&flash));
  flash.Revision = 'B';
  EXPECT_FALSE(m->PUT_FLASH(&flash)) << "writing needs the flash enabled first";
  m->ENABLE_FLASH_WRITE(1);
  ASSERT_TRUE(m->PUT_FLASH(&flash));
  RTUSB3000::FLASH read{};
  read.size = sizeof(read);
  m->GET_FLASH(&read);
  EXPECT_EQ(read.Revision, 'B');
  EXPECT_EQ(uint16_t{read.CRC16}, sim::FlashCrc16(reinterpret_cast<uint8_t*>(&read) + 2, 254));

  char text[4];
  std::memset(text, 'x', sizeof(text));
  EXPECT_EQ(m->GetLastErrorString(text, 4), 3) << "at most the given size, terminator included";
  EXPECT_EQ(std::string(text), "No ");
}
