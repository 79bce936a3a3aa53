#pragma once

// The two functions of the vendor library, answered by the tests instead of Rtusbapi.

#include <cstdint>
#include <string>

class IUsb3000Module;

namespace fakevendor {
inline uint32_t version = 0;
inline IUsb3000Module* instance = nullptr;
inline std::string requestedName;
}  // namespace fakevendor
