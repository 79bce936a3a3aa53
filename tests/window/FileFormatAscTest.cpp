#include "window/FileFormatTestSupport.h"

#include <tuple>

#include "platform/DateTime.h"

namespace {

const std::string kAcqHeader =
    kVersion + "30.12.1899\r\n"
    "СБОР ДАННЫХ             \r\n"
    "Частота сбора данных  :  4.00000000000000E+0002\r\n"
    "Количество каналов    : 2\r\n"
    "Коэф. усиления АЦП    : 0\r\n";

FileContent ReadAsc(const std::string& path, const ImportShape& window = {}) {
    return ReadAscFile(path, window, nullptr);
}

} // namespace

class AscFile : public FileFormatTest {};

TEST_F(AscFile, AcquisitionIsWrittenByteForByte) {
    ChartState.DataKind = kKindTimeData;
    SampleData.DataRate = 400;
    SetSamples(2, {1, -1, 256, -32768});
    const std::string path = folder.File("a.asc");
    EXPECT_EQ(WriteAscFile(path), FileContent::Acquisition);
    EXPECT_EQ(Text(path), kAcqHeader + "1\t-1\r\n256\t-32768\r\n");
}

// Re-saving what was read gives the same bytes, so every header field and every 16-bit code
// came back unchanged.
TEST_F(AscFile, AcquisitionAndSweepDataReadBackUnchanged) {
    std::vector<int16_t> codes;
    for (int value = -32768; value <= 32767; ++value) {
        codes.push_back(static_cast<int16_t>(value));
    }
    for (uint8_t kind : {kKindTimeData, kKindSweepData}) {
        ResetSharedState();
        ChartState.DataKind = kind;
        SampleData.DataRate = 123.456;
        SampleData.DataGain = 3;
        SampleData.DataTime = platform::EncodeDate(2023, 1, 31) + platform::EncodeTime(23, 59, 58, 0);
        auto& afc = FrequencyResponse;
        std::tie(afc.AfcDacRate, afc.AfcAmplitude, afc.AfcFreqBegin, afc.AfcFreqEnd) = std::tuple(30, 1e3, 10, 1e4);
        std::tie(afc.AfcOctavesPerMin, afc.AfcSteps, afc.AfcRiseTime, afc.AfcFallTime) = std::tuple(2.5, 40, 0.5, 0.25);
        SetSamples(16, codes);
        const std::string path = folder.File("rt.asc");
        WriteAscFile(path);
        const auto before = TempFolder::Bytes(path);

        ResetSharedState();
        EXPECT_EQ(ReadAsc(path), kind == kKindTimeData ? FileContent::Acquisition : FileContent::SweepData);
        EXPECT_EQ(ChartState.DataKind, kind);
        EXPECT_EQ(SampleData.SampleCount, 65536);
        EXPECT_EQ(SampleData.SampleBuffer, codes);
        SampleData.FrameCount = 4096;
        WriteAscFile(path);
        EXPECT_EQ(TempFolder::Bytes(path), before);
    }
}

TEST_F(AscFile, OlderVersionAndDshkKindReadLikeTheCurrentOnes) {
    const std::string path = Put("old.asc",
        "Quev Dorvaline, в. 1.01    09.12.2024 04:15:00\r\n"
        "ДАННЫЕ ДЛЯ ДШК ШЭМ     \r\n"
        "Частота сбора данных  :  1.20000000000000E+0002\r\n"
        "Количество каналов    : 1\r\n"
        "Коэф. усиления АЦП    : 1\r\n"
        "7\r\n8\r\n");
    EXPECT_EQ(ReadAsc(path), FileContent::DshkData);
    EXPECT_EQ(ChartState.DataKind, kKindDshkData);
    EXPECT_EQ(SampleData.DataRate, 120.0);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{7, 8}));
    EXPECT_EQ(platform::DateTimeToStr(SampleData.DataTime), "09.12.2024 04:15:00");
}

TEST_F(AscFile, RowsToleranceAndLowSixteenBits) {
    const std::string path = Put("rows.asc", kAcqHeader +
        "1 2\r\n"             // blanks instead of TAB
        "3\t4\t99 junk\r\n"   // surplus skipped
        "\r\n"                // a blank line between rows adds nothing
        "5\r\n6 77\r\n"       // a short row takes the next line's first value, skips its rest
        "32768\t65535\r\n"
        "65536\t-32769\r\n");
    ReadAsc(path);
    EXPECT_EQ(SampleData.SampleBuffer,
              (std::vector<int16_t>{1, 2, 3, 4, 5, 6, -32768, -1, 0, 32767}));
    EXPECT_EQ(SampleData.SampleCount, 10);
}

TEST_F(AscFile, TrailingBlankLinesGiveExactlyOneFrameOfZeros) {
    for (const char* tail : {"\r\n", "\r\n\r\n\r\n", "  \t"}) {
        ResetSharedState();
        ReadAsc(Put("t.asc", kAcqHeader + "1\t2\r\n" + tail));
        EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{1, 2, 0, 0})) << tail;
    }
    ResetSharedState();
    ReadAsc(Put("z.asc", kAcqHeader + "1\t2\r\n\x1a\r\n3\t4\r\n"));
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{1, 2}));
}

TEST_F(AscFile, SavedWithoutHeaderLosesItsFirstRowOnReading) {
    ChartState.DataKind = kKindHarmonics;
    SampleData.DataRate = 5;
    SetSamples(2, {1, 2, 3, 4, 5, 6});
    const std::string path = folder.File("h.asc");
    EXPECT_EQ(WriteAscFile(path), FileContent::OtherKind);
    EXPECT_EQ(Text(path), kVersion + "30.12.1899\r\n1\t2\r\n3\t4\r\n5\t6\r\n");

    SampleData.DataRate = 7;
    EXPECT_EQ(ReadAsc(path), FileContent::OtherKind);
    EXPECT_EQ(ChartState.DataKind, kKindHarmonics);
    EXPECT_EQ(SampleData.DataRate, 7.0);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{3, 4, 5, 6}));
}

TEST_F(AscFile, WriterBoundsRowsByWhatTheBufferHolds) {
    ChartState.DataKind = kKindMetSignal;
    SetSamples(2, {1, 2, 3, 4});
    SampleData.FrameCount = 1000;  // stale count after a failed open
    const std::string path = folder.File("b.asc");
    WriteAscFile(path);
    EXPECT_EQ(Text(path), kVersion + "30.12.1899\r\n1\t2\r\n3\t4\r\n");
    SampleData.FrameCount = 0;
    WriteAscFile(path);
    EXPECT_EQ(Text(path), kVersion + "30.12.1899\r\n");
}

TEST_F(AscFile, La4ImportTakesTheWindowShapeAfterTheNotice) {
    SampleData.DataTime = 1234.5;
    const std::string path = Put("la4.txt", "10 20 30\r\n40 50 60\r\n");
    bool announced = false;
    const ImportShape window{250, 3, -1};
    EXPECT_EQ(ReadAscFile(path, window, [&] {
                  announced = true;
                  EXPECT_TRUE(SampleData.SampleBuffer.empty());
              }),
              FileContent::La4Rows);
    EXPECT_TRUE(announced);
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_EQ(SampleData.DataRate, 250.0);
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.DataGain, 0);
    EXPECT_EQ(SampleData.DataTime, 1234.5);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{10, 20, 30, 40, 50, 60}));
}

TEST_F(AscFile, La4ImportWithoutChosenChannelsChangesNothing) {
    SetSamples(2, {1, 2});
    ChartState.DataKind = kKindSpectrum;
    bool announced = false;
    EXPECT_EQ(ReadAscFile(Put("la4.txt", "10 20\r\n"), ImportShape{250, 0, 0}, [&] { announced = true; }),
              FileContent::Refused);
    EXPECT_FALSE(announced);
    EXPECT_EQ(ChartState.DataKind, kKindSpectrum);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{1, 2}));
}

TEST_F(AscFile, FailuresKeepWhatWasReadSoFar) {
    EXPECT_EQ(MessageOf([&] { ReadAsc(folder.File("missing.asc")); }), "File not found");

    SampleData.FrameCount = 77;
    const std::string path = Put("bad.asc", kAcqHeader + "1\t2\r\n3\tx4\r\n5\t6\r\n");
    EXPECT_EQ(MessageOf([&] { ReadAsc(path); }), "Invalid numeric input");
    EXPECT_EQ(SampleData.SampleCount, 3);
    EXPECT_EQ(SampleData.DataRate, 400.0);
    EXPECT_EQ(SampleData.FrameCount, 77);
    EXPECT_EQ(MessageOf([&] { WriteAscFile(folder.File("no/dir.asc")); }), "File not found");
}
