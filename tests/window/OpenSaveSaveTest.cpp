// Saving: bare samples, what a failed save and the settings entry leave behind.

#include <filesystem>

#include "tests/window/OpenSaveTestSupport.h"

namespace {

TEST_F(OpenSaveTest, BinarySamplesAreLittleEndianWordsFrameAfterFrame) {
    SetRecord(kKindTimeData, 2, 400, 0, {1, -1, 256, -32768});
    const std::string path = folder.File("d.dat");
    Save(path, kDat);
    EXPECT_EQ(TempFolder::Bytes(path), std::string("\x01\x00\xff\xff\x00\x01\x00\x80", 8));
    SampleData.FrameCount = 0;
    Save(path, kDat);
    EXPECT_EQ(TempFolder::Bytes(path), "");
}

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
