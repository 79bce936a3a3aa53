#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Texts live in memory as UTF-8; files and fixed-width fields use code page 1251.

// A character without a 1251 code, and every malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Every one of the 256 byte values has a character, so this never loses anything; the one
// unassigned byte 0x98 maps to U+0098 and back.
std::string Cp1251ToUtf8(std::string_view cp1251);

// The length the text has once written in 1251: one per character, one per malformed sequence.
std::size_t Cp1251Length(std::string_view utf8);

} // namespace platform
