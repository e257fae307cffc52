// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Prints the page's stylesheet of the window as the game's design has it: the client area's
// size, each control's place, font and colours, and the buttons' pictures. scripts/web.sh
// runs it at build time into window.css, so that the page is laid out before the game's
// module has arrived and no fact of the window is written twice. How a text box, a picture
// box or a button is drawn (borders, the colours of the desktop's palette) is quivra.css's.
#include "window_design.hpp"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using quivra::ControlDesign;
using quivra::ControlKind;

std::string px(int value) {
    return std::to_string(value) + "px";
}

std::string box(const quivra::Bounds& bounds) {
    return "left: " + px(bounds.left) + "; top: " + px(bounds.top) +
           "; width: " + px(bounds.width) + "; height: " + px(bounds.height) + ";";
}

// In longhands, which leave the line height to quivra.css; the family list ends with the
// generic family of the design's faces.
std::string font(const quivra::Font& font) {
    std::string points = std::to_string(font.points);
    points.erase(points.find_last_not_of('0') + 1);
    if (points.back() == '.') {
        points.pop_back();
    }
    std::string css = "font-weight: " + std::string{font.bold ? "700" : "400"} +
                      "; font-size: " + points + "pt; font-family: ";
    for (const std::string_view family : font.families) {
        css.append("\"").append(family).append("\", ");
    }
    const bool serif = font.families.data() == std::data(quivra::kTimesFaces);
    return css + (serif ? "serif;" : "sans-serif;");
}

// A colour of the desktop's own is the page's palette's, set in quivra.css.
std::string colour(const quivra::Colour& colour) {
    switch (colour.system) {
    case quivra::SystemColour::WindowText:
        return "var(--window-text)";
    case quivra::SystemColour::Window:
        return "var(--window)";
    case quivra::SystemColour::ButtonText:
        return "var(--button-text)";
    case quivra::SystemColour::ButtonFace:
        return "var(--button-face)";
    case quivra::SystemColour::None:
        break;
    }
    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "rgb(%d %d %d)", colour.red, colour.green, colour.blue);
    return rgb;
}

void rule(const std::string& selector, const std::string& declarations) {
    std::printf("%s { %s }\n", selector.c_str(), declarations.c_str());
}

// A button's picture is drawn at its size above the caption, from the top for a small one;
// a large one takes most of the height, so the two are drawn closer to the edges. A button
// without a picture centres its caption.
void buttonImage(const std::string& id, const quivra::ButtonImage& image) {
    if (image.name.empty()) {
        rule(id, "justify-content: center; padding: 0;");
        rule(id + " > .image", "display: none;");
        return;
    }
    const std::string name{image.name};
    if (image.height > 24) {
        rule(id, "padding: 2px 0 5px;");
    }
    rule(id + " > .image", "width: " + px(image.width) + "; height: " + px(image.height) +
                               "; background-image: image-set(url(" + name + ".png) 1x, url(" +
                               name + "@2x.png) 2x);");
}

} // namespace

int main() {
    std::printf("/* Generated from the game's window design by window_css; do not edit. */\n");
    const quivra::Size& window = quivra::kClientSize;
    rule("main", "width: " + px(window.width) + "; height: " + px(window.height) + "; " +
                     font(quivra::kWindowFont));
    for (const ControlDesign& control : quivra::windowDesign()) {
        const std::string id = "#" + std::string{control.name};
        std::string declarations = box(control.bounds);
        if (control.kind != ControlKind::PictureBox) {
            declarations += " " + font(control.font) + " color: " + colour(control.colours.text) +
                            "; background-color: " + colour(control.colours.background) + ";";
        }
        // One line, centred in the box inside its one-pixel border.
        if (control.kind == ControlKind::Verdict) {
            declarations += " line-height: " + px(control.bounds.height - 2) + ";";
        }
        rule(id, declarations);
        if (control.kind == ControlKind::Button) {
            buttonImage(id, control.image);
        }
        if (control.kind == ControlKind::Scene) {
            rule(id + ".reset", font(quivra::kResetSceneFont));
        }
    }
    return 0;
}
