// The bench build streams blocks from a module whose driver signals the system's events: the
// vendor library is found by its name (Lusbapi.dll beside the tests: the driver stand-in of this
// folder), and the station's block-transfer waits take its blocks in order.

#include <gtest/gtest.h>

#include <vector>

#include "settings/VendorLibraries.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "threads/AdcRecording.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"

namespace {

constexpr int32_t kBlockSize = 4096;
constexpr uint32_t kTimeoutMs = 1000;

// Whether block `block` holds the driver's samples of its block read number `read`.
::testing::AssertionResult HoldsRead(const int16_t* block, int read) {
    for (int32_t k = 0; k < kBlockSize; ++k) {
        if (block[k] != static_cast<int16_t>(read * 1000 + k % 1000)) {
            return ::testing::AssertionFailure() << "sample " << k << " of read " << read << " is " << block[k];
        }
    }
    return ::testing::AssertionSuccess();
}

class DriverStreaming : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application.SetFrontEnd(&frontEnd);
        ASSERT_EQ(vendor::GetDllVersion(), 0x20000u);
        ModuleState.QuevModule = vendor::CreateInstance("quev");
        ASSERT_NE(ModuleState.QuevModule, nullptr);
    }
    void TearDown() override {
        if (ModuleState.QuevModule != nullptr) ModuleState.QuevModule->ReleaseDevice();
        ModuleState.QuevModule = nullptr;
        ui::Application.SetFrontEnd(nullptr);
        EXPECT_TRUE(frontEnd.Messages().empty());
    }

    ui::ScriptedFrontEnd frontEnd;
};

// The blocking recording: each block queued on the one transfer event and awaited before the next.
TEST_F(DriverStreaming, BlockingRecordingTakesEveryBlockInOrder) {
    ModuleState.QuevAdcPars.InputRate = 100.0;
    std::vector<int16_t> buffer(4 * kBlockSize);
    ASSERT_TRUE(adc::ReadBlocks({adc::Module::Quev, 4, kBlockSize, buffer.data()}));
    for (int b = 0; b < 4; ++b) EXPECT_TRUE(HoldsRead(buffer.data() + b * kBlockSize, b));
    EXPECT_EQ(TransferState.AdcEvent, nullptr);
}

// Real-time streaming: two blocks in flight, each completed on its own record and event; with
// nothing in flight the system's wait times out.
TEST_F(DriverStreaming, QueuedBlocksCompleteOnTheirOwnRecordsAndEvents) {
    constexpr int kBlocks = 6;
    std::vector<std::vector<int16_t>> blocks(kBlocks, std::vector<int16_t>(kBlockSize));
    uint32_t count = kBlockSize;
    TransferQueue queue;
    queue.Open(2);
    int queued = 0;
    for (int awaited = 0; awaited < kBlocks; ++awaited) {
        for (TransferQueue::Slot* slot; queued < kBlocks && (slot = queue.Next()) != nullptr; ++queued) {
            ASSERT_EQ(ModuleState.QuevModule->ReadData(blocks[queued].data(), &count, &slot->BytesDone,
                                                       &slot->Overlapped),
                      1);
            queue.Queued();
        }
        ASSERT_TRUE(queue.AwaitOldest(kTimeoutMs)) << "block " << awaited;
        EXPECT_TRUE(HoldsRead(blocks[awaited].data(), awaited));
    }

    platform::Event idle = nullptr;
    OverlappedRecord record{};
    OpenTransfer(idle, record);
    ASSERT_NE(idle, nullptr);
    EXPECT_FALSE(TransferCompleted(idle, 20));
    CloseTransfer(idle);
    queue.Close();
}

} // namespace
