#include "window/FileFormatTestSupport.h"

#include "platform/DateTime.h"
#include "platform/TextFile.h"

namespace {

std::string WrittenHeader(HeaderSet set) {
    TempFolder scratch;
    const std::string path = scratch.File("h.txt");
    platform::TextWriter file(path);
    WriteHeader(file, set);
    file.Close();
    return platform::Cp1251ToUtf8(TempFolder::Bytes(path));
}

} // namespace

class FileLines : public FileFormatTest {};

TEST_F(FileLines, VersionLineIsTheFieldFourBlanksAndTheDate) {
    const std::string path = folder.File("v.txt");
    platform::TextWriter file(path);
    WriteVersionLine(file, 0);
    WriteVersionLine(file, platform::EncodeDate(2024, 12, 9) + platform::EncodeTime(4, 15, 7, 0));
    file.Close();
    const std::string bytes = TempFolder::Bytes(path);
    EXPECT_EQ(bytes.substr(0, 27), std::string("Quev Dorvaline, \xe2. 1.02    "));
    EXPECT_EQ(platform::Cp1251ToUtf8(bytes),
              kVersion + "30.12.1899\r\n" + kVersion + "09.12.2024 04:15:07\r\n");
}

TEST_F(FileLines, RateLineHasTwoBlanksBeforeAPositiveRealAndNoneBeforeANegative) {
    SampleData.DataRate = 100;
    SampleData.DataChannels = 4;
    SampleData.DataGain = 2;
    EXPECT_EQ(WrittenHeader(HeaderSet::A),
              "Частота сбора данных  :  1.00000000000000E+0002\r\n"
              "Количество каналов    : 4\r\n"
              "Коэф. усиления АЦП    : 2\r\n");
    SampleData.DataRate = -2.5;
    EXPECT_EQ(WrittenHeader(HeaderSet::A).rfind("Частота сбора данных  : -2.50000000000000E+0000\r\n", 0), 0u);
}

TEST_F(FileLines, KindLineIsPaddedTo24AndOnlyThePaddedWordIsRecognised) {
    const std::string path = folder.File("k.txt");
    platform::TextWriter file(path);
    WriteKindLine(file, FileKind::Acquisition);
    WriteKindLine(file, FileKind::Spectrum);
    file.Close();
    EXPECT_EQ(Text(path), "СБОР ДАННЫХ             \r\nСПЕКТРОАНАЛИЗ           \r\n");

    auto reader = platform::TextReader::FromBytes(platform::Utf8ToCp1251(
        "СБОР ДАННЫХ\r\nДАННЫЕ ДЛЯ ДШК ШЭМ     x\r\nАЧХ И ФЧХ              whatever\r\n"));
    EXPECT_EQ(ReadKindLine(reader), FileKind::Other);
    EXPECT_EQ(ReadKindLine(reader), FileKind::DshkData);
    EXPECT_EQ(ReadKindLine(reader), FileKind::Response);
    EXPECT_EQ(ReadKindLine(reader), FileKind::Other);
}

TEST_F(FileLines, LabelsAreTakenByPositionNotCompared) {
    auto reader = platform::TextReader::FromBytes(
        "any twenty-three chars: 2.5e1 trailing\r\n"
        "xxxxxxxxxxxxxxxxxxxxxxx 3\r\n"
        "xxxxxxxxxxxxxxxxxxxxxxx1\r\n");
    ReadHeader(reader, HeaderSet::A);
    EXPECT_EQ(SampleData.DataRate, 25.0);
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.DataGain, 1);
}

TEST_F(FileLines, OutOfRangeHeaderValueFailsAtThatField) {
    struct Case {
        HeaderSet set;
        std::vector<std::string> values;  // one per field, the last one bad
    };
    const std::vector<Case> cases{
        {HeaderSet::A, {"50", "0"}},
        {HeaderSet::A, {"50", "17"}},
        {HeaderSet::A, {"50", "257"}},  // its low 8 bits would be a valid 1
        {HeaderSet::A, {"50", "2", "4"}},
        {HeaderSet::A, {"50", "2", "-1"}},
        {HeaderSet::C, {"50", "2", "0", "1", "1", "1", "1", "1", "-1"}},
        {HeaderSet::C, {"50", "2", "0", "1", "1", "1", "1", "1", std::to_string(kMaxFileSteps + 1)}},
        {HeaderSet::D, {"50", "2", "0", "0", "-2"}},
        {HeaderSet::D, {"50", "2", "0", "-1"}},
        {HeaderSet::E, {"50", "2", "0", "-1"}},
        {HeaderSet::E, {"50", "2", "0", "20", "19"}},
        {HeaderSet::E, {"50", "2", "0", "0", "10", "40"}},
    };
    for (const Case& c : cases) {
        ResetSharedState();
        SampleData.DataChannels = 9;
        SampleData.DataGain = 3;
        std::string text;
        for (const std::string& value : c.values) {
            text += std::string(23, '.') + " " + value + "\r\n";
        }
        auto reader = platform::TextReader::FromBytes(text);
        EXPECT_EQ(MessageOf([&] { ReadHeader(reader, c.set); }), "Invalid numeric input") << text;
        EXPECT_EQ(SampleData.DataRate, 50.0);  // fields before the bad one keep their new value
        if (c.values.size() == 2) {
            EXPECT_EQ(SampleData.DataChannels, 9);  // the bad field itself is not stored
        }
    }
}

TEST_F(FileLines, DateThatDoesNotConvertFailsWithTheConversionMessage) {
    auto reader = platform::TextReader::FromBytes(
        platform::Utf8ToCp1251("Quev Dorvaline, в. 1.02    31.02.2024\r\n"));
    ASSERT_TRUE(ReadVersionField(reader));
    const std::string message = MessageOf([&] { ReadDateTimeField(reader); });
    EXPECT_EQ(message, "'31.02.2024' is not a valid date and time");
}

TEST_F(FileLines, OnlyTheTwoVersionFieldsAreRecognised) {
    const auto recognised = [](const std::string& utf8) {
        auto reader = platform::TextReader::FromBytes(platform::Utf8ToCp1251(utf8));
        return ReadVersionField(reader);
    };
    EXPECT_TRUE(recognised("Quev Dorvaline, в. 1.01xyz"));
    EXPECT_TRUE(recognised("Quev Dorvaline, в. 1.02"));
    EXPECT_FALSE(recognised("Quev Dorvaline, в. 1.03"));
    EXPECT_FALSE(recognised("Quev Dorvaline, в. 1.0\r\n2"));
    EXPECT_FALSE(recognised(""));
}
