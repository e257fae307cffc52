// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quivra::utf8 {

// Beyond Unicode, so no table maps it to anything.
inline constexpr char32_t kMalformed = 0x110000;

// Decodes the sequence at `pos` and moves past it. A malformed sequence comes back as
// kMalformed having consumed one byte, so the next byte is tried afresh.
inline char32_t next(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    const std::size_t extra = (lead >= 0xC2 && lead <= 0xDF)   ? 1
                              : (lead >= 0xE0 && lead <= 0xEF) ? 2
                              : (lead >= 0xF0 && lead <= 0xF4) ? 3
                                                               : 0;
    if (extra == 0 || s.size() - pos < extra) {
        return kMalformed;
    }
    char32_t c = lead & (0x3FU >> extra);
    for (std::size_t i = 0; i < extra; ++i) {
        const auto trail = static_cast<unsigned char>(s[pos + i]);
        if ((trail & 0xC0) != 0x80) {
            return kMalformed;
        }
        c = (c << 6) | (trail & 0x3FU);
    }
    constexpr std::array<char32_t, 4> kShortest = {0, 0x80, 0x800, 0x10000};
    if (c < kShortest[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return kMalformed;
    }
    pos += extra;
    return c;
}

// Writes `c`, a character of the Basic Multilingual Plane, at `out`; returns the end.
inline char* write(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

inline void append(std::string& out, char32_t c) {
    char encoded[3];
    out.append(encoded, write(encoded, c));
}

} // namespace quivra::utf8
