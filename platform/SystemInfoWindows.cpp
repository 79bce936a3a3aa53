#include "platform/SystemInfo.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// The system's names for its ANSI and wide variants would rename ours.
#undef GetCurrentDirectory
#undef SetCurrentDirectory

namespace platform {

OsVersion MachineSystemInfo::GetOsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info)) return {};
    return {static_cast<std::uint32_t>(info.dwMajorVersion),
            static_cast<std::uint32_t>(info.dwMinorVersion),
            static_cast<std::uint32_t>(info.dwBuildNumber),
            static_cast<std::uint32_t>(info.dwPlatformId)};
}

std::int64_t MachineSystemInfo::FreePhysicalMemory() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return static_cast<std::int64_t>(status.dwAvailPhys);
}

std::int64_t MachineSystemInfo::FreeDiskBytes() {
    ULARGE_INTEGER freeToCaller{};
    // No path: the drive of the current directory.
    if (!GetDiskFreeSpaceExA(nullptr, &freeToCaller, nullptr, nullptr)) return -1;
    return static_cast<std::int64_t>(freeToCaller.QuadPart);
}

std::string MachineSystemInfo::GetCurrentDirectory() {
    std::string path;
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    // The directory may change between asking for its length and reading it.
    while (length > path.size()) {
        path.resize(length);
        length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
        if (length == 0) return {};
    }
    path.resize(length);
    return path;
}

bool MachineSystemInfo::SetCurrentDirectory(const std::string& path) {
    return !path.empty() && SetCurrentDirectoryA(path.c_str()) != 0;
}

} // namespace platform
