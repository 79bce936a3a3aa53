#include "platform/SharedLibrary.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

void* LoadSharedLibrary(const char* fileName) { return LoadLibraryA(fileName); }

void* SharedLibraryFunction(void* library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace platform
