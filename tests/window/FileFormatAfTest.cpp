#include "window/FileFormatTestSupport.h"

#include <cmath>

namespace {

std::string Line(const std::vector<std::string>& values) {
    std::string row;
    for (size_t i = 0; i < values.size(); ++i) {
        row += (i ? " " : "") + values[i];
    }
    return row + "\r\n";
}

std::string Label(const std::string& label, const std::string& value) { return label + value + "\r\n"; }

} // namespace

class AfFile : public FileFormatTest {};

TEST_F(AfFile, ResponseRowsAreAmplitudesThenPhasesSeparatedByOneBlank) {
    ChartState.DataKind = kKindSweepGain;
    SampleData.DataChannels = 2;
    FrequencyResponse.AfcSteps = 0;
    AnalysisResults.AmpTable = {100, 50};
    AnalysisResults.PhaseTable = {0, 90};
    const std::string path = folder.File("r.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::Response);
    const std::string text = Text(path);
    const std::string row =
        " 1.00000000000000E+0002  5.00000000000000E+0001  0.00000000000000E+0000  9.00000000000000E+0001\r\n";
    ASSERT_GE(text.size(), row.size());
    EXPECT_EQ(text.substr(text.size() - row.size()), row);
    EXPECT_NE(text.find("\r\nАЧХ И ФЧХ               \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nАЧХ, кол-во значений  : 0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("нарастание"), std::string::npos);  // set C ends before rise and fall
}

TEST_F(AfFile, ResponseReadDerivesGainAndPhaseAgainstChannelZero) {
    const std::string z = " 0.00000000000000E+0000";
    const std::string path = Put("resp.af",
        kVersion + "30.12.1899\r\n"
        "АЧХ И ФЧХ               \r\n" +
        Label("Частота сбора данных  : ", " 1.00000000000000E+0001") +
        Label("Количество каналов    : ", "3") + Label("Коэф. усиления АЦП    : ", "0") +
        Label("АЧХ, частота ЦАП      : ", z) + Label("АЧХ, напряжение       : ", z) +
        Label("АЧХ, нач. частота     : ", " 2.00000000000000E+0001") +
        Label("АЧХ, кон. частота     : ", z) + Label("АЧХ, скорость роста   : ", z) +
        Label("АЧХ, кол-во значений  : ", "1") +
        Line({"100", "10", "1000", "350", "10", "90"}) + Line({"0", "5", "7", "10", "350", "180", "extra"}));
    SampleData.FrameCount = 500;
    EXPECT_EQ(ReadAfFile(path), FileContent::Response);
    EXPECT_EQ(ChartState.DataKind, kKindSweepGain);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(FrequencyResponse.AfcFreqBegin, 20.0);
    EXPECT_EQ(AnalysisResults.AmpTable.size(), 6u);
    EXPECT_EQ(FrequencyResponse.AfcDbTable.size(), 6u);
    const auto& db = FrequencyResponse.AfcDbTable;
    EXPECT_DOUBLE_EQ(db[0], -20);
    EXPECT_DOUBLE_EQ(db[1], 20);
    EXPECT_EQ(db[2], -100);
    EXPECT_EQ(db[3], -100);
    EXPECT_EQ(FrequencyResponse.AfcPhaseTable[0], 20);
    EXPECT_EQ(FrequencyResponse.AfcPhaseTable[1], 100);
    EXPECT_EQ(FrequencyResponse.AfcPhaseTable[2], -20);
    EXPECT_EQ(FrequencyResponse.AfcPhaseTable[3], 170);
}

TEST_F(AfFile, SpectrumRowsRunFromFirstToLastBinInclusive) {
    ChartState.DataKind = kKindTimeData;  // acquisition data save their spectrum as ".af"
    SampleData.DataChannels = 2;
    AnalysisResults.SpectrumFirst = 10;
    AnalysisResults.SpectrumLast = 511;
    AcquisitionSettings.FftBits = 12;
    AnalysisResults.AnalysisInterval = 1.5;
    AnalysisResults.AmpTable.resize(2 * 512);
    for (size_t i = 0; i < AnalysisResults.AmpTable.size(); ++i) {
        AnalysisResults.AmpTable[i] = i * 0.25;
    }
    const auto amplitudes = AnalysisResults.AmpTable;
    const std::string path = folder.File("s.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::Spectrum);
    const std::string text = Text(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 7 + 502);
    EXPECT_NE(text.find("\r\n 5.00000000000000E+0000  5.25000000000000E+0000\r\n"), std::string::npos);

    ResetSharedState();
    EXPECT_EQ(ReadAfFile(path), FileContent::Spectrum);
    EXPECT_EQ(ChartState.DataKind, kKindSpectrum);
    EXPECT_EQ(AnalysisResults.SpectrumLast, 511);
    EXPECT_EQ(AcquisitionSettings.FftBits, 12);
    EXPECT_EQ(AnalysisResults.AnalysisInterval, 1.5);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 1024u);
    EXPECT_EQ(AnalysisResults.AmpTable[19], 0.0);  // below the first bin stays zero
    EXPECT_EQ(AnalysisResults.AmpTable[20], amplitudes[20]);
    EXPECT_EQ(AnalysisResults.AmpTable[1023], amplitudes[1023]);
}

TEST_F(AfFile, HarmonicsRoundTripWithNonFiniteValues) {
    ChartState.DataKind = kKindHarmonicsLog;
    SampleData.DataChannels = 1;
    SampleData.DataRate = 50;
    AnalysisResults.FourierFirst = 100;
    AnalysisResults.FourierCount = 1000;
    AnalysisResults.AnalysisInterval = 1;
    AnalysisResults.AmpTable.assign(501, 1.0 / 3);
    AnalysisResults.PhaseTable.assign(501, 2.0);
    AnalysisResults.PhaseTable[7] = std::nan("");
    AnalysisResults.AmpTable[8] = -INFINITY;
    const std::string path = folder.File("h.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::Harmonics);
    const std::string before = TempFolder::Bytes(path);
    const std::string text = Text(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 6 + 501);

    ResetSharedState();
    EXPECT_EQ(ReadAfFile(path), FileContent::Harmonics);
    EXPECT_EQ(ChartState.DataKind, kKindHarmonics);
    EXPECT_EQ(AnalysisResults.FourierFirst, 100);
    ASSERT_EQ(AnalysisResults.PhaseTable.size(), 501u);
    EXPECT_TRUE(std::isnan(AnalysisResults.PhaseTable[7]));
    EXPECT_EQ(AnalysisResults.AmpTable[8], -INFINITY);
    EXPECT_NEAR(AnalysisResults.AmpTable[500], 1.0 / 3, 1e-15);
    WriteAfFile(path);
    EXPECT_EQ(TempFolder::Bytes(path), before);
}

TEST_F(AfFile, ShortTablesAreWrittenAsZeros) {
    ChartState.DataKind = kKindSweepData;
    SampleData.DataChannels = 2;
    FrequencyResponse.AfcSteps = 2;
    AnalysisResults.AmpTable = {1, 2};  // one step of amplitudes, no phases
    const std::string path = folder.File("z.af");
    WriteAfFile(path);
    ResetSharedState();
    ReadAfFile(path);
    EXPECT_EQ(AnalysisResults.AmpTable, (std::vector<double>{1, 2, 0, 0, 0, 0}));
    EXPECT_EQ(AnalysisResults.PhaseTable, (std::vector<double>(6, 0.0)));
}

TEST_F(AfFile, OtherKindsWriteTheVersionLineAloneAndReadNothing) {
    ChartState.DataKind = kKindPower;
    SampleData.DataTime = 0;
    const std::string path = folder.File("o.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::OtherKind);
    EXPECT_EQ(Text(path), kVersion + "30.12.1899\r\n");
    SampleData.DataChannels = 4;
    EXPECT_EQ(ReadAfFile(path), FileContent::OtherKind);
    EXPECT_EQ(ChartState.DataKind, kKindPower);
    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(ReadAfFile(Put("n.af", "1 2 3\r\n")), FileContent::NoVersion);
}

TEST_F(AfFile, ResponseFileWithBadChannelCountFailsBeforeAnyTable) {
    AnalysisResults.AmpTable = {9};
    const std::string path = Put("bad.af",
        kVersion + "30.12.1899\r\nАЧХ И ФЧХ               \r\n" +
        Label("Частота сбора данных  : ", "1") + Label("Количество каналов    : ", "0") + "1 2 3\r\n");
    EXPECT_EQ(MessageOf([&] { ReadAfFile(path); }), "Invalid numeric input");
    EXPECT_EQ(AnalysisResults.AmpTable, (std::vector<double>{9}));
}
