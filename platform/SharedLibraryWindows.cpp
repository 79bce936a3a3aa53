#if defined(_WIN32)

#include <windows.h>

#include "platform/SharedLibrary.h"

namespace platform {

void* LoadSharedLibrary(const char* fileName) { return LoadLibraryA(fileName); }

void* SharedLibraryFunction(void* library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace platform

#endif
