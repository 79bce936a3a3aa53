#include "threads/PlayModule.h"

#include "settings/BringUp.h"
#include "state/State.h"
#include "threads/AdcRecording.h"

namespace {

// What differs between the two modules; the operations themselves share their names.
template <class Interface>
struct Module;

template <>
struct Module<IQuevModule> {
    static constexpr DacWordFormat kFormat = DacWordFormat::Quev;
    static double MillivoltsPerCode(int rangeCode) { return QuevMvPerCode(rangeCode); }
    static constexpr const char* kStopRead = "Не могу остановить АЦП!";
    static constexpr const char* kStopWrite = "Не могу остановить ЦАП!";
    // Only the low byte of the Quev library's booleans counts.
    static bool Succeeded(int32_t result) { return static_cast<uint8_t>(result) != 0; }
    static QUEV_OUTPUT_PARS& OutputPars() { return ModuleState.QuevDacPars; }
    static QUEV_INPUT_PARS& InputPars(uint8_t channels, double rateKHz, uint8_t gain) {
        adc::FillQuevInputPars(ModuleState.QuevAdcPars, rateKHz, channels, gain);
        return ModuleState.QuevAdcPars;
    }
    static void Release() { ReleaseQuevModule(); }
};

template <>
struct Module<IUsb3000Module> {
    static constexpr DacWordFormat kFormat = DacWordFormat::Usb3000;
    static double MillivoltsPerCode(int) { return kUsb3000MvPerCode; }
    static constexpr const char* kStopRead = "Не могу остановить USB3000 АЦП!";
    static constexpr const char* kStopWrite = "Не могу остановить USB3000 ЦАП!";
    static bool Succeeded(int32_t result) { return result != 0; }
    static RTUSB3000::OUTPUT_PARS& OutputPars() { return ModuleState.Usb3000OutputPars; }
    static RTUSB3000::INPUT_PARS& InputPars(uint8_t channels, double rateKHz, uint8_t) {
        adc::FillUsb3000InputPars(ModuleState.Usb3000InputPars, rateKHz, channels);
        return ModuleState.Usb3000InputPars;
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
    bool ReadData(int16_t* samples, uint32_t count, TransferQueue::Slot& slot) override {
        return M::Succeeded(module_.ReadData(samples, &count, &slot.BytesDone, &slot.Overlapped));
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
