// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace quivra::win {

// The game speaks UTF-8; Windows' wide APIs speak UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace quivra::win
