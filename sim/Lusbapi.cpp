// The Quev vendor library's two exports.

#include "modules/QuevModule.h"
#include "sim/Library.h"

extern "C" {

QUEV_VENDOR_API uint32_t QUEV_STDCALL GetDllVersion() { return sim::QuevDllVersion(); }

QUEV_VENDOR_API IQuevModule* QUEV_STDCALL CreateInstance(const char* InterfaceName) {
  return sim::CreateQuevModule(InterfaceName);
}
}
