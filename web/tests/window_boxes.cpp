// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The window's client area and every control's box as the design has them, in pixels, as
// JSON: {"window": [width, height], "controls": {"name": [left, top, width, height], ...}}.
// The page's test holds the rendered page to it.
#include "window_design.hpp"

#include <cstdio>

int main() {
    const quivra::Size& window = quivra::kClientSize;
    std::printf("{\"window\": [%d, %d], \"controls\": {", window.width, window.height);
    const char* separator = "";
    for (const quivra::ControlDesign& control : quivra::windowDesign()) {
        const quivra::Bounds& box = control.bounds;
        std::printf("%s\"%.*s\": [%d, %d, %d, %d]", separator,
                    static_cast<int>(control.name.size()), control.name.data(), box.left, box.top,
                    box.width, box.height);
        separator = ", ";
    }
    std::printf("}}\n");
    return 0;
}
