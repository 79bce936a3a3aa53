#include "platform/RecordFile.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace platform {
namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

std::uint16_t Swap(std::uint16_t w) { return static_cast<std::uint16_t>((w >> 8) | (w << 8)); }

void SwapWords(std::int16_t* words, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        words[i] = static_cast<std::int16_t>(Swap(static_cast<std::uint16_t>(words[i])));
    }
}

} // namespace

RecordReader::RecordReader(const std::string& path)
    : file_(path, FileHandle::Mode::Read), size_(file_.Size()) {}

std::size_t RecordReader::Read(std::int16_t* out, std::size_t count) {
    const std::size_t bytes = file_.Read(out, count * sizeof(std::int16_t));
    position_ += bytes;
    const std::size_t words = bytes / sizeof(std::int16_t);
    if constexpr (!kLittleEndian) {
        SwapWords(out, words);
    }
    return words;
}

RecordWriter::RecordWriter(const std::string& path) : file_(path, FileHandle::Mode::Replace) {}

void RecordWriter::Write(const std::int16_t* words, std::size_t count) {
    if constexpr (kLittleEndian) {
        file_.Write(words, count * sizeof(std::int16_t));
    } else {
        constexpr std::size_t kChunk = 1 << 16;
        std::vector<std::int16_t> swapped;
        for (std::size_t done = 0; done < count; done += kChunk) {
            const std::size_t n = std::min(kChunk, count - done);
            swapped.assign(words + done, words + done + n);
            SwapWords(swapped.data(), n);
            file_.Write(swapped.data(), n * sizeof(std::int16_t));
        }
    }
}

} // namespace platform
