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

TEST_F(OpenSaveTest, BinarySaveLogsAcquisitionAndRawSweepDataOnly) {
    const std::string path = folder.File("d.dat");
    const std::string head = "Сохранён файл :  " + path + "     " + kDateText;
    const std::string shape = " :  400 кГц   2 кан. по 1   усиление 1";
    for (int kind = kKindEmpty; kind <= kKindPlaybackData + 1; ++kind) {
        SCOPED_TRACE(kind);
        SetRecord(static_cast<uint8_t>(kind), 2, 400, 1, {1, 2});
        form->Memo->Lines().Clear();
        Save(path, kDat);
        EXPECT_EQ(TempFolder::Bytes(path).size(), 4u) << "the samples are written whatever they are";
        std::vector<std::string> expected;
        if (kind == kKindTimeData) expected.push_back(head + "     Сбор данных" + shape);
        if (kind == kKindSweepData) expected.push_back(head + "     Данные для АЧХ и ФЧХ" + shape);
        EXPECT_EQ(Log(), expected);
    }
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
