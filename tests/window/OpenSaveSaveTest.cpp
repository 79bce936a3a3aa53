// Saving: what a failed save and the settings entry leave behind.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/window/OpenSaveTestSupport.h"

namespace {

TEST_F(OpenSaveTest, SaveReportsOnlyAFileThatWasWritten) {
    SetRecord(kKindTimeData, 1, 10, 0, {1, 2, 3});
    const std::string missingFolder = folder.File("no-such-folder/data.asc");
    Save(missingFolder, kAsc);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"File not found"});
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(SampleData.DataFileName, missingFolder);

    // The settings entry writes nothing and keeps the name, but still redraws.
    const std::string settings = folder.File("config.cfg");
    Save(settings, kCfg);
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_EQ(SampleData.DataFileName, missingFolder);
    EXPECT_TRUE(Redrawn());
    EXPECT_TRUE(Log().empty());
}

} // namespace
