#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/RecordFile.h"
#include "platform/TextFileTemp.h"

using platform::InOutError;
using platform::RecordReader;
using platform::RecordWriter;

TEST(RecordFile, WordsAreSignedLittleEndianWithoutHeader) {
    TempFolder folder;
    const std::string path = folder.File("w.dat");
    const std::vector<int16_t> words{1, -1, 256, -32768};
    RecordWriter writer(path);
    writer.Write(words.data(), words.size());
    writer.Write(words.data(), 0);
    writer.Close();
    EXPECT_EQ(TempFolder::Bytes(path), std::string("\x01\x00\xff\xff\x00\x01\x00\x80", 8));

    RecordReader reader(path);
    EXPECT_EQ(reader.SizeBytes(), 8u);
    std::vector<int16_t> back(10);
    EXPECT_EQ(reader.Read(back.data(), 3), 3u);
    EXPECT_EQ(reader.PositionBytes(), 6u);
    EXPECT_EQ(reader.Read(back.data() + 3, 7), 1u);
    back.resize(4);
    EXPECT_EQ(back, words);
    EXPECT_EQ(reader.Read(back.data(), 1), 0u);
}

TEST(RecordFile, TrailingOddByteIsConsumedWithoutAWord) {
    TempFolder folder;
    RecordReader reader(folder.Put("odd.dat", std::string("\x05\x00\x07", 3)));
    int16_t words[2] = {};
    EXPECT_EQ(reader.Read(words, 2), 1u);
    EXPECT_EQ(words[0], 5);
    EXPECT_EQ(reader.PositionBytes(), reader.SizeBytes());
}

TEST(RecordFile, MissingFileAndFullDeviceGiveRuntimeMessages) {
    TempFolder folder;
    try {
        RecordReader reader(folder.File("none.dat"));
        ADD_FAILURE();
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    if (std::filesystem::exists("/dev/full")) {
        RecordWriter writer("/dev/full");
        const int16_t word = 1;
        try {
            writer.Write(&word, 1);
            ADD_FAILURE();
        } catch (const InOutError& e) {
            EXPECT_STREQ(e.what(), "Disk full");
        }
    }
}
