#include "platform/Cp1251.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Cp1251, EveryCyrillicLetterHasItsCodeAndComesBack) {
    const std::string upper = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string lower = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
    const std::string encodedUpper = Utf8ToCp1251(upper);
    ASSERT_EQ(encodedUpper.size(), 32u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(static_cast<unsigned char>(encodedUpper[i]), 0xC0 + i);
    EXPECT_EQ(Utf8ToCp1251("Ё"), "\xA8");
    EXPECT_EQ(Utf8ToCp1251("ё"), "\xB8");
    EXPECT_EQ(Cp1251ToUtf8(encodedUpper), upper);
    EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(lower)), lower);
}

TEST(Cp1251, AllByteValuesSurviveTheRoundTrip) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
}

TEST(Cp1251, SymbolsOfTheUpperHalfMapToTheirCodes) {
    EXPECT_EQ(Utf8ToCp1251("±"), "\xB1");
    EXPECT_EQ(Utf8ToCp1251("№"), "\xB9");
    EXPECT_EQ(Utf8ToCp1251("€"), "\x88");
    EXPECT_EQ(Utf8ToCp1251("—"), "\x97");
    EXPECT_EQ(Cp1251ToUtf8("\xAB\xBB"), "«»");
}

TEST(Cp1251, UnmappableAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");
    EXPECT_EQ(Utf8ToCp1251("😀"), "?");
    EXPECT_EQ(Utf8ToCp1251("x\xFFy"), "x?y");
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");             // truncated at the end
    EXPECT_EQ(Utf8ToCp1251("\xD0z"), "?z");           // lead byte without its continuation
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");        // overlong '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");   // surrogate
}

TEST(Cp1251, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(Cp1251Length(""), 0u);
    EXPECT_EQ(Cp1251Length("Quev Dorvaline, в. 1.02"), 23u);
    EXPECT_EQ(Cp1251Length("НЕ СОХРАНЁН !!!"), 15u);
    for (const char* text : {"a中b", "x\xFFy", "\xD0z", "😀"})
        EXPECT_EQ(Cp1251Length(text), Utf8ToCp1251(text).size()) << text;
}
