#include <algorithm>

#include "tests/files/FileFormatTestSupport.h"

namespace {

std::string Label(const std::string& label, const std::string& value) { return label + value + "\r\n"; }

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

using AfFile = FileFormatTest;

TEST_F(AfFile, ResponseReadDerivesGainAndPhaseAgainstChannelZeroAndWritesItsRowsBack) {
    const std::string z = " 0.00000000000000E+0000";
    const std::string head = kVersionLine + "АЧХ И ФЧХ               \r\n" +
        Label("Частота сбора данных  : ", " 1.00000000000000E+0001") + Label("Количество каналов    : ", "3") +
        Label("Коэф. усиления АЦП    : ", "0") + Label("АЧХ, частота ЦАП      : ", z) +
        Label("АЧХ, напряжение       : ", z) + Label("АЧХ, нач. частота     : ", " 2.00000000000000E+0001") +
        Label("АЧХ, кон. частота     : ", z) + Label("АЧХ, скорость роста   : ", z) +
        Label("АЧХ, кол-во значений  : ", "1");
    // Amplitudes, then phases; one blank between values.
    const std::string step0 =
        " 1.00000000000000E+0002  1.00000000000000E+0001  1.00000000000000E+0003"
        "  3.50000000000000E+0002  1.00000000000000E+0001  9.00000000000000E+0001\r\n";
    const std::string path = Put("resp.af", head + step0 + "0 5 7 10 350 180 extra\r\n");
    SampleData.FrameCount = 500;
    EXPECT_EQ(ReadAfFile(path), FileContent::Response);
    EXPECT_EQ(ChartState.DataKind, kKindSweepGain);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(FrequencyResponse.AfcFreqBegin, 20.0);
    EXPECT_EQ(AnalysisResults.AmpTable.size(), 6u);
    ASSERT_EQ(FrequencyResponse.AfcDbTable.size(), 6u);
    const auto& db = FrequencyResponse.AfcDbTable;
    EXPECT_DOUBLE_EQ(db[0], -20);
    EXPECT_DOUBLE_EQ(db[1], 20);
    EXPECT_EQ(db[2], -100);  // the first amplitude of the step is 0
    EXPECT_EQ(db[3], -100);
    EXPECT_EQ(std::vector<double>(FrequencyResponse.AfcPhaseTable.begin(), FrequencyResponse.AfcPhaseTable.begin() + 4),
              (std::vector<double>{20, 100, -20, 170}));

    const std::string written = folder.File("back.af");
    EXPECT_EQ(WriteAfFile(written), FileContent::Response);
    EXPECT_EQ(Text(written), head + step0 +
        " 0.00000000000000E+0000  5.00000000000000E+0000  7.00000000000000E+0000"
        "  1.00000000000000E+0001  3.50000000000000E+0002  1.80000000000000E+0002\r\n");
}

TEST_F(AfFile, SpectrumAndHarmonicRowsFollowTheirHeaderCounts) {
    SetRecord(kKindTimeData, 2, 5, 0, {});  // acquisition data save their spectrum
    auto& results = AnalysisResults;
    results.SpectrumFirst = 10;
    results.SpectrumLast = 511;
    results.AmpTable.resize(2 * 512);
    for (size_t i = 0; i < results.AmpTable.size(); ++i) results.AmpTable[i] = static_cast<double>(i) * 0.25;
    const auto amplitudes = results.AmpTable;
    const std::string path = folder.File("s.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::Spectrum);
    EXPECT_EQ(LineCount(Text(path)), 2 + 7 + 502u);  // bins 10 to 511
    EXPECT_NE(Text(path).find("\r\n 5.00000000000000E+0000  5.25000000000000E+0000\r\n"), std::string::npos);

    ResetSharedState();
    EXPECT_EQ(ReadAfFile(path), FileContent::Spectrum);
    ASSERT_EQ(results.AmpTable.size(), 1024u);
    EXPECT_EQ(results.AmpTable[19], 0.0);  // below the first bin stays zero
    EXPECT_EQ(results.AmpTable[20], amplitudes[20]);
    EXPECT_EQ(results.AmpTable[1023], amplitudes[1023]);

    SetRecord(kKindHarmonicsLog, 1, 5, 0, {});
    results.FourierCount = 1000;
    WriteAfFile(path);
    EXPECT_EQ(LineCount(Text(path)), 2 + 6 + 501u);  // k = 0 to 500
}

TEST_F(AfFile, FilesTheProgramWritesOpenWithNoRangeChosenOrTheFirstBinAboveTheLast) {
    // A recording made with no input range stores gain 255; its samples must come back.
    SetRecord(kKindTimeData, 2, 5, 255, {1, -2, 3, -4});
    const std::string samples = folder.File("g.asc");
    WriteAscFile(samples);
    ResetSharedState();
    EXPECT_EQ(ReadAscFile(samples, {}, nullptr), FileContent::Acquisition);
    EXPECT_EQ(SampleData.DataGain, 255);
    EXPECT_EQ(SampleData.SampleBuffer, (std::vector<int16_t>{1, -2, 3, -4}));

    // The live spectrum lowers its last bin to the transform size but keeps a higher first one.
    SetRecord(kKindSpectrum, 2, 5, 0, {});
    AnalysisResults.SpectrumFirst = 600;
    AnalysisResults.SpectrumLast = 511;
    AnalysisResults.AmpTable.assign(2 * 512, 1.0);
    const std::string spectrum = folder.File("s.af");
    WriteAfFile(spectrum);
    ResetSharedState();
    EXPECT_EQ(ReadAfFile(spectrum), FileContent::Spectrum);
    EXPECT_EQ(AnalysisResults.SpectrumFirst, 600);
    EXPECT_EQ(AnalysisResults.SpectrumLast, 511);
    EXPECT_EQ(std::count(AnalysisResults.AmpTable.begin(), AnalysisResults.AmpTable.end(), 1.0), 0);
}

TEST_F(AfFile, ShortTablesAreWrittenAsZeros) {
    SetRecord(kKindSweepData, 2, 5, 0, {});
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
    SetRecord(kKindPower, 4, 5, 0, {});
    const std::string path = folder.File("o.af");
    EXPECT_EQ(WriteAfFile(path), FileContent::OtherKind);
    EXPECT_EQ(Text(path), kVersionLine);
    EXPECT_EQ(ReadAfFile(path), FileContent::OtherKind);
    EXPECT_EQ(ChartState.DataKind, kKindPower);
    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(ReadAfFile(Put("n.af", "1 2 3\r\n")), FileContent::NoVersion);
}

} // namespace
