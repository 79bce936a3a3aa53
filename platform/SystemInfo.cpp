#include "platform/SystemInfo.h"

#include "platform/Numbers.h"

#include <mutex>

namespace platform {
namespace {

std::mutex gProviderMutex;
std::shared_ptr<SystemInfoProvider> gProvider;

std::shared_ptr<SystemInfoProvider> Provider() {
    std::lock_guard lock(gProviderMutex);
    if (!gProvider) gProvider = std::make_shared<MachineSystemInfo>();
    return gProvider;
}

} // namespace

void SetSystemInfoProvider(std::shared_ptr<SystemInfoProvider> provider) {
    std::lock_guard lock(gProviderMutex);
    gProvider = std::move(provider);
}

OsVersion GetOsVersion() { return Provider()->GetOsVersion(); }

std::string OsVersionText() {
    const OsVersion v = GetOsVersion();
    return IntToStr(v.Major) + "." + IntToStr(v.Minor) + "." + IntToStr(v.Build) + "." +
           IntToStr(v.PlatformId);
}

std::int64_t FreePhysicalMemory() { return Provider()->FreePhysicalMemory(); }
std::int64_t FreeDiskBytes() { return Provider()->FreeDiskBytes(); }
std::string GetCurrentDirectory() { return Provider()->GetCurrentDirectory(); }
bool SetCurrentDirectory(const std::string& path) {
    return Provider()->SetCurrentDirectory(path);
}

} // namespace platform
