#include "settings/BringUpQuevDac.h"

#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "ui/MessageFlags.h"
#include "state/State.h"
#include "state/Transfer.h"

namespace {

constexpr int32_t kTestWords = 4032;  // the whole output FIFO
constexpr double kTestRateKHz = 125.0;
constexpr uint16_t kFifoBase = 3000;
constexpr int32_t kTestTimeoutMs = 50;

// The module is released before the event closes and the buffer goes, so that nothing the
// module still holds points at them.
bool Fail(const char* message, int flags) {
    bringup::ShowError(message, flags);
    AbandonQuevBringUp();
    CloseTransfer(TransferState.DacEvent);
    DacPlayback.DacOutBuffer.clear();
    return false;
}

}  // namespace

bool RunDacZeroOutputTest(IQuevModule& module, std::string& line) {
    DacPlayback.DacOutBuffer.assign(kTestWords, 0);
    ModuleState.QuevDacPars.OutputRate = kTestRateKHz;
    ModuleState.QuevDacPars.OutputFifoLength = kTestWords;
    ModuleState.QuevDacPars.OutputFifoBaseAddress = kFifoBase;
    if (!bringup::Succeeded(module.SET_OUTPUT_PARS(&ModuleState.QuevDacPars))) {
        return Fail("Не могу передать параметры ЦАП!", ui::MB_ICONINFORMATION);
    }
    line += ",  ЦАП";

    OpenTransfer(TransferState.DacEvent, TransferState.DacOverlapped);
    TransferState.IoTimeout = kTestTimeoutMs;
    BlockRing.DacBlockSize = kTestWords;
    TransferState.DacBytesDone = 0;
    if (!bringup::Succeeded(module.START_WRITE())) return Fail("Не могу запустить ЦАП!", ui::MB_OK);

    // The count is the window's own block size, passed by reference as every writer does.
    module.WriteData(DacPlayback.DacOutBuffer.data(), reinterpret_cast<uint32_t*>(&BlockRing.DacBlockSize),
                     &TransferState.DacBytesDone, &TransferState.DacOverlapped);
    if (!TransferCompleted(TransferState.DacEvent, static_cast<uint32_t>(TransferState.IoTimeout))) {
        return Fail("Ошибка вывода данных с ЦАП!", ui::MB_OK);
    }
    if (!bringup::Succeeded(module.STOP_WRITE())) return Fail("Не могу остановить ЦАП!", ui::MB_OK);
    CloseTransfer(TransferState.DacEvent);
    DacPlayback.DacOutBuffer.clear();
    return true;
}
