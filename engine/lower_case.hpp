// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

namespace quivra {

// Upper-case to lower-case for the alphabets a player can type on a European keyboard:
// Latin (with Latin-1 and Latin Extended-A), Greek and Cyrillic.
char32_t toLower(char32_t c);

// Lower-cases the eight ASCII bytes at `in` into `out` at once: a wrong phrase is the
// commonest turn and its time goes mostly here. False, writing nothing, when a byte is not
// ASCII.
bool lowerAsciiWord(const char* in, char* out);

} // namespace quivra
