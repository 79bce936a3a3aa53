// The USB3000 vendor library's two exports.

#include "modules/Usb3000Module.h"
#include "sim/Library.h"

extern "C" {

QUEV_VENDOR_API uint32_t QUEV_STDCALL RtGetDllVersion() { return sim::Usb3000DllVersion(); }

QUEV_VENDOR_API IUsb3000Module* QUEV_STDCALL RtCreateInstance(const char* InterfaceName) {
  return sim::CreateUsb3000Module(InterfaceName);
}
}
