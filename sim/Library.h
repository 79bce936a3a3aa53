#pragma once

// The two simulated modules behind the vendor libraries' exported functions.

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"
#include "sim/SimApi.h"

namespace sim {

SIM_API uint32_t QuevDllVersion();
SIM_API IQuevModule* CreateQuevModule(const char* interfaceName);
SIM_API uint32_t Usb3000DllVersion();
SIM_API IUsb3000Module* CreateUsb3000Module(const char* interfaceName);

}  // namespace sim
