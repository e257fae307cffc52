// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "view.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quivra {

// The game's one window as it was designed, for every face to build: each control where it
// stands, in pixels at 96 dots per inch, how it is drawn, what the player reads and hears of
// it, and which command a button runs.
enum class ControlKind { Hints, PictureBox, Button, Verdict, Entry, Scene, Label };

// Where a control stands: its top-left corner, then its width and height, not a RECT's right
// and bottom.
struct Bounds {
    int left, top, width, height;
};

struct Size {
    int width, height;
};

// The faces a font names, the design's first; the free ones the game ships stand in for it.
inline constexpr std::string_view kSansSerifFaces[] = {"MS Sans Serif", "Microsoft Sans Serif",
                                                       "Liberation Sans", "Arial"};
inline constexpr std::string_view kTimesFaces[] = {"Times New Roman", "Liberation Serif"};

struct Font {
    std::span<const std::string_view> families;
    double points;
    bool bold = false;

    bool operator==(const Font& other) const {
        return families.data() == other.families.data() && points == other.points &&
               bold == other.bold;
    }
};

// A colour of the desktop's own, or one of the design's.
enum class SystemColour { None, WindowText, Window, ButtonText, ButtonFace };

struct Colour {
    SystemColour system;
    std::uint8_t red = 0, green = 0, blue = 0;
};

struct Colours {
    Colour text, background;
};

// What a click on a button runs.
enum class Command { None, Turn, NewGame, Open, Save, SaveAs, Exit };

// A button's picture: a file name without extension and its size in pixels at 1x.
struct ButtonImage {
    std::string_view name;
    int width = 0, height = 0;
};

// The window's client area, which the controls fill from its top-left corner.
inline constexpr Size kClientSize{600, 486};
inline constexpr Font kWindowFont{kSansSerifFaces, 8.25};
// The scene box's font after every reset, whatever it was created with.
inline constexpr Font kResetSceneFont{kTimesFaces, 11};

// The scene box's text before any passage is written: a save made then holds it.
inline constexpr std::string_view kInitialSceneText = "Escenario 1\r\n";

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    Bounds bounds;
    int tabIndex;
    std::string_view caption;        // a button's, with its access key after "&"; the label's
    std::string_view tooltip;        // empty for none
    std::string_view accessibleName; // what a screen reader calls it; a picture's title
    std::string_view description;    // a picture's, ending with the words drawn into it
    Font font;
    Colours colours;
    ButtonImage image; // a button's; no name for none
    Command command;   // a button's
};

// Every control in the design's stored order, which is the order of creation.
std::span<const ControlDesign> windowDesign();

const ControlDesign& controlNamed(std::string_view name);

// The box of a picture, named after its scene: pic_2_2 belongs to "_2_2".
const ControlDesign& pictureBox(Picture picture);

// The hint list: every phrase of the story in table order, but the empty one, a phrase that
// neighbouring rows share named once, each followed by " /", on one line ending in CR LF.
std::string hintList();

} // namespace quivra
