#include "threads/PlayModule.h"

#include <algorithm>

#include "settings/BringUp.h"
#include "state/State.h"

namespace {

// What differs between the two modules; the operations themselves share their names.
template <class Interface>
struct Module;

template <>
struct Module<IQuevModule> {
    static constexpr DacWordFormat kFormat = DacWordFormat::Quev;
    static double MillivoltsPerCode(int rangeCode) { return QuevMvPerCode(rangeCode); }
    static constexpr bool kReadsAhead = false;
    static constexpr const char* kStopRead = "Не могу остановить АЦП!";
    static constexpr const char* kStopWrite = "Не могу остановить ЦАП!";
    // Only the low byte of the Quev library's booleans counts.
    static bool Succeeded(int32_t result) { return static_cast<uint8_t>(result) != 0; }
    static QUEV_OUTPUT_PARS& OutputPars() { return ModuleState.QuevDacPars; }
    static QUEV_INPUT_PARS& InputPars(uint8_t channels, double rateKHz, uint8_t gain) {
        QUEV_INPUT_PARS& pars = ModuleState.QuevAdcPars;
        pars.CorrectionEnabled = 1;
        pars.InterKadrDelay = 0.0025;
        pars.ChannelsQuantity = channels;
        pars.InputRate = rateKHz;
        // Logical channel i reads input 15 - i at the data's range.
        for (uint16_t i = 0; i < channels; ++i) pars.ControlTable[i] = static_cast<uint16_t>((15 - i) | (gain << 6));
        std::copy(std::begin(ModuleState.QuevFlash.AdcCalibration), std::end(ModuleState.QuevFlash.AdcCalibration),
                  pars.AdcCalibration);
        return pars;
    }
    static void Release() { ReleaseQuevModule(); }
};

template <>
struct Module<IUsb3000Module> {
    static constexpr DacWordFormat kFormat = DacWordFormat::Usb3000;
    static double MillivoltsPerCode(int) { return kUsb3000MvPerCode; }
    static constexpr bool kReadsAhead = true;
    static constexpr const char* kStopRead = "Не могу остановить USB3000 АЦП!";
    static constexpr const char* kStopWrite = "Не могу остановить USB3000 ЦАП!";
    static bool Succeeded(int32_t result) { return result != 0; }
    static RTUSB3000::OUTPUT_PARS& OutputPars() { return ModuleState.Usb3000OutputPars; }
    static RTUSB3000::INPUT_PARS& InputPars(uint8_t channels, double rateKHz, uint8_t) {
        RTUSB3000::INPUT_PARS& pars = ModuleState.Usb3000InputPars;
        pars.CorrectionEnabled = -1;
        pars.InputRate = rateKHz;
        pars.ChannelsQuantity = channels;
        pars.InterKadrDelay = 0.0;
        std::copy(std::begin(ModuleState.Usb3000Flash.AdcOffsetCoef), std::end(ModuleState.Usb3000Flash.AdcOffsetCoef),
                  pars.AdcOffsetCoef);
        std::copy(std::begin(ModuleState.Usb3000Flash.AdcScaleCoef), std::end(ModuleState.Usb3000Flash.AdcScaleCoef),
                  pars.AdcScaleCoef);
        for (uint16_t i = 0; i < channels; ++i) pars.ControlTable[i] = i;
        return pars;
    }
    static void Release() { ReleaseUsb3000Module(); }
};

template <class Interface>
class ModulePlay final : public PlayModule {
    using M = Module<Interface>;

public:
    explicit ModulePlay(Interface& module) : module_(module) {}

    DacWordFormat Format() const override { return M::kFormat; }
    double MillivoltsPerCode(int rangeCode) const override { return M::MillivoltsPerCode(rangeCode); }
    bool ReadsAhead() const override { return M::kReadsAhead; }
    const char* StopReadFailure() const override { return M::kStopRead; }
    const char* StopWriteFailure() const override { return M::kStopWrite; }

    bool SetInputPars(uint8_t channels, double rateKHz, uint8_t gain) override {
        return M::Succeeded(module_.SET_INPUT_PARS(&M::InputPars(channels, rateKHz, gain)));
    }
    bool SetOutputPars(double rateKHz) override {
        M::OutputPars().OutputRate = rateKHz;
        return M::Succeeded(module_.SET_OUTPUT_PARS(&M::OutputPars()));
    }
    bool StartRead() override { return M::Succeeded(module_.START_READ()); }
    bool StopRead() override { return M::Succeeded(module_.STOP_READ()); }
    bool StartWrite() override { return M::Succeeded(module_.START_WRITE()); }
    bool StopWrite() override { return M::Succeeded(module_.STOP_WRITE()); }

    // The count is passed by reference and never written back.
    bool ReadData(int16_t* samples, uint32_t count) override {
        TransferState.AdcBytesDone = 0;
        return M::Succeeded(module_.ReadData(samples, &count, &TransferState.AdcBytesDone, &TransferState.AdcOverlapped));
    }
    bool WriteData(int16_t* words, uint32_t count) override {
        TransferState.DacBytesDone = 0;
        return M::Succeeded(module_.WriteData(words, &count, &TransferState.DacBytesDone, &TransferState.DacOverlapped));
    }
    void Release() override { M::Release(); }

private:
    Interface& module_;
};

} // namespace

std::unique_ptr<PlayModule> ChoosePlayModule() {
    if (ModuleState.QuevDacPresent && ModuleState.QuevModule != nullptr) {
        return std::make_unique<ModulePlay<IQuevModule>>(*ModuleState.QuevModule);
    }
    if (ModuleState.Usb3000DacPresent && ModuleState.Usb3000Module != nullptr) {
        return std::make_unique<ModulePlay<IUsb3000Module>>(*ModuleState.Usb3000Module);
    }
    return nullptr;
}
