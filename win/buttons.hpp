// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "pictures.hpp"

#include <windows.h>

namespace quivra::win {

// A push button with its picture centred above its caption, as an owner-drawn button draws,
// in the given colours.
void drawCommandButton(const DRAWITEMSTRUCT& item, const Bitmap& picture, SIZE shown, COLORREF ink,
                       HBRUSH paper);

} // namespace quivra::win
