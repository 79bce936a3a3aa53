#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "platform/TextFile.h"
#include "platform/TextFileTemp.h"

using platform::TextReader;

namespace {

// Integers are read at the end of a short text and with plenty of text behind them, where the
// reader takes its quick way; both must agree.
const std::string kLongTail = " " + std::string(100, '7');

int32_t Int(const std::string& text) {
    const int32_t alone = TextReader::FromBytes(text).ReadInt();
    EXPECT_EQ(TextReader::FromBytes(text + kLongTail).ReadInt(), alone) << text;
    return alone;
}

double Real(const std::string& text) { return TextReader::FromBytes(text).ReadReal(); }

void ExpectRejected(const std::string& text, bool real) {
    for (const std::string& whole : {text, text + kLongTail}) {
        auto reader = TextReader::FromBytes(whole);
        EXPECT_EQ(MessageOf([&] { real ? reader.ReadReal() : reader.ReadInt(); }), "Invalid numeric input")
            << "accepted '" << text << "'";
    }
}

} // namespace

TEST(TextReader, LineEndsAtCarriageReturnAndCtrlZEndsTheText) {
    auto reader = TextReader::FromBytes("ab\ncd\r\n\nef\r\rgh\r\n12 34\x1a 56\r\n");
    EXPECT_EQ(reader.ReadChars(10), "ab\ncd");  // a lone LF is an ordinary byte
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(10), "\nef");    // only one LF after CR is skipped
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(10), "");        // CR CR is an empty line
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(1), "g");
    EXPECT_EQ(reader.ReadChars(5), "h");
    reader.SkipLine();
    EXPECT_EQ(reader.ReadInt(), 12);
    EXPECT_EQ(reader.ReadInt(), 34);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_EQ(reader.ReadChars(3), "");
}

TEST(TextReader, AnyByteAtOrBelowBlankSeparatesNumbersAndTheEndReadsZero) {
    auto reader = TextReader::FromBytes("\t 1 junk\r\n\r\n-2\x01\x1f" "3\x7f" "4 ");
    EXPECT_EQ(reader.ReadInt(), 1);
    reader.SkipLine();  // the number stopped before its separator
    EXPECT_EQ(reader.ReadInt(), -2);
    EXPECT_EQ(MessageOf([&] { reader.ReadInt(); }), "Invalid numeric input");  // 0x7f is no blank
    auto tail = TextReader::FromBytes(" 7 \r\n  ");
    EXPECT_EQ(tail.ReadInt(), 7);
    EXPECT_EQ(tail.ReadInt(), 0);
    EXPECT_EQ(tail.ReadReal(), 0.0);
}

TEST(TextReader, IntegersCoverTheSigned32BitRangeInAtMost32Characters) {
    EXPECT_EQ(Int("2147483647"), 2147483647);
    EXPECT_EQ(Int("-2147483648"), INT32_MIN);
    EXPECT_EQ(Int("999999999"), 999999999);
    EXPECT_EQ(Int("-1000000000"), -1000000000);
    EXPECT_EQ(Int("+00012"), 12);
    EXPECT_EQ(Int("\t\r\n -0"), 0);
    EXPECT_EQ(Int(std::string(32, '0')), 0);
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "abc", "-", "+", "--1", "1-", "0x10",
                            "1e3", "99999999999999999999999"}) {
        ExpectRejected(bad, false);
    }
    ExpectRejected(std::string(33, '0'), false);
}

TEST(TextReader, RealsFollowTheDecimalGrammarAndTheWritersNonFiniteWords) {
    EXPECT_EQ(Real("-1.5e3"), -1500.0);
    EXPECT_EQ(Real("+.5"), 0.5);
    EXPECT_EQ(Real("2."), 2.0);
    EXPECT_EQ(Real(" 1.00000000000000E+0002"), 100.0);
    EXPECT_EQ(Real("4.94065645841247E-0324"), 4.94065645841247E-324);
    EXPECT_EQ(Real("1e-400"), 0.0);
    EXPECT_EQ(Real(std::string(63, '0') + "7"), 7.0);
    EXPECT_TRUE(std::isnan(Real("                    Nan")));
    EXPECT_EQ(Real("+Inf"), INFINITY);
    EXPECT_EQ(Real("-Inf"), -INFINITY);
    for (const char* bad : {"1e400", "1E", "e5", ".", "-", "1.2.3", "1e+", "1,5", "nan", "inf",
                            "NaN", "Inf", "-Nan", "1e5x", "0x1p3"}) {
        ExpectRejected(bad, true);
    }
    ExpectRejected(std::string(64, '0') + "7", true);
}

TEST(TextReader, NumbersSpanningReadBlocksReadWhole) {
    // Some numbers straddle every multiple of the 1 MiB read block; Ctrl-Z lies in a later block.
    std::string text;
    std::vector<int> expected;
    for (int i = 0; text.size() < (3u << 20); ++i) {
        const int value = static_cast<int>((static_cast<int64_t>(i) * 7919) % 2000003) - 1000000;
        text += std::to_string(value) + ((i % 5 == 0) ? "\r\n" : "\t");
        expected.push_back(value);
    }
    text += "\x1a" "5\r\n";
    TempFolder folder;
    const std::string path = folder.Put("big.txt", text);
    for (int source = 0; source < 2; ++source) {
        TextReader reader = source == 0 ? TextReader(path) : TextReader::FromBytes(text);
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(reader.ReadInt(), expected[i]) << "number " << i;
        }
        EXPECT_FALSE(reader.AtEnd());  // the last separator is still there
        EXPECT_EQ(reader.ReadInt(), 0);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(TextReader, OpeningGivesTheRuntimeMessages) {
    TempFolder folder;
    EXPECT_EQ(MessageOf([&] { TextReader(folder.File("none.asc")); }), "File not found");
    EXPECT_EQ(MessageOf([&] { TextReader(folder.File("")); }), "File access denied");
#ifdef _WIN32
    // Windows reports a path through a file as a path that is not there.
    const char* throughAFile = "File not found";
#else
    const char* throughAFile = "Invalid filename";
#endif
    EXPECT_EQ(MessageOf([&] { TextReader(folder.Put("plain", "x") + "/below"); }), throughAFile);
}

TEST(TextReader, SampleRowReadingAgreesWithReadingNumbersOneByOne) {
    // Tokens of every length and sign with assorted separators; the row reader's quick way
    // must give what ReadInt gives, kept to the low 16 bits.
    std::mt19937 random(99);
    const char* separators[] = {" ", "\t", "\r\n", "\x01", "  \t"};
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 9);
        std::string token = (random() % 3 == 0) ? "-" : (random() % 7 == 0 ? "+" : "");
        token += random() % 11 == 0 ? "0000" : "";
        for (int d = 0; d < digits; ++d) {
            token += static_cast<char>('0' + random() % 10);
        }
        text += token + separators[random() % 5];
    }
    auto byRow = TextReader::FromBytes(text);
    auto oneByOne = TextReader::FromBytes(text);
    std::vector<int16_t> row(16);
    for (int r = 0; r < 200000 / 16; ++r) {
        size_t done = 0;
        byRow.ReadLow16Ints(row.data(), row.size(), done);
        ASSERT_EQ(done, row.size());
        for (size_t c = 0; c < row.size(); ++c) {
            ASSERT_EQ(row[c], static_cast<int16_t>(oneByOne.ReadInt())) << "row " << r << " value " << c;
        }
    }
    // A bad token stops the row reader after the values before it.
    auto bad = TextReader::FromBytes("1 2 x3 4" + std::string(200, ' '));
    size_t done = 0;
    EXPECT_EQ(MessageOf([&] { bad.ReadLow16Ints(row.data(), 4, done); }), "Invalid numeric input");
    EXPECT_EQ(done, 2u);
}

TEST(TextReader, RowsReadInBulkAgreeWithReadingThemRowByRow) {
    // Mostly plain rows, with now and then what the bulk reader must leave to the row reader:
    // long or signed-plus numbers, extra values before the line end, a lone CR or LF, a row
    // spread over two lines. Long enough to cross read blocks.
    constexpr size_t kChannels = 16;
    std::mt19937 random(7);
    std::string text;
    for (int r = 0; r < 40000; ++r) {
        for (size_t c = 0; c < kChannels; ++c) {
            const int kind = static_cast<int>(random() % 200);
            std::string token = random() % 2 ? "-" : "";
            if (kind == 0) token = "+";
            const int digits = kind == 1 ? 9 : 1 + static_cast<int>(random() % 5);
            for (int d = 0; d < digits; ++d) token += static_cast<char>('0' + random() % 10);
            const bool last = c + 1 == kChannels;
            const char* after = last ? "\r\n" : (kind == 2 ? "\r\n" : "\t");
            if (last && kind == 3) after = " 5 6\r\n";
            if (last && kind == 4) after = "\r";
            if (last && kind == 5) after = "\n";
            text += token + after;
        }
    }
    auto bulk = TextReader::FromBytes(text);
    auto rowByRow = TextReader::FromBytes(text);
    std::vector<int16_t> rows(kChannels * 512);
    std::vector<int16_t> expected(kChannels);
    size_t rowsRead = 0;
    size_t done = 0;
    while (!bulk.AtEnd()) {
        size_t got = bulk.ReadLow16Rows(rows.data(), kChannels, 512);
        if (got == 0) {
            bulk.ReadLow16Ints(rows.data(), kChannels, done);
            bulk.SkipLine();
            got = 1;
        }
        for (size_t r = 0; r < got; ++r, ++rowsRead) {
            ASSERT_FALSE(rowByRow.AtEnd());
            rowByRow.ReadLow16Ints(expected.data(), kChannels, done);
            rowByRow.SkipLine();
            for (size_t c = 0; c < kChannels; ++c) {
                ASSERT_EQ(rows[r * kChannels + c], expected[c]) << "row " << rowsRead << " value " << c;
            }
        }
    }
    EXPECT_TRUE(rowByRow.AtEnd());
    EXPECT_GT(rowsRead, 30000u);

    // A token longer than the bytes looked at once is left, whole, to the checked way (both
    // quick ways once looped on it for ever).
    auto longToken = TextReader::FromBytes("1 2\r\n" + std::string(70, '7') + " 3\r\n" + std::string(300, ' '));
    ASSERT_FALSE(longToken.AtEnd());  // the bulk way reads what is in the buffer
    EXPECT_EQ(longToken.ReadLow16Rows(rows.data(), 2, 10), 1u);
    EXPECT_EQ(longToken.ReadLow16Rows(rows.data(), 2, 10), 0u);
    EXPECT_EQ(MessageOf([&] { longToken.ReadLow16Ints(rows.data(), 2, done); }), "Invalid numeric input");
}
