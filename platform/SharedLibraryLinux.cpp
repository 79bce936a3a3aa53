#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace platform {

void* LoadSharedLibrary(const char* fileName) { return dlopen(fileName, RTLD_NOW | RTLD_LOCAL); }

void* SharedLibraryFunction(void* library, const char* name) {
    return library == nullptr ? nullptr : dlsym(library, name);
}

} // namespace platform
