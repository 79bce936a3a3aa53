#pragma once

// What the simulation library shows to the vendor stand-ins and to tests; the rest stays hidden.
// On Windows a DLL without marked exports exports all its functions, so nothing is marked there.
#if defined(_WIN32)
#define SIM_API
#else
#define SIM_API __attribute__((visibility("default")))
#endif
