#include <gtest/gtest.h>

#include <cstdint>

#include "platform/RecordFile.h"
#include "platform/TextFileTemp.h"

using platform::RecordReader;
using platform::RecordWriter;

TEST(RecordFile, WordsAreLittleEndianAndATrailingOddByteYieldsNoWord) {
    TempFolder folder;
    const std::string path = folder.File("w.dat");
    const int16_t words[] = {1, -32768};
    RecordWriter writer(path);
    writer.Write(words, 2);
    writer.Close();
    EXPECT_EQ(TempFolder::Bytes(path), std::string("\x01\x00\x00\x80", 4));

    RecordReader reader(folder.Put("odd.dat", std::string("\x05\x00\x07", 3)));
    int16_t back[2] = {};
    EXPECT_EQ(reader.Read(back, 2), 1u);
    EXPECT_EQ(back[0], 5);
    EXPECT_EQ(reader.PositionBytes(), reader.SizeBytes());
}

TEST(RecordFile, FailuresGiveTheRuntimeMessages) {
    TempFolder folder;
    EXPECT_EQ(MessageOf([&] { RecordReader(folder.File("none.dat")); }), "File not found");
    if (std::filesystem::exists("/dev/full")) {
        RecordWriter writer("/dev/full");
        const int16_t word = 1;
        EXPECT_EQ(MessageOf([&] { writer.Write(&word, 1); }), "Disk full");
    }
}
