// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace quivra {

inline constexpr std::string_view kFirstScene = "_1_0";

// The position in the story. Scene codes are opaque: compared whole, never parsed.
struct GameState {
    std::string strEstado{kFirstScene}; // current scene code
    std::string strComando;             // last submitted phrase, normalised
    std::string strRelato;              // narrative built by the current turn
};

} // namespace quivra
