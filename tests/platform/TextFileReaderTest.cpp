#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/TextFile.h"
#include "platform/TextFileTemp.h"

using platform::InOutError;
using platform::TextReader;

namespace {

// Integers are read both at the end of a short text and with plenty of text behind them, where
// the reader takes its quick way.
const std::string kLongTail = " " + std::string(100, '7');

int32_t Int(const std::string& text) {
    const int32_t alone = TextReader::FromBytes(text).ReadInt();
    EXPECT_EQ(TextReader::FromBytes(text + kLongTail).ReadInt(), alone) << text;
    return alone;
}

void ExpectInvalidInt(const std::string& text) {
    for (const std::string& whole : {text, text + kLongTail}) {
        auto reader = TextReader::FromBytes(whole);
        try {
            reader.ReadInt();
            ADD_FAILURE() << "accepted integer '" << text << "'";
        } catch (const InOutError& e) {
            EXPECT_STREQ(e.what(), "Invalid numeric input") << text;
        }
    }
}

void ExpectInvalidReal(const std::string& text) {
    auto reader = TextReader::FromBytes(text);
    try {
        reader.ReadReal();
        ADD_FAILURE() << "accepted real '" << text << "'";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "Invalid numeric input") << text;
    }
}

double Real(const std::string& text) { return TextReader::FromBytes(text).ReadReal(); }

} // namespace

TEST(TextReaderLines, LineEndsAtCarriageReturnAndSkipsOneLineFeed) {
    auto reader = TextReader::FromBytes("ab\ncd\r\n\nef\r\rgh");
    EXPECT_EQ(reader.ReadChars(10), "ab\ncd");  // a lone LF is an ordinary byte
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(10), "\nef");    // only one LF after CR is skipped
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(10), "");        // CR CR is an empty line
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(1), "g");
    EXPECT_EQ(reader.ReadChars(5), "h");
    EXPECT_TRUE(reader.AtEnd());
    reader.SkipLine();
    EXPECT_EQ(reader.ReadChars(3), "");
}

TEST(TextReaderLines, CtrlZEndsTheText) {
    auto reader = TextReader::FromBytes("12 34\x1a 56\r\n");
    EXPECT_EQ(reader.ReadInt(), 12);
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadInt(), 34);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_EQ(TextReader::FromBytes("ab\x1a" "cd").ReadChars(10), "ab");
}

TEST(TextReaderNumbers, AnyByteAtOrBelowBlankSeparatesAndEndReadsZero) {
    auto reader = TextReader::FromBytes("\t 1\r\n\r\n-2\x01\x1f" "3\x7f" "4 ");
    EXPECT_EQ(reader.ReadInt(), 1);
    EXPECT_EQ(reader.ReadInt(), -2);
    // 0x7f is above the blank, so "3\x7f" "4" is one token and not a number.
    EXPECT_THROW(reader.ReadInt(), InOutError);
    auto tail = TextReader::FromBytes(" 7 \r\n  ");
    EXPECT_EQ(tail.ReadInt(), 7);
    EXPECT_EQ(tail.ReadInt(), 0);
    EXPECT_EQ(tail.ReadReal(), 0.0);
}

TEST(TextReaderNumbers, NumberStopsBeforeItsSeparatorSoTheLineCanBeSkipped) {
    auto reader = TextReader::FromBytes("5 junk junk\r\n6\r\n");
    EXPECT_EQ(reader.ReadInt(), 5);
    reader.SkipLine();
    EXPECT_EQ(reader.ReadInt(), 6);
}

TEST(TextReaderNumbers, IntegersCoverTheSigned32BitRangeOnly) {
    EXPECT_EQ(Int("2147483647"), 2147483647);
    EXPECT_EQ(Int("-2147483648"), INT32_MIN);
    EXPECT_EQ(Int("999999999"), 999999999);
    EXPECT_EQ(Int("-1000000000"), -1000000000);
    EXPECT_EQ(Int("+00012"), 12);
    EXPECT_EQ(Int("-0"), 0);
    EXPECT_EQ(Int("\t\r\n 000000000000042"), 42);
    EXPECT_EQ(Int(std::string(32, '0')), 0);
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "abc", "-", "+", "--1", "1-", "0x10",
                            "1e3", "99999999999999999999999"}) {
        ExpectInvalidInt(bad);
    }
    ExpectInvalidInt(std::string(33, '0'));
}

TEST(TextReaderNumbers, RealsFollowTheDecimalGrammar) {
    EXPECT_EQ(Real("1"), 1.0);
    EXPECT_EQ(Real("-1.5e3"), -1500.0);
    EXPECT_EQ(Real("+.5"), 0.5);
    EXPECT_EQ(Real("2."), 2.0);
    EXPECT_EQ(Real(" 1.00000000000000E+0002"), 100.0);
    EXPECT_EQ(Real("-2.50000000000000E-0001"), -0.25);
    EXPECT_EQ(Real("4.94065645841247E-0324"), 4.94065645841247E-324);
    EXPECT_EQ(Real("1e-400"), 0.0);
    EXPECT_EQ(Real("0.000001e-320"), 0.0);
    for (const char* bad : {"1e400", "1E", "e5", ".", "-", "1.2.3", "1e+", "1,5", "nan", "inf",
                            "NaN", "Inf", "1e5x", "0x1p3"}) {
        ExpectInvalidReal(bad);
    }
    EXPECT_EQ(Real(std::string(63, '0') + "7"), 7.0);
    ExpectInvalidReal(std::string(64, '0') + "7");
}

TEST(TextReaderNumbers, AcceptsExactlyTheNonFiniteWordsTheWriterWrites) {
    EXPECT_TRUE(std::isnan(Real("                    Nan")));
    EXPECT_EQ(Real("+Inf"), INFINITY);
    EXPECT_EQ(Real("-Inf"), -INFINITY);
    ExpectInvalidReal("Inf");
    ExpectInvalidReal("-Nan");
}

TEST(TextReaderBlocks, TokensAndLinesSpanningBlockBoundariesReadWhole) {
    // Numbers placed so that some straddle every multiple of the 1 MiB read block.
    std::string text;
    std::vector<int> expected;
    for (int i = 0; text.size() < (3u << 20); ++i) {
        const int value = static_cast<int>((static_cast<int64_t>(i) * 7919) % 2000003) - 1000000;
        text += std::to_string(value);
        text += (i % 5 == 0) ? "\r\n" : "\t";
        expected.push_back(value);
    }
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

TEST(TextReaderBlocks, CtrlZInALaterBlockEndsTheText) {
    std::string text(1 << 20, ' ');
    text += "1 2\x1a" "3";
    TempFolder folder;
    TextReader reader(folder.Put("z.txt", text));
    EXPECT_EQ(reader.ReadInt(), 1);
    EXPECT_EQ(reader.ReadInt(), 2);
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(TextReaderOpen, MissingFileAndFolderGiveTheRuntimeMessages) {
    TempFolder folder;
    try {
        TextReader reader(folder.File("none.asc"));
        ADD_FAILURE();
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    try {
        TextReader reader(folder.File(""));
        ADD_FAILURE();
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    try {
        TextReader reader(folder.Put("plain", "x") + "/below");
        ADD_FAILURE();
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "Invalid filename");
    }
}
