#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "platform/TextFileTemp.h"

using platform::FileRealText;
using platform::TextReader;
using platform::TextWriter;

namespace {

// Independent reference: round the full exact expansion half away from zero by hand.
std::string ReferenceReal(double value) {
    static char exact[900];
    const double magnitude = std::fabs(value);
    auto done = std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 800);
    std::string digits;
    const char* p = exact;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            digits += *p;
        }
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), done.ptr, exponent);
    std::string kept = digits.substr(0, 15);
    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && kept[i] == '9') {
            kept[i--] = '0';
        }
        if (i < 0) {
            kept[0] = '1';
            ++exponent;
        } else {
            ++kept[i];
        }
    }
    std::string expText = std::to_string(std::abs(exponent));
    expText.insert(0, 4 - expText.size(), '0');
    return std::string(1, value < 0 ? '-' : ' ') + kept[0] + "." + kept.substr(1) + "E" +
           (exponent < 0 ? '-' : '+') + expText;
}

} // namespace

TEST(FileReal, WritesTwentyThreeCharactersRoundedHalfUpWithAFourDigitExponent) {
    const std::pair<double, std::string> cases[] = {
        {100, " 1.00000000000000E+0002"},
        {0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},
        {-0.5, "-5.00000000000000E-0001"},
        {2.0 / 3.0, " 6.66666666666667E-0001"},
        {5e-324, " 4.94065645841247E-0324"},
        {std::numeric_limits<double>::max(), " 1.79769313486232E+0308"},
        // Exact ties go away from zero, where printf's half-even would give ...00E+0014.
        {100000000000000.5, " 1.00000000000001E+0014"},
        {-100000000000000.5, "-1.00000000000001E+0014"},
        {100000000000002.5, " 1.00000000000003E+0014"},
        // A carry moves the exponent.
        {999999999999999.5, " 1.00000000000000E+0015"},
        {9.999999999999998, " 1.00000000000000E+0001"},
        {std::nan(""), std::string(20, ' ') + "Nan"},
        {INFINITY, std::string(19, ' ') + "+Inf"},
        {-INFINITY, std::string(19, ' ') + "-Inf"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FileRealText(value), text);
    }
}

TEST(FileReal, AgreesWithExactHalfUpRoundingOnRandomValuesAndTies) {
    std::mt19937_64 random(12345);
    for (int i = 0; i < 20000; ++i) {
        double value;
        const uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0) {
            continue;
        }
        ASSERT_EQ(FileRealText(value), ReferenceReal(value)) << bits;
    }
    for (int i = 0; i < 20000; ++i) {
        // n + 0.5 with 16 significant digits: exact ties at the 15th digit.
        const double tie = static_cast<double>(100000000000000 + random() % 800000000000000) + 0.5;
        ASSERT_EQ(FileRealText(tie), ReferenceReal(tie)) << tie;
        const double scaled = (static_cast<double>(random() % 10000000000000000) + 0.5) * 1024;
        ASSERT_EQ(FileRealText(-scaled), ReferenceReal(-scaled)) << scaled;
    }
}

TEST(TextWriter, WritesBytesIntegersRowsAndRealsAcrossItsBuffer) {
    TempFolder folder;
    const std::string path = folder.File("out.txt");
    TextWriter writer(path);
    writer.Write("a\xe2");
    writer.WriteChar('\t');
    writer.WriteInt(INT64_MIN);
    writer.WriteLineEnd();
    writer.WriteReal(-2.5);
    std::string expected = "a\xe2\t-9223372036854775808\r\n-2.50000000000000E+0000";
    const std::vector<int16_t> row{-32768, 0, 7, -45, 32767, 1000, -9999, 12345};
    for (int i = 0; i < 60000; ++i) {  // well past one buffer
        writer.WriteIntRow(row.data(), 1 + i % row.size());
        for (size_t c = 0; c <= i % row.size(); ++c) {
            expected += std::to_string(row[c]) + (c == i % row.size() ? "\r\n" : "\t");
        }
    }
    writer.Close();
    EXPECT_EQ(TempFolder::Bytes(path), expected);
}

TEST(FileWriters, FailuresGiveTheRuntimeMessages) {
    TempFolder folder;
    EXPECT_EQ(MessageOf([&] { TextWriter(folder.File("no/such/dir.asc")); }), "File not found");
    EXPECT_EQ(MessageOf([&] { platform::RecordWriter(folder.File("")); }), "File access denied");
    if (std::filesystem::exists("/dev/full")) {
        TextWriter text("/dev/full");
        text.Write("data");
        EXPECT_EQ(MessageOf([&] { text.Close(); }), "Disk full");
        platform::RecordWriter words("/dev/full");
        const int16_t word = 1;
        EXPECT_EQ(MessageOf([&] { words.Write(&word, 1); }), "Disk full");
    }
}
