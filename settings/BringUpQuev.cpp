#include <cstring>
#include <string>

#include "platform/Numbers.h"
#include "settings/BringUp.h"
#include "settings/BringUpQuevDac.h"
#include "settings/BringUpSteps.h"
#include "settings/VendorLibraries.h"
#include "ui/MessageFlags.h"
#include "state/State.h"

using bringup::Lamp;

namespace {

constexpr uint32_t kQuevDllVersion = 0x20000;
constexpr uint32_t kQuevLbiosVersion = 0x20000;
constexpr const char* kQuevInterface = "quev";
constexpr const char* kQuevName = "Quev";
// The library does not say how long a name it writes; this leaves room for any sane one.
constexpr size_t kModuleNameBuffer = 256;

bool Fail(const char* message) {
    bringup::ShowError(message, ui::MB_ICONINFORMATION);
    AbandonQuevBringUp();
    return false;
}

// From the firmware load on, a failed step is reported and releases the module.
bool Step(int32_t result, const char* message) { return bringup::Succeeded(result) || Fail(message); }

// Before the firmware load a failed step is only reported: the interface stays for the next
// bring-up.
bool Probe(int32_t result, const char* message) {
    if (bringup::Succeeded(result)) return true;
    bringup::ShowError(message, ui::MB_ICONINFORMATION);
    return false;
}

// The module in slot 0 answers and calls itself Quev.
bool SlotHoldsQuev(IQuevModule& module) {
    char name[kModuleNameBuffer] = {};
    if (!Probe(module.GetModuleName(name), "Не могу прочитать название модуля в нулевом виртуальном слоте!")) {
        return false;
    }
    return Probe(bringup::FieldText(name, sizeof name) == kQuevName, "В нулевом виртуальном слоте не 'Quev'!");
}

// Firmware, its version, the flash descriptor and the ADC parameters; the log line grows with
// every step passed.
bool LoadModule(IQuevModule& module, std::string& line) {
    if (!Step(module.LOAD_BIOS(nullptr), "Не могу загрузить модуль!")) return false;
    if (!Step(module.MODULE_TEST(), "Ошибка в загрузке модуля!")) return false;
    line += "загружен без ошибок,  ";

    if (!Step(module.GET_LBIOS_VERSION(&ModuleState.QuevLbiosVersion), "Не могу получить версию LBIOS!")) {
        return false;
    }
    if (ModuleState.QuevLbiosVersion != kQuevLbiosVersion) {
        return Fail("Не правильный номер версии LBIOS!");
    }
    line += "LBios v." + platform::IntToStr(ModuleState.QuevLbiosVersion) + ",  ";

    ModuleState.QuevFlash.size = sizeof(QUEV_FLASH);
    if (!Step(module.GET_FLASH(&ModuleState.QuevFlash), "Не могу прочитать ППЗУ модуля!")) return false;
    const std::string serial =
        bringup::FieldText(ModuleState.QuevFlash.SerialNumber, sizeof ModuleState.QuevFlash.SerialNumber);
    line += "S/N: " + serial + ",  ППЗУ,  ";

    ModuleState.QuevAdcPars.size = sizeof(QUEV_INPUT_PARS);
    if (!Step(module.GET_INPUT_PARS(&ModuleState.QuevAdcPars), "Не могу получить текущие параметры АЦП!")) {
        return false;
    }
    line += "АЦП";
    ModuleState.QuevPresent = 1;
    bringup::SetLamp(Lamp::Adc, bringup::kLampUp, "Обнаружен модуль Quev, S/N:" + serial);
    return true;
}

// A DAC whose parameters cannot be read leaves the module up without it.
void ReadDacParameters(IQuevModule& module) {
    if (ModuleState.QuevFlash.IsDacPresented != 1) return;
    ModuleState.QuevDacPars.size = sizeof(QUEV_OUTPUT_PARS);
    if (Probe(module.GET_OUTPUT_PARS(&ModuleState.QuevDacPars), "Не могу получить текущие параметры ЦАП!")) {
        ModuleState.QuevDacPresent = 1;
    }
}

}  // namespace

void ConnectQuevModule() {
    ModuleState.DllVersion = vendor::GetDllVersion();
    if (ModuleState.DllVersion != kQuevDllVersion) {
        bringup::ShowError("Неверная версия DLL библиотеки!", ui::MB_ICONINFORMATION);
        return;
    }
    std::string line = "DLL v." + platform::IntToStr(ModuleState.DllVersion) + ",  ";

    if (ModuleState.QuevInterfaceName.empty()) ModuleState.QuevInterfaceName = kQuevInterface;
    // An interface an earlier bring-up created and nobody released serves again.
    if (ModuleState.QuevModule == nullptr) {
        ModuleState.QuevModule = vendor::CreateInstance(ModuleState.QuevInterfaceName.c_str());
    }
    if (ModuleState.QuevModule == nullptr) {
        bringup::ShowError("Не могу найти интерфейс модуля Quev!", ui::MB_ICONINFORMATION);
        return;
    }
    IQuevModule& module = *ModuleState.QuevModule;
    line += "Интерфейс,  ";

    // No module in slot 0 is no error: the station simply works without it.
    if (!bringup::Succeeded(module.OpenDevice(0))) return;
    line += "0 слот,  ";
    if (!SlotHoldsQuev(module)) return;
    line += "Модуль Quev ";

    if (!LoadModule(module, line)) return;
    ReadDacParameters(module);
    if (ModuleState.QuevDacPresent != 1) {
        bringup::SetLamp(Lamp::Dac, bringup::kLampDown, "ЦАП модуля Quev не обнаружен.");
        bringup::AppendLog(line + ".");
        return;
    }
    bringup::SetLamp(Lamp::Dac, bringup::kLampUp, "Обнаружен интегрированный 2-х канальный ЦАП.");
    if (RunDacZeroOutputTest(module, line)) bringup::AppendLog(line + ".");
}
