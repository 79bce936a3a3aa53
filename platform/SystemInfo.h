#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct OsVersion {
    std::uint32_t Major = 0;
    std::uint32_t Minor = 0;
    std::uint32_t Build = 0;
    std::uint32_t PlatformId = 0;
};

// Where the station learns about the machine it runs on. Tests install their own so that the
// status bar and the log can be checked to the byte.
class SystemInfoProvider {
public:
    virtual ~SystemInfoProvider() = default;
    virtual OsVersion GetOsVersion() = 0;
    // Bytes of physical memory available to programs; -1 when unknown.
    virtual std::int64_t FreePhysicalMemory() = 0;
    // Bytes free to this user on the drive of the current directory; -1 when unknown.
    virtual std::int64_t FreeDiskBytes() = 0;
    // Absolute UTF-8 path; empty when it cannot be read.
    virtual std::string GetCurrentDirectory() = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
};

// Reads the machine the program runs on. Linux: the kernel release from uname
// (major.minor.patch, no platform identifier), MemAvailable from /proc/meminfo, statvfs of ".",
// and the process's working directory. Windows: the system's version record, its memory status,
// the free space of the current directory's drive, and the current directory (ANSI code page).
class MachineSystemInfo : public SystemInfoProvider {
public:
    OsVersion GetOsVersion() override;
    std::int64_t FreePhysicalMemory() override;
    std::int64_t FreeDiskBytes() override;
    std::string GetCurrentDirectory() override;
    bool SetCurrentDirectory(const std::string& path) override;
};

// nullptr restores the machine's reader.
void SetSystemInfoProvider(std::shared_ptr<SystemInfoProvider> provider);

OsVersion GetOsVersion();
// "major.minor.build.platform", each in decimal: "5.1.2600.2".
std::string OsVersionText();
std::int64_t FreePhysicalMemory();
std::int64_t FreeDiskBytes();
std::string GetCurrentDirectory();
bool SetCurrentDirectory(const std::string& path);

} // namespace platform
