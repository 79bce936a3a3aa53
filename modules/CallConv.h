#pragma once

// The vendor libraries use the platform's standard calling convention. Only 32-bit Windows has a
// distinct one; everywhere else the default convention is the standard one.
#if defined(_WIN32) && !defined(_WIN64)
#define QUEV_STDCALL __stdcall
#else
#define QUEV_STDCALL
#endif

// Marks the few functions the vendor libraries export by name; everything else in them stays
// hidden.
#if defined(_WIN32)
#define QUEV_VENDOR_API
#else
#define QUEV_VENDOR_API __attribute__((visibility("default")))
#endif
