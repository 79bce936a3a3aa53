#pragma once
// The modules' vendor libraries, found by file name when a bring-up first needs them and kept
// loaded until the program ends. A library that is absent, or lacks one of these functions,
// answers as a library with no module behind it: version 0 and no interface, so that the
// bring-up fails at its own first step and the program goes on without that module.

#include <cstdint>

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"

namespace vendor {

// The file names the libraries are looked up by: the vendors' own on Windows, the stand-ins the
// build makes elsewhere.
#if defined(_WIN32)
inline constexpr const char* kQuevLibrary = "Lusbapi.dll";
inline constexpr const char* kUsb3000Library = "Rtusbapi.dll";
#else
inline constexpr const char* kQuevLibrary = "liblusbapi.so";
inline constexpr const char* kUsb3000Library = "librtusbapi.so";
#endif

// Lusbapi.dll
uint32_t GetDllVersion();
IQuevModule* CreateInstance(const char* interfaceName);
// Rtusbapi.dll
uint32_t RtGetDllVersion();
IUsb3000Module* RtCreateInstance(const char* interfaceName);

// Looks the libraries up under these file names from now on, in place of the ones found so far.
void LoadLibraries(const char* quevLibrary, const char* usb3000Library);

} // namespace vendor
