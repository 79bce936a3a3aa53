// A stand-in Rtusbapi.dll for the Windows build check only: it gives Pelvoran.dll an import to
// link against. It never creates an interface.
#include "modules/Usb3000Module.h"

extern "C" uint32_t QUEV_STDCALL RtGetDllVersion() { return 0x10004; }

extern "C" IUsb3000Module* QUEV_STDCALL RtCreateInstance(const char*) { return nullptr; }
