#pragma once

#include "game_state.hpp"
#include "view.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace quivra {

inline constexpr std::int16_t kEnterKey = 13;

// Lower-cases every letter (accented ones too) and trims U+0020 at both ends.
std::string normalisePhrase(std::string_view entry);

// One turn of the story: reads the entry, finds the row and carries it out.
void playTurn(GameState& state, View& view);

// The entry box's key handler: only Enter plays a turn; the key code is left as it is.
void pressKey(GameState& state, View& view, std::int16_t keyAscii);

} // namespace quivra
