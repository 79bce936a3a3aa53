#include "tests/files/FileFormatTestSupport.h"

namespace {

const std::string kAcquisitionHead = kVersionLine +
                                     "СБОР ДАННЫХ             \r\n"
                                     "Частота сбора данных  :  4.00000000000000E+0002\r\n"
                                     "Количество каналов    : 2\r\n"
                                     "Коэф. усиления АЦП    : 0\r\n";

std::vector<int16_t> ReadRows(const std::string& path) {
    ReadAscFile(path, {}, nullptr);
    return SampleData.SampleBuffer;
}

using AscFile = FileFormatTest;

TEST_F(AscFile, AcquisitionIsWrittenByteForByteIn1251) {
    SetRecord(kKindTimeData, 2, 400, 0, {1, -1, 256, -32768});
    const std::string path = folder.File("a.asc");
    EXPECT_EQ(WriteAscFile(path), FileContent::Acquisition);
    EXPECT_EQ(TempFolder::Bytes(path).substr(0, 27), "Quev Dorvaline, \xe2. 1.02    ");
    EXPECT_EQ(Text(path), kAcquisitionHead + "1\t-1\r\n256\t-32768\r\n");
}

TEST_F(AscFile, RowsReadWithTheRuntimesNumberRules) {
    const std::pair<std::string, std::vector<int16_t>> cases[] = {
        {"1 2\r\n"            // blanks instead of TAB
         "3\t4\t99 junk\r\n"  // surplus skipped
         "\r\n"               // a blank line between rows adds nothing
         "5\r\n6 77\r\n"      // a short row takes the next line's first value, skips its rest
         "32768\t65535\r\n65536\t-32769\r\n",
         {1, 2, 3, 4, 5, 6, -32768, -1, 0, 32767}},
        // Numbers at the end of the text read as 0: trailing blanks give exactly one more frame.
        {"1\t2\r\n\r\n", {1, 2, 0, 0}},
        {"1\t2\r\n\r\n\r\n\r\n", {1, 2, 0, 0}},
        {"1\t2\r\n  \t", {1, 2, 0, 0}},
        {"1\t2\r\n\x1a\r\n3\t4\r\n", {1, 2}},  // Ctrl-Z ends the text
    };
    for (const auto& [rows, expected] : cases) {
        ResetSharedState();
        EXPECT_EQ(ReadRows(Put("rows.asc", kAcquisitionHead + rows)), expected) << rows;
        EXPECT_EQ(SampleData.SampleCount, static_cast<int32_t>(expected.size()));
    }
}

TEST_F(AscFile, KindsWithoutHeaderWriteTheRowsTheBufferHoldsAndLoseTheFirstOnReading) {
    SetRecord(kKindHarmonics, 2, 5, 0, {1, 2, 3, 4, 5, 6});
    SampleData.FrameCount = 1000;  // a stale count after a failed open
    const std::string path = folder.File("h.asc");
    EXPECT_EQ(WriteAscFile(path), FileContent::OtherKind);
    EXPECT_EQ(Text(path), kVersionLine + "1\t2\r\n3\t4\r\n5\t6\r\n");

    SampleData.DataRate = 7;
    EXPECT_EQ(ReadAscFile(path, {}, nullptr), FileContent::OtherKind);
    EXPECT_EQ(ChartState.DataKind, kKindHarmonics);
    EXPECT_EQ(SampleData.DataRate, 7.0);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{3, 4, 5, 6}));

    SampleData.FrameCount = 0;
    WriteAscFile(path);
    EXPECT_EQ(Text(path), kVersionLine);
}

} // namespace
