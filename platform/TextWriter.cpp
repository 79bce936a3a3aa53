#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/TextFile.h"

namespace platform {
namespace {

constexpr int kSignificantDigits = 15;

// Digits d1..d15 and the decimal exponent of |value| rounded to 15 significant digits.
struct Decimal {
    char digits[kSignificantDigits];
    int exponent;
};

// Reads "d.ddd...e[+-]xx" as produced by to_chars in scientific form.
void SplitScientific(const char* text, const char* end, Decimal& out, int digitCount) {
    out.digits[0] = text[0];
    const char* p = text + 2;  // behind the point
    for (int i = 1; i < digitCount; ++i) {
        out.digits[i] = *p++;
    }
    const char* mark = static_cast<const char*>(std::memchr(p, 'e', static_cast<std::size_t>(end - p)));
    int exponent = 0;
    std::from_chars(mark + 1 + (mark[1] == '+' ? 1 : 0), end, exponent);
    out.exponent = exponent;
}

// The standard conversion rounds an exact tie to even; the file format rounds it away from
// zero. A tie needs the 16th significant digit to be 5 with nothing but zeros after it in the
// exact expansion, so only then the exact digits are looked at.
Decimal RoundHalfUp(double magnitude) {
    Decimal result{};
    char text[40];
    auto done = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                              kSignificantDigits - 1);
    SplitScientific(text, done.ptr, result, kSignificantDigits);

    char sixteen[40];
    done = std::to_chars(sixteen, sixteen + sizeof sixteen, magnitude,
                         std::chars_format::scientific, kSignificantDigits);
    if (sixteen[kSignificantDigits + 1] != '5') {
        return result;
    }
    // A double has at most 767 significant decimal digits; this expansion is exact.
    static thread_local char exact[800];
    done = std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 780);
    const char* const exponentMark = static_cast<const char*>(std::memchr(exact, 'e', done.ptr - exact));
    if (exact[kSignificantDigits + 1] != '5') {
        return result;
    }
    for (const char* p = exact + kSignificantDigits + 2; p < exponentMark; ++p) {
        if (*p != '0') {
            return result;
        }
    }
    Decimal up{};
    SplitScientific(exact, done.ptr, up, kSignificantDigits);
    int i = kSignificantDigits - 1;
    while (i >= 0 && up.digits[i] == '9') {
        up.digits[i--] = '0';
    }
    if (i < 0) {
        up.digits[0] = '1';
        ++up.exponent;
    } else {
        ++up.digits[i];
    }
    return up;
}

// Texts of every 16-bit sample, so that a row is written without a branch per digit.
struct SampleText {
    char text[7];
    std::uint8_t length;
};

const SampleText* SampleTexts() {
    static const auto* const table = [] {
        auto* texts = new SampleText[65536];
        for (int value = -32768; value <= 32767; ++value) {
            SampleText& entry = texts[static_cast<std::uint16_t>(value)];
            std::memset(entry.text, 0, sizeof entry.text);
            entry.length = static_cast<std::uint8_t>(
                std::to_chars(entry.text, entry.text + sizeof entry.text, value).ptr - entry.text);
        }
        return texts;
    }();
    return table;
}

void RightAligned(std::string_view word, char* out) {
    std::memset(out, ' ', kFileRealWidth);
    std::memcpy(out + kFileRealWidth - word.size(), word.data(), word.size());
}

} // namespace

void FormatFileReal(double value, char* out) {
    if (std::isnan(value)) {
        RightAligned("Nan", out);
        return;
    }
    if (std::isinf(value)) {
        RightAligned(value > 0 ? "+Inf" : "-Inf", out);
        return;
    }
    Decimal decimal{};
    if (value == 0) {
        std::memset(decimal.digits, '0', sizeof decimal.digits);
        decimal.exponent = 0;
    } else {
        decimal = RoundHalfUp(std::fabs(value));
    }
    char* p = out;
    *p++ = value < 0 ? '-' : ' ';
    *p++ = decimal.digits[0];
    *p++ = '.';
    std::memcpy(p, decimal.digits + 1, kSignificantDigits - 1);
    p += kSignificantDigits - 1;
    *p++ = 'E';
    *p++ = decimal.exponent < 0 ? '-' : '+';
    int exponent = std::abs(decimal.exponent);
    for (int i = 3; i >= 0; --i) {
        p[i] = static_cast<char>('0' + exponent % 10);
        exponent /= 10;
    }
}

std::string FileRealText(double value) {
    std::string text(kFileRealWidth, ' ');
    FormatFileReal(value, text.data());
    return text;
}

TextWriter::TextWriter(const std::string& path)
    : file_(path, FileHandle::Mode::Replace), buffer_(new char[kBufferSize]) {}

void TextWriter::Flush() {
    if (used_ > 0) {
        file_.Write(buffer_.get(), used_);
        used_ = 0;
    }
}

void TextWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == kBufferSize) {
            Flush();
        }
        const std::size_t n = std::min(bytes.size(), kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void TextWriter::WriteInt(std::int64_t value) {
    char* const first = Reserve(20);
    used_ += static_cast<std::size_t>(std::to_chars(first, first + 20, value).ptr - first);
}

void TextWriter::WriteIntRow(const std::int16_t* values, std::size_t count) {
    // Each value is copied as a whole table entry, one byte more than its longest text.
    constexpr std::size_t kMostPerValue = sizeof(SampleText) + 1;
    constexpr std::size_t kChunk = 1024;
    const SampleText* const texts = SampleTexts();
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, kChunk);
        char* const first = Reserve(n * kMostPerValue);
        char* p = first;
        for (std::size_t i = 0; i < n; ++i) {
            const SampleText& entry = texts[static_cast<std::uint16_t>(values[done + i])];
            std::memcpy(p, &entry, sizeof entry);
            p += entry.length;
            *p++ = '\t';
        }
        used_ += static_cast<std::size_t>(p - first);
        done += n;
    }
    if (count > 0) {
        --used_;  // the last TAB gives way to the line end
    }
    WriteLineEnd();
}

void TextWriter::WriteReal(double value) {
    FormatFileReal(value, Reserve(kFileRealWidth));
    used_ += kFileRealWidth;
}

void TextWriter::WriteLineEnd() {
    char* const p = Reserve(2);
    p[0] = '\r';
    p[1] = '\n';
    used_ += 2;
}

void TextWriter::Close() {
    if (!file_.IsOpen()) {
        return;
    }
    Flush();
    file_.Close();
}

} // namespace platform
