// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "windows1252.hpp"

#include "utf8.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace quivra {
namespace {

// The characters of bytes 0x80-0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kFrom0x80To0x9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr char kUnmappable = '?';

char32_t characterOf(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kFrom0x80To0x9F[byte - 0x80] : char32_t{byte};
}

// The byte for `c`, or '?' when the code page has none.
char byteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    const auto index =
        std::find(kFrom0x80To0x9F.begin(), kFrom0x80To0x9F.end(), c) - kFrom0x80To0x9F.begin();
    if (index == std::ssize(kFrom0x80To0x9F)) {
        return kUnmappable;
    }
    return static_cast<char>(0x80 + index);
}

} // namespace

std::string toWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = utf8::next(text, pos);
        bytes += c == utf8::kMalformed ? kUnmappable : byteOf(c);
    }
    return bytes;
}

std::string fromWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        utf8::append(text, characterOf(static_cast<unsigned char>(byte)));
    }
    return text;
}

} // namespace quivra
