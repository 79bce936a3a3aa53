#pragma once
// Files of 16-bit records (signed little-endian words, no header), read and written in large
// blocks straight into and out of the caller's array.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileHandle.h"

namespace platform {

class RecordReader {
public:
    explicit RecordReader(const std::string& path);

    std::uint64_t SizeBytes() const { return size_; }
    std::uint64_t PositionBytes() const { return position_; }

    // Reads up to `count` whole words; fewer only at the end of the file. A trailing odd byte is
    // consumed but yields no word.
    std::size_t Read(std::int16_t* out, std::size_t count);

    void Close() { file_.Close(); }

private:
    FileHandle file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

class RecordWriter {
public:
    // Creates or replaces the file.
    explicit RecordWriter(const std::string& path);

    void Write(const std::int16_t* words, std::size_t count);
    // Checked close; without it (an exception on its way) the file is closed quietly.
    void Close() { file_.Close(); }

private:
    FileHandle file_;
};

} // namespace platform
