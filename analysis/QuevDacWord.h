#pragma once
// The DAC word of the Quev module: a 12-bit two's-complement code in bits 0 to 11, bits 12 to 15
// zero (the module's first DAC). 2048 codes are 5000 mV; codes beyond the 12 bits are held at the
// nearest end rather than wrapped into the opposite sign.

#include <cstdint>

#include "platform/Numbers.h"

inline constexpr double kQuevDacCodesPerMv = 0.4096;

// The word for `millivolts`. Not-a-number and infinities raise the runtime's
// "Invalid floating point operation", as any rounding of them does.
inline uint16_t QuevDacWord(double millivolts) {
    // Held to a few codes past the ends first, so that no size of input overflows the rounding.
    const double scaled = millivolts * kQuevDacCodesPerMv;
    const std::int64_t code = platform::Round(scaled < -4096 ? -4096 : scaled > 4096 ? 4096 : scaled);
    if (code < -2048) return 0x800;
    if (code > 2047) return 0x7FF;
    return static_cast<uint16_t>(code < 0 ? code + 4096 : code);
}
