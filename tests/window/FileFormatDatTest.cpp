#include "window/FileFormatTestSupport.h"

class DatFile : public FileFormatTest {};

TEST_F(DatFile, SamplesAreLittleEndianWordsFrameAfterFrame) {
    SetSamples(2, {1, -1, 256, -32768});
    const std::string path = folder.File("d.dat");
    WriteDatFile(path);
    EXPECT_EQ(TempFolder::Bytes(path), std::string("\x01\x00\xff\xff\x00\x01\x00\x80", 8));
    SampleData.FrameCount = 0;
    WriteDatFile(path);
    EXPECT_EQ(TempFolder::Bytes(path), "");
}

TEST_F(DatFile, ReadsWholeFramesWithTheWindowShape) {
    ChartState.DataKind = kKindHarmonics;
    SampleData.DataTime = 99;
    const std::string path = folder.Put("d.dat", std::string("\x01\x00\xff\xff\x00\x01\x00\x80\x02\x00\x03\x00", 12));
    EXPECT_EQ(ReadDatFile(path, ImportShape{100, 2, 1}), FileContent::Samples);
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_EQ(SampleData.DataRate, 100.0);
    EXPECT_EQ(SampleData.DataChannels, 2);
    EXPECT_EQ(SampleData.DataGain, 1);
    EXPECT_EQ(SampleData.DataTime, 99.0);
    EXPECT_EQ(SampleData.SampleCount, 6);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{1, -1, 256, -32768, 2, 3}));
}

TEST_F(DatFile, PartialLastFrameFailsAfterTheWholeFrames) {
    // 3 channels, 2 whole frames, then an odd byte.
    const std::string whole(12, '\x01');
    EXPECT_EQ(MessageOf([&] { ReadDatFile(folder.Put("odd.dat", whole + "\x05"), ImportShape{1, 3, 0}); }),
              "Read beyond end of file");
    EXPECT_EQ(SampleData.SampleCount, 6);
    EXPECT_EQ(SampleData.DataChannels, 3);  // the shape was taken before reading

    // One whole word of the third frame is read before the failure.
    EXPECT_EQ(MessageOf([&] { ReadDatFile(folder.Put("word.dat", whole + std::string("\x05\x00\x06", 3)), ImportShape{1, 3, 0}); }),
              "Read beyond end of file");
    EXPECT_EQ(SampleData.SampleCount, 7);
    ASSERT_EQ(SampleData.SampleBuffer.size(), 9u);
    EXPECT_EQ(SampleData.SampleBuffer[6], 5);
    EXPECT_EQ(SampleData.SampleBuffer[8], 0);
}

TEST_F(DatFile, ImportWithoutChosenChannelsChangesNothing) {
    SetSamples(1, {5});
    EXPECT_EQ(ReadDatFile(folder.Put("d.dat", "\x01\x00"), ImportShape{1, 0, 0}), FileContent::Refused);
    EXPECT_EQ(SampleData.DataChannels, 1);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{5}));
    EXPECT_EQ(ReadDatFile(folder.Put("d.dat", "\x01\x00"), ImportShape{1, 17, 0}), FileContent::Refused);
}

TEST_F(DatFile, EmptyAndMissingFiles) {
    EXPECT_EQ(ReadDatFile(folder.Put("e.dat", ""), ImportShape{1, 4, 0}), FileContent::Samples);
    EXPECT_EQ(SampleData.SampleCount, 0);
    EXPECT_TRUE(SampleData.SampleBuffer.empty());
    EXPECT_EQ(MessageOf([&] { ReadDatFile(folder.File("none.dat"), ImportShape{1, 4, 0}); }), "File not found");
}
