#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/TextFile.h"

namespace platform {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// Room kept behind the block so that a whole number token is always in the buffer at once.
constexpr std::size_t kLookahead = 128;
constexpr std::size_t kBufferSize = kBlockSize + kLookahead;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void ThrowInvalidInput() { throw InOutError("Invalid numeric input"); }

// The value of a run of one to seven digits at `text` that a byte at or below the blank ends;
// 0 when the run is empty, longer or ends otherwise. Reads eight bytes, so the caller keeps
// them in the buffer. Eight digits are classified and converted at once.
std::size_t ShortDigitRun(const char* text, std::uint32_t& value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t chunk;
        std::memcpy(&chunk, text, sizeof chunk);
        constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
        // A byte is a digit when its high half is 3 and adding 6 keeps it so.
        const std::uint64_t shape = (chunk & kHigh) | (((chunk + 0x0606060606060606u) & kHigh) >> 4);
        const std::uint64_t other = shape ^ 0x3333333333333333u;
        if (other == 0) {
            return 0;
        }
        const std::size_t length = static_cast<std::size_t>(std::countr_zero(other)) / 8;
        if (length == 0 || !IsBlank(text[length])) {
            return 0;
        }
        // Digits moved to the top bytes, zeros before them, then summed in pairs, fours, eights.
        std::uint64_t v = (chunk - 0x3030303030303030u) << (8 * (8 - length));
        v = v * 10 + (v >> 8);
        v = ((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32)) +
             (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >> 32;
        value = static_cast<std::uint32_t>(v);
        return length;
    } else {
        std::size_t length = 0;
        value = 0;
        while (length < 7 && IsDigit(text[length])) {
            value = value * 10 + static_cast<std::uint32_t>(text[length++] - '0');
        }
        return length > 0 && IsBlank(text[length]) ? length : 0;
    }
}

std::int32_t ParseInteger(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size()) {
        ThrowInvalidInput();
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t value = 0;
    for (; i < token.size(); ++i) {
        if (!IsDigit(token[i])) {
            ThrowInvalidInput();
        }
        value = value * 10 + static_cast<unsigned>(token[i] - '0');
        if (value > limit) {
            ThrowInvalidInput();
        }
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value))
                    : static_cast<std::int32_t>(value);
}

// Checks the decimal grammar and tells whether a result out of range lies below the smallest
// value (it then reads as zero) rather than above the largest (an error).
struct RealShape {
    bool valid = false;
    bool tiny = false;
};

RealShape InspectReal(std::string_view token) {
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        ++i;
    }
    long long magnitude = 0;  // decimal position of the first significant digit
    bool seenSignificant = false;
    std::size_t mantissaDigits = 0;
    long long intDigits = 0;
    for (; i < token.size() && IsDigit(token[i]); ++i, ++mantissaDigits) {
        if (seenSignificant || token[i] != '0') {
            seenSignificant = true;
            ++intDigits;
        }
    }
    long long leadingFractionZeros = 0;
    if (i < token.size() && token[i] == '.') {
        ++i;
        for (; i < token.size() && IsDigit(token[i]); ++i, ++mantissaDigits) {
            if (!seenSignificant) {
                if (token[i] == '0') {
                    ++leadingFractionZeros;
                } else {
                    seenSignificant = true;
                }
            }
        }
    }
    if (mantissaDigits == 0) {
        return {};
    }
    long long exponent = 0;
    if (i < token.size() && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        bool negative = false;
        if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
            negative = token[i] == '-';
            ++i;
        }
        if (i == token.size()) {
            return {};
        }
        for (; i < token.size() && IsDigit(token[i]); ++i) {
            exponent = std::min<long long>(exponent * 10 + (token[i] - '0'), 1'000'000);
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    if (i != token.size()) {
        return {};
    }
    magnitude = intDigits > 0 ? intDigits - 1 + exponent : -(leadingFractionZeros + 1) + exponent;
    return {true, magnitude < 0};
}

double ParseReal(std::string_view token) {
    if (token == "Nan") {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (token == "+Inf") {
        return std::numeric_limits<double>::infinity();
    }
    if (token == "-Inf") {
        return -std::numeric_limits<double>::infinity();
    }
    const RealShape shape = InspectReal(token);
    if (!shape.valid) {
        ThrowInvalidInput();
    }
    const bool negative = token.front() == '-';
    const char* first = token.data() + ((token.front() == '-' || token.front() == '+') ? 1 : 0);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, token.data() + token.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (!shape.tiny) {
            ThrowInvalidInput();
        }
        value = 0;
    } else if (ec != std::errc() || ptr != token.data() + token.size()) {
        ThrowInvalidInput();
    }
    return negative ? -value : value;
}

} // namespace

TextReader::TextReader(std::size_t capacity) : buffer_(new char[capacity]), capacity_(capacity) {}

TextReader::TextReader(const std::string& path) : TextReader(kBufferSize) {
    file_ = FileHandle(path, FileHandle::Mode::Read);
}

TextReader TextReader::FromBytes(std::string_view bytes) {
    // A short text needs no full block; the lookahead room keeps the number rule the same.
    TextReader reader(std::min(kBufferSize, bytes.size() + 2 * kLookahead));
    reader.memory_ = bytes;
    return reader;
}

TextReader::TextReader(TextReader&&) noexcept = default;
TextReader& TextReader::operator=(TextReader&&) noexcept = default;
TextReader::~TextReader() = default;

bool TextReader::Refill() {
    if (exhausted_) {
        return false;
    }
    if (pos_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    char* const fresh = buffer_.get() + end_;
    const std::size_t room = capacity_ - end_;
    std::size_t got;
    if (file_.IsOpen()) {
        got = file_.Read(fresh, room);
    } else {
        got = std::min(room, memory_.size() - memoryTaken_);
        std::memcpy(fresh, memory_.data() + memoryTaken_, got);
        memoryTaken_ += got;
    }
    if (got < room && (file_.IsOpen() || memoryTaken_ == memory_.size())) {
        exhausted_ = true;
    }
    if (const void* stop = std::memchr(fresh, kEndOfText, got)) {
        got = static_cast<std::size_t>(static_cast<const char*>(stop) - fresh);
        exhausted_ = true;
    }
    end_ += got;
    if (exhausted_) {
        file_ = FileHandle();
    }
    return got > 0;
}

void TextReader::EnsureAhead(std::size_t bytes) {
    while (end_ - pos_ < bytes && Refill()) {
    }
}

std::string TextReader::ReadChars(std::size_t count) {
    std::string out;
    while (out.size() < count && !AtEnd()) {
        const char* first = buffer_.get() + pos_;
        std::size_t n = std::min(count - out.size(), end_ - pos_);
        if (const void* cr = std::memchr(first, '\r', n)) {
            n = static_cast<std::size_t>(static_cast<const char*>(cr) - first);
            out.append(first, n);
            pos_ += n;
            break;
        }
        out.append(first, n);
        pos_ += n;
    }
    return out;
}

void TextReader::SkipLineChecked() {
    while (!AtEnd()) {
        const char* first = buffer_.get() + pos_;
        if (const void* cr = std::memchr(first, '\r', end_ - pos_)) {
            pos_ += static_cast<std::size_t>(static_cast<const char*>(cr) - first) + 1;
            if (!AtEnd() && buffer_[pos_] == '\n') {
                ++pos_;
            }
            return;
        }
        pos_ = end_;
    }
}

bool TextReader::SkipBlanks() {
    for (;;) {
        const char* p = buffer_.get() + pos_;
        const char* const stop = buffer_.get() + end_;
        while (p < stop && IsBlank(*p)) {
            ++p;
        }
        pos_ = static_cast<std::size_t>(p - buffer_.get());
        if (p < stop) {
            return true;
        }
        if (!Refill()) {
            return false;
        }
    }
}

// The token at the reading position, at most maxLength + 1 bytes long so that an overlong one
// is recognised; the position moves behind it.
std::string_view TextReader::TakeToken(std::size_t maxLength) {
    if (end_ - pos_ <= maxLength) {
        EnsureAhead(maxLength + 1);
    }
    const char* const first = buffer_.get() + pos_;
    const char* const stop = first + std::min(end_ - pos_, maxLength + 1);
    const char* p = first;
    while (p < stop && !IsBlank(*p)) {
        ++p;
    }
    const std::size_t length = static_cast<std::size_t>(p - first);
    pos_ += length;
    if (length > maxLength) {
        ThrowInvalidInput();
    }
    return {first, length};
}

std::int32_t TextReader::ReadIntChecked() {
    if (!SkipBlanks()) {
        return 0;
    }
    return ParseInteger(TakeToken(kMaxIntegerToken));
}

void TextReader::ReadLow16Ints(std::int16_t* out, std::size_t count, std::size_t& done) {
    const auto low16 = [](std::uint32_t value) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    };
    std::size_t i = 0;
    while (i < count) {
        // Quick way while a whole short token and its separator are surely in the buffer: up
        // to seven digits, so no range check is needed. Anything else goes the checked way.
        const char* p = buffer_.get() + pos_;
        const char* const safe = buffer_.get() + (end_ > kLookahead ? end_ - kLookahead : 0);
        while (i < count) {
            while (p < safe && IsBlank(*p)) {
                ++p;
            }
            if (p >= safe) {
                break;
            }
            const bool negative = *p == '-';
            const char* const digits = p + (negative ? 1 : 0);
            std::uint32_t value = 0;
            const std::size_t length = ShortDigitRun(digits, value);
            if (length == 0) {
                break;
            }
            const char* const q = digits + length;
            out[i++] = low16(negative ? 0u - value : value);
            p = q;
        }
        pos_ = static_cast<std::size_t>(p - buffer_.get());
        done = i;
        if (i < count) {
            out[i++] = low16(static_cast<std::uint32_t>(ReadIntChecked()));
        }
    }
    done = i;
}

double TextReader::ReadReal() {
    if (!SkipBlanks()) {
        return 0;
    }
    return ParseReal(TakeToken(kMaxRealToken));
}

void TextReader::Close() {
    file_.Close();
    memory_.clear();
    memoryTaken_ = 0;
    pos_ = end_ = 0;
    exhausted_ = true;
}

} // namespace platform
