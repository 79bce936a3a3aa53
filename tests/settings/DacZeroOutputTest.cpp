#include <algorithm>

#include "BringUpFixture.h"
#include "platform/Events.h"

namespace {

class DacZeroOutput : public BringUpFixture {
protected:
    void SetUp() override {
        BringUpFixture::SetUp();
        Bench().SetPresent(ModuleKind::Usb3000, false);
    }
};

TEST_F(DacZeroOutput, PlaysOneFifoOfZerosAt125kHzAndTidiesUp) {
    CreateOptions();
    const QUEV_OUTPUT_PARS pars = Bench().LastQuevOutputPars();
    EXPECT_EQ(int{pars.size}, 15);
    EXPECT_EQ(double{pars.OutputRate}, 125.0);
    EXPECT_EQ(int{pars.OutputFifoBaseAddress}, 3000);
    EXPECT_EQ(int{pars.OutputFifoLength}, 4032);
    const auto words = Bench().DacWords(ModuleKind::Quev, 0);
    EXPECT_EQ(words.size(), 4032u);
    EXPECT_TRUE(std::all_of(words.begin(), words.end(), [](uint16_t w) { return w == 0; }));

    const auto calls = Bench().CallLog(ModuleKind::Quev, 0);
    const auto at = [&](const char* op) { return std::find(calls.begin(), calls.end(), op) - calls.begin(); };
    EXPECT_LT(at("SET_OUTPUT_PARS"), at("START_WRITE"));
    EXPECT_LT(at("START_WRITE"), at("WriteData"));
    EXPECT_LT(at("WriteData"), at("STOP_WRITE"));
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "WriteData"), 1);

    EXPECT_EQ(TransferState.IoTimeout, 50);
    EXPECT_EQ(BlockRing.DacBlockSize, 4032) << "the count goes by reference and comes back unchanged";
    EXPECT_EQ(TransferState.DacEvent, nullptr);
    EXPECT_TRUE(DacPlayback.DacOutBuffer.empty());
    EXPECT_EQ(Log(), std::vector<std::string>{kQuevLine});
    EXPECT_EQ(form->ShapeADC->Hint(), "Обнаружен модуль Quev, S/N:Q0000001");
    EXPECT_EQ(form->ShapeDAC->Hint(), "Обнаружен интегрированный 2-х канальный ЦАП.");
}

// The box, flags and release are checked with the other failing steps.
TEST_F(DacZeroOutput, AStalledBlockFailsAfterFiftyMillisecondsWithoutStopping) {
    Bench().StallAfter(ModuleKind::Quev, sim::Direction::Write, 0);
    const uint32_t start = platform::GetTickCount();
    CreateOptions();
    EXPECT_EQ(platform::GetTickCount() - start, 50u);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "STOP_WRITE"), 0);
    EXPECT_TRUE(DacPlayback.DacOutBuffer.empty());
}

}  // namespace
