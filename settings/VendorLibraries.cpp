#include "settings/VendorLibraries.h"

#include <mutex>

#include "platform/SharedLibrary.h"

namespace vendor {

namespace {

// The functions as the libraries export them: their names, types and calling convention are the
// declarations of modules/.
struct Functions {
    decltype(&::GetDllVersion) GetDllVersion = nullptr;
    decltype(&::CreateInstance) CreateInstance = nullptr;
    decltype(&::RtGetDllVersion) RtGetDllVersion = nullptr;
    decltype(&::RtCreateInstance) RtCreateInstance = nullptr;
};

template <typename Function>
void Bind(Function& function, void* library, const char* name) {
    function = reinterpret_cast<Function>(platform::SharedLibraryFunction(library, name));
}

Functions Load(const char* quevLibrary, const char* usb3000Library) {
    Functions f;
    void* quev = platform::LoadSharedLibrary(quevLibrary);
    Bind(f.GetDllVersion, quev, "GetDllVersion");
    Bind(f.CreateInstance, quev, "CreateInstance");
    void* usb3000 = platform::LoadSharedLibrary(usb3000Library);
    Bind(f.RtGetDllVersion, usb3000, "RtGetDllVersion");
    Bind(f.RtCreateInstance, usb3000, "RtCreateInstance");
    return f;
}

std::mutex gMutex;
bool gLoaded = false;
Functions gFunctions;

Functions Loaded() {
    std::lock_guard lock(gMutex);
    if (!gLoaded) {
        gFunctions = Load(kQuevLibrary, kUsb3000Library);
        gLoaded = true;
    }
    return gFunctions;
}

// The function's answer, or `absent` when the library or the function was not found.
template <typename Function, typename Result, typename... Args>
Result Call(Function Functions::*function, Result absent, Args... args) {
    const Function f = Loaded().*function;
    return f != nullptr ? f(args...) : absent;
}

} // namespace

uint32_t GetDllVersion() { return Call(&Functions::GetDllVersion, uint32_t{0}); }

IQuevModule* CreateInstance(const char* interfaceName) {
    return Call(&Functions::CreateInstance, static_cast<IQuevModule*>(nullptr), interfaceName);
}

uint32_t RtGetDllVersion() { return Call(&Functions::RtGetDllVersion, uint32_t{0}); }

IUsb3000Module* RtCreateInstance(const char* interfaceName) {
    return Call(&Functions::RtCreateInstance, static_cast<IUsb3000Module*>(nullptr), interfaceName);
}

void LoadLibraries(const char* quevLibrary, const char* usb3000Library) {
    const Functions f = Load(quevLibrary, usb3000Library);
    std::lock_guard lock(gMutex);
    gFunctions = f;
    gLoaded = true;
}

} // namespace vendor
