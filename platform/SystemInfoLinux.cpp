#include "platform/SystemInfo.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>

#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace platform {
namespace {

// Takes the leading decimal number of text, advancing past it and one following separator.
std::uint32_t TakeNumber(std::string_view& text) {
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) return 0;
    text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    else text = {};
    return value;
}

} // namespace

OsVersion MachineSystemInfo::GetOsVersion() {
    utsname names{};
    if (uname(&names) != 0) return {};
    std::string_view release(names.release);
    OsVersion version;
    version.Major = TakeNumber(release);
    version.Minor = TakeNumber(release);
    version.Build = TakeNumber(release);
    return version;
}

std::int64_t MachineSystemInfo::FreePhysicalMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::int64_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:") return kilobytes * 1024;
    }
    // Kernels before 3.14 have no MemAvailable; free memory is the nearest figure.
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return -1;
    return static_cast<std::int64_t>(info.freeram) * info.mem_unit;
}

std::int64_t MachineSystemInfo::FreeDiskBytes() {
    struct statvfs fs {};
    if (statvfs(".", &fs) != 0) return -1;
    return static_cast<std::int64_t>(fs.f_bavail) * static_cast<std::int64_t>(fs.f_frsize);
}

std::string MachineSystemInfo::GetCurrentDirectory() {
    std::string path(256, '\0');
    while (getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE) return {};
        path.resize(path.size() * 2);
    }
    path.resize(path.find('\0'));
    return path;
}

bool MachineSystemInfo::SetCurrentDirectory(const std::string& path) {
    return !path.empty() && chdir(path.c_str()) == 0;
}

} // namespace platform
