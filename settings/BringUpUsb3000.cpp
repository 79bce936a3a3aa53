#include <string>

#include "platform/Numbers.h"
#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "settings/VendorLibraries.h"
#include "ui/MessageFlags.h"
#include "state/State.h"

using bringup::Lamp;

namespace {

constexpr uint32_t kUsb3000DllVersion = 0x10004;  // 1.4
constexpr const char* kUsb3000Interface = "usb3000";
constexpr size_t kSerialLength = 9;
constexpr size_t kAvrVersionLength = 5;
// Texts are received here first: the library writes as much as its module holds.
constexpr size_t kTextBuffer = 256;

// Every failed step is reported; from the bus speed on it also releases the module.
bool Step(int32_t result, const char* message, bool release = true) {
    if (bringup::Succeeded(result)) return true;
    bringup::ShowError(message, ui::MB_ICONINFORMATION);
    if (release) AbandonUsb3000BringUp();
    return false;
}

std::string VersionText(uint32_t version) {
    return platform::IntToStr(version >> 16) + "." + platform::IntToStr(version & 0xFFFF) + ".";
}

std::string SpeedText(uint8_t speed) {
    switch (speed) {
    case 0: return "USB v1.1";
    case 1: return "USB v2.0";
    default: return {};
    }
}

bool ReadText(int32_t (QUEV_STDCALL IUsb3000Module::*read)(char*), IUsb3000Module& module, char* out, size_t limit,
              const char* message) {
    char scratch[kTextBuffer] = {};
    if (!Step((module.*read)(scratch), message)) return false;
    bringup::CopyField(out, limit, scratch, sizeof scratch);
    return true;
}

// Bus, identity, DSP driver, flash and both converters' parameters, each step adding its part
// to the log line.
bool LoadModule(IUsb3000Module& module, std::string& line) {
    ModuleStateGroup& m = ModuleState;
    if (!Step(module.GetUsbSpeed(&m.Usb3000UsbSpeed), "Не могу получить скорость работы шины USB!")) return false;
    if (const std::string speed = SpeedText(m.Usb3000UsbSpeed); !speed.empty()) line += speed + ",  ";

    if (!ReadText(&IUsb3000Module::GetModuleSerialNumber, module, m.Usb3000Serial, kSerialLength,
                  "Не могу прочитать серийный номер модуля!")) {
        return false;
    }
    line += "S/N: " + std::string(m.Usb3000Serial) + ",  ";
    if (!ReadText(&IUsb3000Module::GetAvrVersion, module, m.Usb3000AvrVersion, kAvrVersionLength,
                  "Не могу прочитать версию драйвера AVR модуля!")) {
        return false;
    }
    line += "AVR " + std::string(m.Usb3000AvrVersion) + ",  ";

    if (!Step(module.LOAD_DSP(nullptr), "Не могу загрузить драйвер DSP в модуль!")) return false;
    if (!Step(module.MODULE_TEST(), "Ошибка в работе драйвера DSP!")) return false;
    if (!Step(module.GET_DSP_INFO(&m.Usb3000DspInfo), "Не могу получить версию драйвера DSP!")) return false;
    line += "DSP v" + platform::IntToStr(m.Usb3000DspInfo.DspMajor) + "." +
            platform::IntToStr(m.Usb3000DspInfo.DspMinor) + ",  ";

    m.Usb3000Flash.size = sizeof(RTUSB3000::FLASH);
    if (!Step(module.GET_FLASH(&m.Usb3000Flash), "Не могу прочитать ППЗУ модуля!")) return false;
    line += "ППЗУ,  ";
    m.Usb3000InputPars.size = sizeof(RTUSB3000::INPUT_PARS);
    if (!Step(module.GET_INPUT_PARS(&m.Usb3000InputPars), "Не могу получить текущие параметры АЦП!")) return false;
    line += "АЦП,  ";
    m.Usb3000OutputPars.size = sizeof(RTUSB3000::OUTPUT_PARS);
    if (!Step(module.GET_OUTPUT_PARS(&m.Usb3000OutputPars), "Не могу получить текущие параметры ЦАП!")) {
        return false;
    }
    line += "ЦАП.";
    return true;
}

}  // namespace

void ConnectUsb3000Module() {
    ModuleState.DllVersion = vendor::RtGetDllVersion();
    if (ModuleState.DllVersion != kUsb3000DllVersion) {
        bringup::ShowError("Неверная версия DLL библиотеки Rtusbapi.dll!  Текущая: " +
                               VersionText(ModuleState.DllVersion) + " Требуется: " +
                               VersionText(kUsb3000DllVersion),
                           ui::MB_ICONINFORMATION);
        return;
    }
    std::string line = "DLL v." + platform::IntToStr(ModuleState.DllVersion) + ",  ";

    // Every bring-up takes a new interface; one left by an earlier bring-up that found no module
    // is released first rather than lost.
    if (ModuleState.Usb3000Module != nullptr) DropUsb3000Interface();
    ModuleState.Usb3000Module = vendor::RtCreateInstance(kUsb3000Interface);
    if (!Step(ModuleState.Usb3000Module != nullptr, "Не могу найти интерфейс модуля USB3000!", false)) return;
    IUsb3000Module& module = *ModuleState.Usb3000Module;
    line += "Интерфейс,  ";

    // No module in slot 0 is no error: the station simply works without it.
    if (!bringup::Succeeded(module.OpenDevice(0))) return;
    line += "0 слот,  ";
    if (!LoadModule(module, line)) return;

    // An unknown bus speed leaves the lamp's hint as it was.
    if (const std::string speed = SpeedText(ModuleState.Usb3000UsbSpeed); speed.empty()) {
        bringup::SetLamp(Lamp::Adc, bringup::kLampUp);
    } else {
        bringup::SetLamp(Lamp::Adc, bringup::kLampUp, speed + ".  Модуль USB3000");
    }
    bringup::SetLamp(Lamp::Dac, bringup::kLampUp, "ЦАП, интегрированный в модуль USB3000");
    // The flash's IsDacPresented is not consulted: every USB3000 has its DAC.
    ModuleState.Usb3000Present = 1;
    ModuleState.Usb3000DacPresent = 1;
    bringup::AppendLog(line);
}
