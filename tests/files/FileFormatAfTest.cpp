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
        Label("АЧХ, кол-во значений  : ", "3");
    // Amplitudes, then phases; one blank between values.
    const std::string step0 =
        " 1.00000000000000E+0002  1.00000000000000E+0001  1.00000000000000E+0003"
        "  3.50000000000000E+0002  1.00000000000000E+0001  9.00000000000000E+0001\r\n";
    // Steps 2 and 3 differ by exactly +180 and -180: both become -180.
    const std::string path = Put("resp.af", head + step0 + "0 5 7 10 350 180 extra\r\n1 1 1 0 180 0\r\n1 1 1 180 0 180\r\n");
    SampleData.FrameCount = 500;
    EXPECT_EQ(ReadAfFile(path), FileContent::Response);
    EXPECT_EQ(ChartState.DataKind, kKindSweepGain);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(FrequencyResponse.AfcFreqBegin, 20.0);
    EXPECT_EQ(AnalysisResults.AmpTable.size(), 12u);
    ASSERT_EQ(FrequencyResponse.AfcDbTable.size(), 12u);
    const auto& db = FrequencyResponse.AfcDbTable;
    EXPECT_DOUBLE_EQ(db[0], -20);
    EXPECT_DOUBLE_EQ(db[1], 20);
    EXPECT_EQ(db[2], -100);  // the first amplitude of the step is 0
    EXPECT_EQ(db[3], -100);
    EXPECT_EQ(std::vector<double>(FrequencyResponse.AfcPhaseTable.begin(), FrequencyResponse.AfcPhaseTable.begin() + 8),
              (std::vector<double>{20, 100, -20, 170, -180, 0, -180, 0}));

    const std::string ones = " 1.00000000000000E+0000  1.00000000000000E+0000  1.00000000000000E+0000";
    const std::string deg180 = " 1.80000000000000E+0002";
    const std::string written = folder.File("back.af");
    EXPECT_EQ(WriteAfFile(written), FileContent::Response);
    EXPECT_EQ(Text(written), head + step0 +
        " 0.00000000000000E+0000  5.00000000000000E+0000  7.00000000000000E+0000"
        "  1.00000000000000E+0001  3.50000000000000E+0002  1.80000000000000E+0002\r\n" +
        ones + " " + z + " " + deg180 + " " + z + "\r\n" + ones + " " + deg180 + " " + z + " " + deg180 + "\r\n");
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

TEST_F(AfFile, AHeaderAnnouncingMoreRowsThanTheFileHoldsIsRefusedBeforeTheTablesAreSized) {
    const std::string rate = Label("Частота сбора данных  : ", " 1.00000000000000E+0001");
    const std::string sixteen = Label("Количество каналов    : ", "16") + Label("Коэф. усиления АЦП    : ", "0");
    const std::string z = " 0.00000000000000E+0000";
    // Two million harmonics of 16 channels would take some 500 MB of tables.
    const std::string harmonics = kVersionLine + "ПРЕОБРАЗОВАНИЕ ФУРЬЕ    \r\n" + rate + sixteen +
        Label("Начальное значение    : ", "0") + Label("Количество данных     : ", "2000000") +
        Label("Интервал              : ", z);
    EXPECT_LT(platform::Utf8ToCp1251(harmonics).size(), 300u);
    const std::string response = kVersionLine + "АЧХ И ФЧХ               \r\n" + rate + sixteen +
        Label("АЧХ, частота ЦАП      : ", z) + Label("АЧХ, напряжение       : ", z) +
        Label("АЧХ, нач. частота     : ", z) + Label("АЧХ, кон. частота     : ", z) +
        Label("АЧХ, скорость роста   : ", z) + Label("АЧХ, кол-во значений  : ", "65536") + "1 2 3\r\n";
    const std::string spectrum = kVersionLine + "СПЕКТРОАНАЛИЗ           \r\n" + rate + sixteen +
        Label("Начальное значение    : ", "0") + Label("Количество данных     : ", "1048576") +
        Label("БПФ, кол-во бит       : ", "21") + Label("БПФ, интервал         : ", z);
    for (const std::string& text : {harmonics, response, spectrum}) {
        ResetSharedState();
        try {
            ReadAfFile(Put("huge.af", text));
            ADD_FAILURE() << "read without an error:\n" << text;
        } catch (const platform::InOutError& e) {
            EXPECT_STREQ(e.what(), "Read beyond end of file");
        }
        EXPECT_EQ(AnalysisResults.AmpTable.capacity(), 0u);
        EXPECT_EQ(FrequencyResponse.AfcDbTable.capacity(), 0u);
    }

    // A file cut short in its last row (here its three phases) still opens, the missing values
    // as zeros.
    SetRecord(kKindHarmonics, 3, 5, 0, {});
    AnalysisResults.FourierCount = 8;
    AnalysisResults.AmpTable.assign(15, 2.0);
    AnalysisResults.PhaseTable.assign(15, 3.0);
    const std::string whole = folder.File("h.af");
    WriteAfFile(whole);
    const std::string bytes = TempFolder::Bytes(whole);
    const std::string cut = folder.Put("cut.af", bytes.substr(0, bytes.size() - 3 * 24 - 2));
    ResetSharedState();
    EXPECT_EQ(ReadAfFile(cut), FileContent::Harmonics);
    ASSERT_EQ(AnalysisResults.PhaseTable.size(), 15u);
    EXPECT_EQ(AnalysisResults.AmpTable[14], 2.0);
    EXPECT_EQ(AnalysisResults.PhaseTable[11], 3.0);
    EXPECT_EQ(AnalysisResults.PhaseTable[12], 0.0);
}

TEST_F(AfFile, EachKindWritesTheTablesOfItsFamilyAndOtherKindsTheVersionLineAlone) {
    struct Family {
        int first, last;
        FileContent content;
        const char* kindLine;
    };
    const Family families[] = {
        {kKindTimeData, kKindTimeData, FileContent::Spectrum, "СПЕКТРОАНАЛИЗ           \r\n"},
        {kKindSweepData, kKindSweepPhases, FileContent::Response, "АЧХ И ФЧХ               \r\n"},
        {kKindHarmonics, kKindHarmonicsLog, FileContent::Harmonics, "ПРЕОБРАЗОВАНИЕ ФУРЬЕ    \r\n"},
        {kKindSpectrum, kKindSpectrum, FileContent::Spectrum, "СПЕКТРОАНАЛИЗ           \r\n"},
    };
    const std::string path = folder.File("o.af");
    for (int kind = kKindEmpty; kind <= kKindPlaybackData + 1; ++kind) {
        SCOPED_TRACE(kind);
        SetRecord(static_cast<uint8_t>(kind), 4, 5, 0, {});
        const Family* family = nullptr;
        for (const Family& f : families) {
            if (kind >= f.first && kind <= f.last) family = &f;
        }
        EXPECT_EQ(WriteAfFile(path), family ? family->content : FileContent::OtherKind);
        const std::string text = Text(path);
        if (family) {
            EXPECT_EQ(text.substr(kVersionLine.size(), std::string(family->kindLine).size()), family->kindLine);
        } else {
            EXPECT_EQ(text, kVersionLine);
        }
    }

    SetRecord(kKindPower, 4, 5, 0, {});
    WriteAfFile(path);
    EXPECT_EQ(ReadAfFile(path), FileContent::OtherKind);
    EXPECT_EQ(ChartState.DataKind, kKindPower);
    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(ReadAfFile(Put("n.af", "1 2 3\r\n")), FileContent::NoVersion);
}

} // namespace
