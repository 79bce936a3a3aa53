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
    std::string GetCurrentDirectory() override { return "/bench/data"; }
    bool SetCurrentDirectory(const std::string&) override { return true; }
};

} // namespace

TEST(SystemInfo, AnInstalledProviderAnswersAndTheVersionTextJoinsItsFourNumbers) {
    SetSystemInfoProvider(std::make_shared<FixedSystemInfo>());
    EXPECT_EQ(OsVersionText(), "5.1.2600.2");
    EXPECT_EQ(FreeDiskBytes(), -1);
    SetSystemInfoProvider(nullptr);
    EXPECT_NE(GetCurrentDirectory(), "/bench/data");
}

TEST(SystemInfo, MachineReaderGivesPlausibleFiguresAndKeepsTheCurrentDirectory) {
    MachineSystemInfo reader;
    EXPECT_GT(reader.GetOsVersion().Major, 0u);
    EXPECT_GT(reader.FreePhysicalMemory(), 0);
    EXPECT_GE(reader.FreeDiskBytes(), 0);
    const std::string start = reader.GetCurrentDirectory();
    ASSERT_FALSE(start.empty());
    const std::string temp =
        std::filesystem::canonical(std::filesystem::temp_directory_path()).string();
    ASSERT_TRUE(reader.SetCurrentDirectory(temp));
    EXPECT_EQ(reader.GetCurrentDirectory(), temp);
    EXPECT_FALSE(reader.SetCurrentDirectory(temp + "/no such folder here"));
    EXPECT_FALSE(reader.SetCurrentDirectory(""));
    EXPECT_EQ(reader.GetCurrentDirectory(), temp);
    ASSERT_TRUE(reader.SetCurrentDirectory(start));
}
