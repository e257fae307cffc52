// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quivra {

// The character code the entry box passes for Enter.
inline constexpr std::int16_t kEnterKey = 13;

// The seven picture boxes, each named after the scene it belongs to.
enum class Picture { pic_1_0, pic_2_0_2, pic_2_2, pic_4_0, pic_4_2, pic_4_4, pic_4_6 };

inline constexpr std::array kAllPictures = {Picture::pic_1_0, Picture::pic_2_0_2, Picture::pic_2_2,
                                            Picture::pic_4_0, Picture::pic_4_2,   Picture::pic_4_4,
                                            Picture::pic_4_6};

// What a turn may do to the window. The engine never sees a widget: the window
// implements these on its real controls and the tests on a recording fake.
class View {
public:
    virtual ~View() = default;

    // The entry text in UTF-8, valid until the next call.
    virtual std::string_view readEntryText() = 0;                // txtComando
    virtual void writeSceneText(std::string_view text) = 0;      // txtEscenario
    virtual void showSceneText(bool visible) = 0;                // txtEscenario
    virtual void writeVerdict(std::string_view verdict) = 0;     // txtOkOrNot
    virtual void showPicture(Picture picture, bool visible) = 0; // pic_*
};

} // namespace quivra
