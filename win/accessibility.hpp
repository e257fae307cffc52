// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>
#include <windows.h>

namespace quivra::win {

// Gives a control the name, and for a picture the description and the role of an image,
// that screen readers say; its own window text stays as it is.
void nameForScreenReaders(HWND control, const wchar_t* name, const wchar_t* description = nullptr);

// Raises one UI Automation notification from `element`, which has a screen reader read `text`
// as the outcome of the player's action, where the system offers them (Windows 10 1709 and
// later); elsewhere nothing.
void raiseNotification(HWND element, std::wstring_view text);

} // namespace quivra::win
