#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Bit j set when text[j] is a separator (a byte at or below the blank), for j < 64. Reads 64 bytes.
std::uint64_t SeparatorMask(const char* text) {
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * part));
        // Unsigned: at or below the blank exactly when the minimum with the blank is the byte.
        const __m128i atOrBelow = _mm_cmpeq_epi8(_mm_min_epu8(bytes, blank), bytes);
        mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(atOrBelow))) << (16 * part);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int j = 0; j < 64; ++j) mask |= static_cast<std::uint64_t>(IsBlank(text[j])) << j;
    return mask;
#endif
}

// A token of `length` bytes at `text` that is an optional "-" and one to seven digits, kept as
// its low 16 bits; false for anything else. Reads eight bytes at `text`.
[[gnu::always_inline]] inline bool ShortToken(const char* text, std::size_t length, std::int16_t& value) {
    std::uint64_t chunk;
    std::memcpy(&chunk, text, sizeof chunk);
    // The sign as a number, not a branch: signs come and go at random in recorded data.
    const std::size_t sign = static_cast<std::size_t>(*text == '-');
    const std::size_t digits = length - sign;
    if (digits - 1 >= 7) return false;  // none, or more than seven
    const auto negate = static_cast<std::uint32_t>(0u - sign);  // all ones for "-"
    std::uint32_t magnitude = 0;
    if constexpr (std::endian::native == std::endian::little) {
        chunk >>= 8 * sign;
        // Digits moved to the top bytes, the rest shifted out.
        const unsigned unused = static_cast<unsigned>(8 * (8 - digits));
        constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
        // A byte is a digit when its high half is 3 and adding 6 keeps it so.
        const std::uint64_t shape = (chunk & kHigh) | (((chunk + 0x0606060606060606u) & kHigh) >> 4);
        if (((shape ^ 0x3333333333333333u) << unused) != 0) return false;
        // Summed in pairs, fours, eights.
        std::uint64_t v = (chunk - 0x3030303030303030u) << unused;
        v = v * 10 + (v >> 8);
        v = ((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32)) +
             (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >> 32;
        magnitude = static_cast<std::uint32_t>(v);
    } else {
        for (std::size_t j = 0; j < digits; ++j) {
            const char c = text[sign + j];
            if (!IsDigit(c)) return false;
            magnitude = magnitude * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>((magnitude ^ negate) - negate));
    return true;
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
    unfetched_ = file_.Size();
}

TextReader TextReader::FromBytes(std::string_view bytes) {
    // A short text needs no full block; the lookahead room keeps the number rule the same.
    TextReader reader(std::min(kBufferSize, bytes.size() + 2 * kLookahead));
    reader.memory_ = bytes;
    reader.unfetched_ = bytes.size();
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
    unfetched_ -= std::min<std::uint64_t>(unfetched_, got);
    end_ += got;
    if (exhausted_) {
        unfetched_ = 0;
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
    std::size_t i = 0;
    while (i < count) {
        // Quick way while 64 bytes and the lookahead behind them are surely in the buffer: the
        // separators of 64 bytes are found at once, which gives where each token starts and
        // ends; a token that ends inside them and is a sign and up to seven digits is converted
        // eight bytes at a time (no range check needed). Anything else, a token running past the
        // 64 bytes included, goes the checked way.
        const char* p = buffer_.get() + pos_;
        const char* const safe = buffer_.get() + (end_ > kLookahead ? end_ - kLookahead : 0);
        bool unusual = false;
        while (i < count && p < safe && !unusual) {
            const std::uint64_t separators = SeparatorMask(p);
            const std::uint64_t tokens = ~separators;
            // Reading starts at a separator or at the first byte of a token, never inside one.
            std::uint64_t starts = tokens & ~(tokens << 1);
            std::uint64_t ends = separators & (tokens << 1);
            std::size_t offset = 64;
            while (i < count && ends != 0) {
                const auto start = static_cast<std::size_t>(std::countr_zero(starts));
                const auto end = static_cast<std::size_t>(std::countr_zero(ends));
                if (!ShortToken(p + start, end - start, out[i])) {
                    unusual = true;
                    break;
                }
                ++i;
                offset = end;
                starts &= starts - 1;
                ends &= ends - 1;
            }
            if (unusual || (i < count && starts != 0)) {
                // Stop at the token that was not taken or that runs on past these bytes; one of
                // 64 bytes or more is no short number, so the checked way takes it from here.
                offset = static_cast<std::size_t>(std::countr_zero(starts));
                unusual = unusual || offset == 0;
            }
            p += offset;
        }
        pos_ = static_cast<std::size_t>(p - buffer_.get());
        done = i;
        if (i < count) {
            out[i++] = static_cast<std::int16_t>(static_cast<std::uint16_t>(ReadIntChecked()));
        }
    }
    done = i;
}

std::size_t TextReader::ReadLow16Rows(std::int16_t* out, std::size_t channels, std::size_t maxRows) {
    // Rows of `channels` short numbers, each row's last number followed directly by CR LF, read
    // 64 bytes at a time as ReadLow16Ints reads them; the line ends are separators like the
    // blanks between the numbers. Only whole rows count: at anything else the reading stays at
    // the start of that row for the caller's checked way.
    if (channels == 0 || maxRows == 0) return 0;
    const char* const base = buffer_.get();
    const char* const safe = base + (end_ > kLookahead ? end_ - kLookahead : 0);
    const char* committed = base + pos_;
    const char* p = committed;
    std::int16_t* next = out;
    std::int16_t* rowEnd = out + channels;
    std::int16_t* const outEnd = out + maxRows * channels;
    std::int16_t* whole = out;  // end of the whole rows read
    while (whole != outEnd && p < safe) {
        const std::uint64_t separators = SeparatorMask(p);
        const std::uint64_t tokens = ~separators;
        std::uint64_t starts = tokens & ~(tokens << 1);
        std::uint64_t ends = separators & (tokens << 1);
        while (ends != 0) {
            const auto start = static_cast<std::size_t>(std::countr_zero(starts));
            const auto end = static_cast<std::size_t>(std::countr_zero(ends));
            if (!ShortToken(p + start, end - start, *next)) {
                pos_ = static_cast<std::size_t>(committed - base);
                return static_cast<std::size_t>(whole - out) / channels;
            }
            starts &= starts - 1;
            ends &= ends - 1;
            if (++next == rowEnd) {
                if (p[end] != '\r' || p[end + 1] != '\n') {
                    pos_ = static_cast<std::size_t>(committed - base);
                    return static_cast<std::size_t>(whole - out) / channels;
                }
                committed = p + end + 2;
                whole = next;
                if (whole == outEnd) break;
                rowEnd += channels;
            }
        }
        // On from the token that runs on past these bytes, or from the next 64. A token of 64
        // bytes or more is no short number: the checked way reads (and refuses) it.
        const std::size_t onward = starts != 0 ? static_cast<std::size_t>(std::countr_zero(starts)) : 64;
        if (onward == 0) break;
        p += onward;
    }
    pos_ = static_cast<std::size_t>(committed - base);
    return static_cast<std::size_t>(whole - out) / channels;
}

double TextReader::ReadReal() {
    if (!SkipBlanks()) {
        return 0;
    }
    return ParseReal(TakeToken(kMaxRealToken));
}

double ParseRealToken(std::string_view token) { return ParseReal(token); }

void TextReader::Close() {
    file_.Close();
    memory_.clear();
    memoryTaken_ = 0;
    pos_ = end_ = 0;
    exhausted_ = true;
}

} // namespace platform
