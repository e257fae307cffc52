// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace quivra {

// Windows-1252 bytes <-> UTF-8. Every byte value round-trips: the five bytes the code page
// leaves undefined stand for the C1 controls of the same value. A character the code page
// cannot hold, or a malformed UTF-8 byte, is written as '?'.
std::string toWindows1252(std::string_view text);
std::string fromWindows1252(std::string_view bytes);

} // namespace quivra
