#include "FakeVendorLibrary.h"

#include "modules/Usb3000Module.h"

extern "C" uint32_t QUEV_STDCALL RtGetDllVersion() { return fakevendor::version; }

extern "C" IUsb3000Module* QUEV_STDCALL RtCreateInstance(const char* InterfaceName) {
  fakevendor::requestedName = InterfaceName;
  return fakevendor::instance;
}
