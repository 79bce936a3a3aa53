#include "threads/AdcRecording.h"

#include <cmath>
#include <new>
#include <stdexcept>

#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "state/State.h"
#include "state/Transfer.h"
#include "ui/MessageFlags.h"

namespace adc {

namespace {

// Samples one long block holds at most, in thousands (2^20 samples).
constexpr double kLongBlockThousands = 1048.576;

// What differs between the two modules in a blocking recording.
struct ModuleOps {
    const char* stopFailure;
    // The module's own steps; each true when the module accepted it.
    bool (*setInputPars)();
    bool (*startRead)();
    bool (*stopRead)();
    bool (*readData)(int16_t* buffer, uint32_t* count);
    void (*release)();
    // The rate the block time-out is computed from, read before or after SET_INPUT_PARS.
    double (*inputRate)();
    bool timeoutFromModuleRate;
};

const ModuleOps kQuevOps = {
    "Не могу остановить АЦП!",
    [] { return bringup::Succeeded(ModuleState.QuevModule->SET_INPUT_PARS(&ModuleState.QuevAdcPars)); },
    [] { return bringup::Succeeded(ModuleState.QuevModule->START_READ()); },
    [] { return bringup::Succeeded(ModuleState.QuevModule->STOP_READ()); },
    [](int16_t* buffer, uint32_t* count) {
        return bringup::Succeeded(ModuleState.QuevModule->ReadData(
            buffer, count, &TransferState.AdcBytesDone, &TransferState.AdcOverlapped));
    },
    ReleaseQuevModule,
    [] { return static_cast<double>(ModuleState.QuevAdcPars.InputRate); },
    true,
};

const ModuleOps kUsb3000Ops = {
    "Не могу остановить USB3000 АЦП!",
    [] { return bringup::Succeeded(ModuleState.Usb3000Module->SET_INPUT_PARS(&ModuleState.Usb3000InputPars)); },
    [] { return bringup::Succeeded(ModuleState.Usb3000Module->START_READ()); },
    [] { return bringup::Succeeded(ModuleState.Usb3000Module->STOP_READ()); },
    [](int16_t* buffer, uint32_t* count) {
        return bringup::Succeeded(ModuleState.Usb3000Module->ReadData(
            buffer, count, &TransferState.AdcBytesDone, &TransferState.AdcOverlapped));
    },
    ReleaseUsb3000Module,
    [] { return static_cast<double>(ModuleState.Usb3000InputPars.InputRate); },
    false,
};

// Ends a recording that failed: event closed, the box, the module let go.
bool Abandon(const ModuleOps& ops, const char* text, int flags) {
    CloseTransfer(TransferState.AdcEvent);
    bringup::ShowError(text, flags);
    ops.release();
    return false;
}

}  // namespace

std::optional<Module> AcquisitionPageModule() {
    if (ModuleState.Usb3000Present != 0) return Module::Usb3000;
    if (ModuleState.QuevPresent != 0) return Module::Quev;
    return std::nullopt;
}

uint16_t QuevControlWord(int channel, int rangeCode) {
    return static_cast<uint16_t>(((15 - channel) & 0x0F) | ((rangeCode & 0x03) << 6));
}

void FillQuevInputPars(QUEV_INPUT_PARS& pars, double rateKHz, int channels, int rangeCode) {
    pars.CorrectionEnabled = 1;
    pars.InterKadrDelay = 0.0025;
    pars.ChannelsQuantity = static_cast<uint16_t>(channels);
    pars.InputRate = rateKHz;
    for (int i = 0; i < channels && i < 16; ++i) pars.ControlTable[i] = QuevControlWord(i, rangeCode);
    for (int i = 0; i < 8; ++i) pars.AdcCalibration[i] = ModuleState.QuevFlash.AdcCalibration[i];
}

void FillUsb3000InputPars(RTUSB3000::INPUT_PARS& pars, double rateKHz, int channels) {
    pars.CorrectionEnabled = -1;
    pars.InputRate = rateKHz;
    pars.ChannelsQuantity = static_cast<uint16_t>(channels);
    pars.InterKadrDelay = 0.0;
    for (int i = 0; i < 8; ++i) {
        pars.AdcOffsetCoef[i] = static_cast<double>(ModuleState.Usb3000Flash.AdcOffsetCoef[i]);
        pars.AdcScaleCoef[i] = static_cast<double>(ModuleState.Usb3000Flash.AdcScaleCoef[i]);
    }
    for (int i = 0; i < channels && i < 16; ++i) pars.ControlTable[i] = static_cast<uint16_t>(i);
}

BlockGeometry LongGeometry(double rateKHz, double seconds, int quantum) {
    const double thousands = rateKHz * seconds;
    BlockGeometry geometry;
    if (!(thousands > 0) || !std::isfinite(thousands) || quantum <= 0) return geometry;
    geometry.blocks = static_cast<int32_t>(std::trunc(thousands / kLongBlockThousands) + 1);
    const double quantumThousands = quantum / 1000.0;
    geometry.blockSize =
        quantum * static_cast<int32_t>(std::trunc(thousands / quantumThousands / geometry.blocks + 1));
    return geometry;
}

int32_t BlockTimeoutMs(int32_t blockSize, double rateKHz) {
    if (!(rateKHz > 0) || !std::isfinite(rateKHz)) return 1000;
    return static_cast<int32_t>(std::trunc(blockSize / rateKHz + 1000));
}

bool ReadBlocks(const BlockingRead& read) {
    const ModuleOps& ops = read.module == Module::Quev ? kQuevOps : kUsb3000Ops;
    if (!ops.timeoutFromModuleRate) TransferState.IoTimeout = BlockTimeoutMs(read.blockSize, ops.inputRate());
    if (!ops.setInputPars()) return Abandon(ops, "Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION);
    OpenTransfer(TransferState.AdcEvent, TransferState.AdcOverlapped);
    if (ops.timeoutFromModuleRate) TransferState.IoTimeout = BlockTimeoutMs(read.blockSize, ops.inputRate());
    if (!ops.startRead()) return Abandon(ops, "Не могу запустить АЦП!", 0);
    TransferState.AdcBytesDone = 0;
    // The module takes the count by reference; it stays valid for the whole recording.
    uint32_t count = static_cast<uint32_t>(read.blockSize);
    for (int32_t b = 0; b < read.blocks; ++b) {
        ops.readData(read.buffer + static_cast<int64_t>(b) * read.blockSize, &count);
        if (!TransferCompleted(TransferState.AdcEvent, static_cast<uint32_t>(TransferState.IoTimeout))) {
            return Abandon(ops, "Ошибка ввода данных с АЦП!", 0);
        }
    }
    if (!ops.stopRead()) return Abandon(ops, ops.stopFailure, 0);
    SampleData.DataTime = platform::Now();
    CloseTransfer(TransferState.AdcEvent);
    return true;
}

bool SizeSampleBuffer(int64_t samples) {
    std::vector<int16_t>().swap(SampleData.SampleBuffer);
    try {
        if (samples < 0) throw std::length_error("negative size");
        SampleData.SampleBuffer.resize(static_cast<size_t>(samples));
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    std::vector<int16_t>().swap(SampleData.SampleBuffer);
    SampleData.SampleCount = 0;
    SampleData.FrameCount = 0;
    bringup::ShowError("Недостаточно памяти для сбора данных!", 0);
    return false;
}

std::string RecordingSummary(const char* gainKey, int gain, int32_t blocks) {
    using platform::IntToStr;
    return "LONG,  Сбор данных  " + platform::DateTimeToStr(SampleData.DataTime) +
           ",  Q=" + platform::FloatToStr(SampleData.DataRate) + "кГц,  N=" + IntToStr(SampleData.DataChannels) +
           ",  " + gainKey + "=" + IntToStr(gain) + ",  NB=" + IntToStr(blocks) +
           ",  RBA=" + IntToStr(BlockRing.BlockSize) + ",  ND=" + IntToStr(SampleData.SampleCount) +
           ",  NK=" + IntToStr(SampleData.FrameCount);
}

}  // namespace adc
