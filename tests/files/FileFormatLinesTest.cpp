#include <functional>
#include <utility>

#include "platform/TextFile.h"
#include "tests/files/FileFormatTestSupport.h"

namespace {

platform::TextReader Reading(const std::string& utf8) {
    return platform::TextReader::FromBytes(platform::Utf8ToCp1251(utf8));
}

using FileLines = FileFormatTest;

void WriteHeaderFile(const std::string& path, HeaderSet set) {
    platform::TextWriter file(path);
    WriteHeader(file, set);
    file.Close();
}

// Every field its own value, so that a label or a field in the wrong place shows in the bytes.
void DistinctHeaderValues() {
    SampleData.DataRate = -2.5;  // a negative real stands directly after the label
    SampleData.DataChannels = 4;
    SampleData.DataGain = 2;
    auto& afc = FrequencyResponse;
    afc.AfcDacRate = 12.5, afc.AfcAmplitude = 750, afc.AfcFreqBegin = 5, afc.AfcFreqEnd = 80;
    afc.AfcOctavesPerMin = 30, afc.AfcSteps = 9, afc.AfcRiseTime = 2.25, afc.AfcFallTime = 1.75;
    auto& results = AnalysisResults;
    results.FourierFirst = 11, results.FourierCount = 64, results.AnalysisInterval = 0.125;
    results.SpectrumFirst = 3, results.SpectrumLast = 500;
    AcquisitionSettings.FftBits = 12;
}

TEST_F(FileLines, EverySetIsWrittenByteForByteAndReadsBackIntoTheSameFields) {
    const std::string common =
        "Частота сбора данных  : -2.50000000000000E+0000\r\n"
        "Количество каналов    : 4\r\n"
        "Коэф. усиления АЦП    : 2\r\n";
    const std::string sweep =
        "АЧХ, частота ЦАП      :  1.25000000000000E+0001\r\n"
        "АЧХ, напряжение       :  7.50000000000000E+0002\r\n"
        "АЧХ, нач. частота     :  5.00000000000000E+0000\r\n"
        "АЧХ, кон. частота     :  8.00000000000000E+0001\r\n"
        "АЧХ, скорость роста   :  3.00000000000000E+0001\r\n"
        "АЧХ, кол-во значений  : 9\r\n";
    const std::string riseAndFall =
        "АЧХ, нарастание       :  2.25000000000000E+0000\r\n"
        "АЧХ, убывание         :  1.75000000000000E+0000\r\n";
    const std::pair<HeaderSet, std::string> sets[] = {
        {HeaderSet::A, common},
        {HeaderSet::B, common + sweep + riseAndFall},
        {HeaderSet::C, common + sweep},
        {HeaderSet::D, common +
            "Начальное значение    : 11\r\n"
            "Количество данных     : 64\r\n"
            "Интервал              :  1.25000000000000E-0001\r\n"},
        {HeaderSet::E, common +
            "Начальное значение    : 3\r\n"
            "Количество данных     : 500\r\n"
            "БПФ, кол-во бит       : 12\r\n"
            "БПФ, интервал         :  1.25000000000000E-0001\r\n"},
    };
    for (const auto& [set, expected] : sets) {
        SCOPED_TRACE(static_cast<int>(set));
        ResetSharedState();
        DistinctHeaderValues();
        const std::string path = folder.File("h.txt");
        WriteHeaderFile(path, set);
        EXPECT_EQ(Text(path), expected);

        // Read into a fresh state and written again, each value comes back under its own label.
        ResetSharedState();
        auto reader = Reading(expected);
        ReadHeader(reader, set);
        WriteHeaderFile(path, set);
        EXPECT_EQ(Text(path), expected);
    }
}

TEST_F(FileLines, KindLineIsPaddedTo24AndOnlyThePaddedWordIsRecognised) {
    const std::string path = folder.File("k.txt");
    platform::TextWriter file(path);
    WriteKindLine(file, FileKind::Acquisition);
    WriteKindLine(file, FileKind::Spectrum);
    file.Close();
    EXPECT_EQ(Text(path), "СБОР ДАННЫХ             \r\nСПЕКТРОАНАЛИЗ           \r\n");

    auto reader = Reading("СБОР ДАННЫХ\r\nДАННЫЕ ДЛЯ ДШК ШЭМ     x\r\nАЧХ И ФЧХ              whatever\r\n");
    EXPECT_EQ(ReadKindLine(reader), FileKind::Other);
    EXPECT_EQ(ReadKindLine(reader), FileKind::DshkData);
    EXPECT_EQ(ReadKindLine(reader), FileKind::Response);
    EXPECT_EQ(ReadKindLine(reader), FileKind::Other);
}

TEST_F(FileLines, LabelsAreTakenByPositionNotCompared) {
    auto reader = Reading("any twenty-three chars: 2.5e1 trailing\r\n"
                          "xxxxxxxxxxxxxxxxxxxxxxx 3\r\n"
                          "xxxxxxxxxxxxxxxxxxxxxxx1\r\n");
    ReadHeader(reader, HeaderSet::A);
    EXPECT_EQ(SampleData.DataRate, 25.0);
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.DataGain, 1);
}

TEST_F(FileLines, OutOfRangeHeaderValueFailsAtThatField) {
    // One value per field, the last one bad.
    const std::pair<HeaderSet, std::vector<std::string>> cases[] = {
        {HeaderSet::A, {"50", "0"}},
        {HeaderSet::A, {"50", "17"}},
        {HeaderSet::A, {"50", "257"}},  // its low 8 bits would be a valid 1
        {HeaderSet::A, {"50", "2", "-1"}},  // not a byte
        {HeaderSet::A, {"50", "2", "256"}},
        {HeaderSet::C, {"50", "2", "0", "1", "1", "1", "1", "1", "-1"}},
        {HeaderSet::C, {"50", "2", "0", "1", "1", "1", "1", "1", std::to_string(kMaxFileSteps + 1)}},
        {HeaderSet::D, {"50", "2", "0", "0", "-2"}},
        {HeaderSet::E, {"50", "2", "0", "-1"}},
        {HeaderSet::E, {"50", "2", "0", "0", std::to_string(kMaxFileSpectrumBin + 1)}},
        {HeaderSet::E, {"50", "2", "0", "0", "10", "40"}},
    };
    for (const auto& [set, values] : cases) {
        ResetSharedState();
        SampleData.DataChannels = 9;
        std::string text;
        for (const std::string& value : values) text += std::string(23, '.') + " " + value + "\r\n";
        auto reader = platform::TextReader::FromBytes(text);
        EXPECT_EQ(MessageOf([&] { ReadHeader(reader, set); }), "Invalid numeric input") << text;
        EXPECT_EQ(SampleData.DataRate, 50.0);  // fields before the bad one keep their new value
        if (values.size() == 2) {
            EXPECT_EQ(SampleData.DataChannels, 9);  // the bad one is not stored
        }
    }
}

TEST_F(FileLines, ValuesStoredDataCanHoldAreTakenAsTheyAre) {
    // A gain byte with no range chosen, a live spectrum saved with its first bin above the last,
    // and a window start below 0: each opens with the value in its field.
    struct Case {
        HeaderSet set;
        std::vector<std::string> values;
        std::function<bool()> taken;
    };
    const Case cases[] = {
        {HeaderSet::A, {"50", "2", "255"}, [] { return SampleData.DataGain == 255; }},
        {HeaderSet::A, {"50", "2", "4"}, [] { return SampleData.DataGain == 4; }},
        {HeaderSet::E, {"50", "2", "0", "600", "511", "10", "1"},
         [] { return AnalysisResults.SpectrumFirst == 600 && AnalysisResults.SpectrumLast == 511; }},
        {HeaderSet::D, {"50", "2", "0", "-5", "10", "1"}, [] { return AnalysisResults.FourierFirst == -5; }},
    };
    for (const Case& c : cases) {
        ResetSharedState();
        std::string text;
        for (const std::string& value : c.values) text += std::string(23, '.') + " " + value + "\r\n";
        auto reader = platform::TextReader::FromBytes(text);
        EXPECT_NO_THROW(ReadHeader(reader, c.set)) << text;
        EXPECT_TRUE(c.taken()) << text;
    }
}

TEST_F(FileLines, OnlyTheTwoVersionFieldsAreRecognisedAndTheDateMustConvert) {
    const std::pair<const char*, bool> fields[] = {
        {"Quev Dorvaline, в. 1.01xyz", true}, {"Quev Dorvaline, в. 1.02", true},
        {"Quev Dorvaline, в. 1.03", false},   {"Quev Dorvaline, в. 1.0\r\n2", false}, {"", false}};
    for (const auto& [text, recognised] : fields) {
        auto reader = Reading(text);
        EXPECT_EQ(ReadVersionField(reader), recognised) << text;
    }
    auto reader = Reading("Quev Dorvaline, в. 1.02    31.02.2024\r\n");
    ASSERT_TRUE(ReadVersionField(reader));
    EXPECT_EQ(MessageOf([&] { ReadDateTimeField(reader); }), "'31.02.2024' is not a valid date and time");
}

} // namespace
