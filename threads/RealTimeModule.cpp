#include "threads/RealTimeModule.h"

#include <optional>

#include "analysis/RealTimeRing.h"
#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "state/State.h"
#include "threads/AdcRecording.h"

namespace {

using bringup::Succeeded;

template <class Module>
bool Read(Module* module, int16_t* buffer, uint32_t* count, TransferQueue::Slot& slot) {
    return Succeeded(module->ReadData(buffer, count, &slot.BytesDone, &slot.Overlapped));
}

const RealTimeModule kQuev = {
    adc::Module::Quev,
    ring::QuevBlockSize,
    QuevMvPerCode,
    "Не могу остановить Quev АЦП!",
    "Ошибка ввода данных с АЦП!",
    [] { return Succeeded(ModuleState.QuevModule->STOP_READ()); },
    [](double rateKHz, int channels, int rangeCode) {
        adc::FillQuevInputPars(ModuleState.QuevAdcPars, rateKHz, channels, rangeCode);
        return Succeeded(ModuleState.QuevModule->SET_INPUT_PARS(&ModuleState.QuevAdcPars));
    },
    [] { return Succeeded(ModuleState.QuevModule->START_READ()); },
    [](int16_t* buffer, uint32_t* count, TransferQueue::Slot& slot) {
        return Read(ModuleState.QuevModule, buffer, count, slot);
    },
    ReleaseQuevModule,
    [] { return ModuleState.QuevAdcPars.InputFifoLength; },
};

const RealTimeModule kUsb3000 = {
    adc::Module::Usb3000,
    ring::Usb3000BlockSize,
    [](int) { return kUsb3000MvPerCode; },
    "Не могу остановить USB3000 АЦП!",
    "Ошибка ввода данных с АЦП! 1",
    [] { return Succeeded(ModuleState.Usb3000Module->STOP_READ()); },
    [](double rateKHz, int channels, int) {
        adc::FillUsb3000InputPars(ModuleState.Usb3000InputPars, rateKHz, channels);
        return Succeeded(ModuleState.Usb3000Module->SET_INPUT_PARS(&ModuleState.Usb3000InputPars));
    },
    [] { return Succeeded(ModuleState.Usb3000Module->START_READ()); },
    [](int16_t* buffer, uint32_t* count, TransferQueue::Slot& slot) {
        return Read(ModuleState.Usb3000Module, buffer, count, slot);
    },
    ReleaseUsb3000Module,
    [] { return ModuleState.Usb3000InputPars.InputFifoLength; },
};

} // namespace

const RealTimeModule* ReadyRealTimeModule() {
    const std::optional<adc::Module> module = adc::AcquisitionPageModule();
    if (module == adc::Module::Usb3000 && ModuleState.Usb3000Module != nullptr) return &kUsb3000;
    if (module == adc::Module::Quev && ModuleState.QuevModule != nullptr) return &kQuev;
    return nullptr;
}
