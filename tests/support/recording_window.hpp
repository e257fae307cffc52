// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

// What a screen reader is given for a picture brought up: its name, then its description.
inline std::string wordsOf(quivra::Picture picture) {
    const quivra::ControlDesign& box = quivra::pictureBox(picture);
    return std::string{box.accessibleName} + ". " + std::string{box.description};
}

// A window without widgets: it keeps what the game wrote, as the screen would show it.
class RecordingWindow : public quivra::Window {
public:
    std::string entry;
    std::string scene = "Escenario 1\r\n";
    bool sceneVisible = false;
    std::string verdict;
    std::array<bool, quivra::kAllPictures.size()> pictures{true}; // pic_1_0 shown at start
    std::string caption = "Quivra";
    int fontResets = 0;
    std::vector<std::string> said; // what a screen reader was given, in order

    std::string_view readEntryText() override { return entry; }
    void writeSceneText(std::string_view text) override { scene = text; }
    void showSceneText(bool visible) override { sceneVisible = visible; }
    void writeVerdict(std::string_view text) override { verdict = text; }
    void showPicture(quivra::Picture picture, bool visible) override {
        pictures.at(static_cast<std::size_t>(picture)) = visible;
    }
    void clearEntryText() override { entry.clear(); }
    void resetSceneFont() override { ++fontResets; }
    void setCaption(std::string_view text) override { caption = text; }
    void announce(std::string_view text) override { said.emplace_back(text); }

    // The one picture shown, and no scene text; or nullopt when not exactly that.
    std::optional<quivra::Picture> onlyPicture() const {
        if (sceneVisible || std::ranges::count(pictures, true) != 1) {
            return std::nullopt;
        }
        return static_cast<quivra::Picture>(std::ranges::find(pictures, true) - pictures.begin());
    }
    bool showsTextAlone() const { return sceneVisible && pictures == decltype(pictures){}; }

    // What the player can see, for "nothing changed" comparisons.
    bool operator==(const RecordingWindow& other) const {
        return scene == other.scene && sceneVisible == other.sceneVisible &&
               verdict == other.verdict && pictures == other.pictures && caption == other.caption;
    }
};
