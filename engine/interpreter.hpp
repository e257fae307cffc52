// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "game_state.hpp"
#include "view.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra {

// Lower-cases every letter (accented ones too) and trims U+0020 at both ends.
std::string normalisePhrase(std::string_view entry);

// One turn of the story: reads the entry, finds the row and carries it out.
void playTurn(GameState& state, View& view);

// The one place that decides what the scene area shows: `picture`, or the scene text when
// there is none. Everything else in the area is hidden, whatever was showing before.
void showOnly(View& view, std::optional<Picture> picture);

// Shows a position just read from a progress file: its scene's picture, or its narrative in
// the scene box.
void restoreDisplay(const GameState& state, View& view);

// The entry box's key handler: only Enter plays a turn; the key code is left as it is.
void pressKey(GameState& state, View& view, std::int16_t keyAscii);

} // namespace quivra
