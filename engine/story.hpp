// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "view.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quivra {

inline constexpr std::string_view kOk = "Ok";
inline constexpr std::string_view kFin = "Fin";
inline constexpr std::string_view kEquivocado = "Equivocado";

// What a row does to the scene area: write the scene text and leave the area as it is, write
// it and show it alone, or show a picture alone.
enum class Display { WriteText, ShowText, ShowPicture };

struct Show {
    Display kind;
    Picture picture = Picture::pic_1_0; // only read when kind is Display::ShowPicture
};

// Up to two exact phrases take a row; none at all means the row takes any phrase.
struct Phrases {
    std::array<std::string_view, 2> list{};
    std::size_t count = 0;

    constexpr bool any() const { return count == 0; }
    constexpr std::span<const std::string_view> exact() const { return {list.data(), count}; }
};

using Passage = std::span<const std::string_view>;

struct Row {
    std::string_view scene;
    Phrases phrases;
    std::string_view next;
    std::string_view verdict;
    Show show;
    Passage narrative;
};

std::span<const Row> storyTable();

enum class Found { Row, WrongPhrase, NoScene };

struct Lookup {
    Found found;
    const Row* row = nullptr;
};

// First row of `scene` taking `phrase`, in table order.
Lookup findRow(std::string_view scene, std::string_view phrase);

// The scene whose display is a picture, if `scene` is one of the seven picture scenes.
std::optional<Picture> pictureOfScene(std::string_view scene);

std::size_t passageLength(Passage passage);

} // namespace quivra
