#pragma once
// Text files as the runtime reads and writes them: single bytes (code page 1251), lines ended by
// CR LF, numbers separated by anything at or below the blank, and the 23-character real.
//
// Reading rules that older files rely on:
// - a line ends at CR, and one LF directly after it is skipped; a lone LF is an ordinary byte;
// - byte 26 (Ctrl-Z) ends the text, whatever follows it;
// - a number skips every byte at or below the blank (line ends included) before it and ends
//   before the next such byte; at the end of the text it reads as 0 without error.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileHandle.h"

namespace platform {

inline constexpr char kEndOfText = 26;
inline constexpr std::size_t kMaxIntegerToken = 32;
inline constexpr std::size_t kMaxRealToken = 64;
inline constexpr std::size_t kFileRealWidth = 23;

// The file real: sign blank or "-", one digit, ".", 14 digits, "E", exponent sign, 4 digits; the
// value rounded half up (away from zero) on its exact binary value to 15 significant digits.
// Not-a-number and infinities are "Nan", "+Inf", "-Inf", right-aligned. Writes exactly 23 bytes.
void FormatFileReal(double value, char* out);
std::string FileRealText(double value);

// One whole token read as ReadReal reads a real, whatever its length: for a value that has a
// line of its own rather than a field of a data file.
double ParseRealToken(std::string_view token);

class TextReader {
public:
    // Opens an existing file; "File not found" and the other runtime messages on failure.
    explicit TextReader(const std::string& path);
    // Reads a copy of a text held in memory with the same rules (used for parsing and fuzzing).
    static TextReader FromBytes(std::string_view bytes);

    TextReader(TextReader&&) noexcept;
    TextReader& operator=(TextReader&&) noexcept;
    ~TextReader();

    // Nothing left, or Ctrl-Z next.
    bool AtEnd() { return pos_ == end_ && !Refill(); }
    // Up to `count` bytes of the current line; stops before CR and at the end of the text.
    std::string ReadChars(std::size_t count);
    // Skips the rest of the line: up to and including CR, then one LF directly after it.
    void SkipLine() {
        // Right after the last number of a row the line end is usually next.
        if (end_ - pos_ >= 2 && buffer_[pos_] == '\r' && buffer_[pos_ + 1] == '\n') {
            pos_ += 2;
            return;
        }
        SkipLineChecked();
    }
    // A decimal integer of at most 32 characters in the signed 32-bit range; anything else
    // fails with "Invalid numeric input".
    std::int32_t ReadInt() {
        std::int32_t value;
        return TryReadShortInt(value) ? value : ReadIntChecked();
    }
    // `count` integers read as ReadInt reads them, each kept as its low 16 bits (the width of a
    // sample field). `done` counts the values stored, also when a number fails.
    void ReadLow16Ints(std::int16_t* out, std::size_t count, std::size_t& done);
    // Up to `maxRows` rows of `channels` values into `out`, as ReadLow16Ints and SkipLine would
    // read them, as long as each value is a short plain number and each row's last value is
    // followed directly by CR LF; returns the whole rows read and stops before any other row,
    // which the caller then reads the checked way. Never fails.
    std::size_t ReadLow16Rows(std::int16_t* out, std::size_t channels, std::size_t maxRows);
    // A decimal real of at most 64 characters (sign, digits, ".", digits, exponent), or exactly
    // "Nan", "+Inf" or "-Inf" as the writer writes them.
    double ReadReal();

    // Bytes not read yet, as far as the size of the file tells: a hint for sizing what is read
    // into (a Ctrl-Z may end the text sooner).
    std::uint64_t BytesLeft() const { return unfetched_ + (end_ - pos_); }

    void Close();

private:
    explicit TextReader(std::size_t capacity);
    bool Refill();
    void EnsureAhead(std::size_t bytes);
    bool SkipBlanks();
    std::string_view TakeToken(std::size_t maxLength);
    std::int32_t ReadIntChecked();
    void SkipLineChecked();

    // The common case without refilling: a plain number of up to nine digits, wholly in the
    // buffer and followed by a separator. Anything else goes the checked way.
    bool TryReadShortInt(std::int32_t& value) {
        const char* p = buffer_.get() + pos_;
        const char* const stop = buffer_.get() + end_;
        if (stop - p < 64) {
            return false;
        }
        while (static_cast<unsigned char>(*p) <= ' ') {
            if (++p == stop - 16) {
                return false;
            }
        }
        const bool negative = *p == '-';
        p += negative ? 1 : 0;
        std::uint32_t digits = 0;
        std::uint32_t result = 0;
        while (static_cast<unsigned>(*p - '0') <= 9 && digits < 9) {
            result = result * 10 + static_cast<unsigned>(*p - '0');
            ++p;
            ++digits;
        }
        if (digits == 0 || static_cast<unsigned char>(*p) > ' ') {
            return false;
        }
        value = negative ? -static_cast<std::int32_t>(result) : static_cast<std::int32_t>(result);
        pos_ = static_cast<std::size_t>(p - buffer_.get());
        return true;
    }

    FileHandle file_;
    std::string memory_;
    std::size_t memoryTaken_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    std::uint64_t unfetched_ = 0;
};

class TextWriter {
public:
    // Creates or replaces the file.
    explicit TextWriter(const std::string& path);
    // Without Close() (an exception on its way) the file is closed and what was buffered is
    // dropped: a half-written file is never reported as written.
    ~TextWriter() = default;

    TextWriter(TextWriter&&) noexcept = default;
    TextWriter& operator=(TextWriter&&) noexcept = default;

    void Write(std::string_view bytes);
    void WriteChar(char c) {
        if (used_ == kBufferSize) {
            Flush();
        }
        buffer_[used_++] = c;
    }
    void WriteInt(std::int64_t value);
    // Values joined by TAB, then CR LF: one row of samples.
    void WriteIntRow(const std::int16_t* values, std::size_t count);
    void WriteReal(double value);
    void WriteLineEnd();

    // Flushes and closes; the first failure throws ("Disk full", ...).
    void Close();

    static constexpr std::size_t kBufferSize = 1 << 20;

private:
    void Flush();
    char* Reserve(std::size_t bytes) {
        if (kBufferSize - used_ < bytes) {
            Flush();
        }
        return buffer_.get() + used_;
    }

    FileHandle file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

} // namespace platform
