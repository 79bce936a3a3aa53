#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;

namespace {

class FixedSystemInfo : public SystemInfoProvider {
public:
    OsVersion GetOsVersion() override { return {5, 1, 2600, 2}; }
    std::int64_t FreePhysicalMemory() override { return 1234567; }
    std::int64_t FreeDiskBytes() override { return -1; }
    std::string GetCurrentDirectory() override { return directory; }
    bool SetCurrentDirectory(const std::string& path) override {
        directory = path;
        return true;
    }
    std::string directory = "/bench/data";
};

} // namespace

TEST(SystemInfo, AnInstalledProviderAnswersEveryQuery) {
    auto fixed = std::make_shared<FixedSystemInfo>();
    SetSystemInfoProvider(fixed);
    EXPECT_EQ(OsVersionText(), "5.1.2600.2");
    EXPECT_EQ(FreePhysicalMemory(), 1234567);
    EXPECT_EQ(FreeDiskBytes(), -1);
    EXPECT_EQ(GetCurrentDirectory(), "/bench/data");
    EXPECT_TRUE(SetCurrentDirectory("/elsewhere"));
    EXPECT_EQ(fixed->directory, "/elsewhere");
    SetSystemInfoProvider(nullptr);
    EXPECT_NE(GetCurrentDirectory(), "/elsewhere");
}

TEST(SystemInfo, LinuxReaderGivesPlausibleFigures) {
    LinuxSystemInfo reader;
    EXPECT_GT(reader.GetOsVersion().Major, 0u);
    EXPECT_GT(reader.FreePhysicalMemory(), 0);
    EXPECT_GE(reader.FreeDiskBytes(), 0);
}

TEST(SystemInfo, LinuxReaderChangesAndReportsTheCurrentDirectory) {
    LinuxSystemInfo reader;
    const std::string start = reader.GetCurrentDirectory();
    ASSERT_FALSE(start.empty());
    const std::string temp = std::filesystem::canonical(std::filesystem::temp_directory_path());
    ASSERT_TRUE(reader.SetCurrentDirectory(temp));
    EXPECT_EQ(reader.GetCurrentDirectory(), temp);
    EXPECT_FALSE(reader.SetCurrentDirectory(temp + "/no such folder here"));
    EXPECT_FALSE(reader.SetCurrentDirectory(""));
    EXPECT_EQ(reader.GetCurrentDirectory(), temp);
    ASSERT_TRUE(reader.SetCurrentDirectory(start));
}
