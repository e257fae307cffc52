#pragma once

#include "view.hpp"

#include <span>
#include <string>
#include <string_view>

namespace quivra {

// The game's one window as it was designed, for every face to build: each control where it
// stands, in pixels at 96 dots per inch, and what the player reads and hears of it.
enum class ControlKind { Hints, PictureBox, Button, Verdict, Entry, Scene, Label };

struct Pixels {
    int left, top, width, height;
};

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    Pixels pixels;
    int tabIndex;
    std::string_view caption{};        // a button's, with its access key after "&"; the label's
    std::string_view tooltip{};        // empty for none
    std::string_view accessibleName{}; // what a screen reader calls it; a picture's title
    std::string_view description{};    // a picture's, with the words drawn into it
    std::string_view image{};          // a button's picture, a file name without extension
    int imageWidth = 0;
    int imageHeight = 0;
};

inline constexpr Pixels kWindowPixels{0, 0, 600, 486};

// The scene box's text before any passage is written: a save made then holds it.
inline constexpr std::string_view kInitialSceneText = "Escenario 1\r\n";

// Every control in the design's stored order, which is the order of creation.
std::span<const ControlDesign> windowDesign();

const ControlDesign& controlNamed(std::string_view name);

// The box of a picture, named after its scene: pic_2_2 belongs to "_2_2".
const ControlDesign& pictureBox(Picture picture);

// The hint list: every phrase of the story in table order, but the empty one, a phrase that
// neighbouring rows share named once, each followed by " /", on one line ending in CR LF.
std::string hintList();

} // namespace quivra
