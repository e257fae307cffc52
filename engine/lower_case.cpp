// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "lower_case.hpp"

#include <cstdint>
#include <cstring>

namespace quivra {
namespace {

// Latin Extended-A (U+0100-U+017F) puts each capital just before its small letter.
char32_t toLowerLatinExtendedA(char32_t c) {
    if (c == 0x130) {
        return U'i';
    }
    if (c == 0x178) {
        return 0xFF;
    }
    const bool pairsStartEven = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool pairsStartOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((pairsStartEven && c % 2 == 0) || (pairsStartOdd && c % 2 == 1)) {
        return c + 1;
    }
    return c;
}

} // namespace

char32_t toLower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        return toLowerLatinExtendedA(c);
    }
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

bool lowerAsciiWord(const char* in, char* out) {
    constexpr std::uint64_t kEach = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x80 * kEach;
    std::uint64_t word = 0;
    std::memcpy(&word, in, sizeof word);
    if ((word & kHighBits) != 0) {
        return false;
    }
    // Adding 0x80 - 'A' sets a byte's high bit from 'A' up; 0x80 - 'Z' - 1, above 'Z'.
    const std::uint64_t fromA = word + (0x80 - 'A') * kEach;
    const std::uint64_t aboveZ = word + (0x80 - 'Z' - 1) * kEach;
    const std::uint64_t capitals = fromA & ~aboveZ & kHighBits;
    word |= capitals >> 2; // 0x80 >> 2 is the 0x20 between 'A' and 'a'
    std::memcpy(out, &word, sizeof word);
    return true;
}

} // namespace quivra
