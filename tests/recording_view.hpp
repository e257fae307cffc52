#pragma once

#include "view.hpp"

#include <array>
#include <cstddef>
#include <string>

// A window without widgets: it keeps what a turn wrote, as the screen would show it.
class RecordingView : public quivra::View {
public:
    std::string entry;
    std::string sceneText = "Escenario 1\r\n";
    bool sceneTextVisible = false;
    std::string verdict;
    std::array<bool, quivra::kAllPictures.size()> pictures{true}; // pic_1_0 shown at start
    std::size_t changes = 0;

    std::string_view readEntryText() override { return entry; }
    void writeSceneText(std::string_view text) override {
        sceneText = text;
        ++changes;
    }
    void showSceneText(bool visible) override {
        sceneTextVisible = visible;
        ++changes;
    }
    void writeVerdict(std::string_view text) override {
        verdict = text;
        ++changes;
    }
    void showPicture(quivra::Picture picture, bool visible) override {
        pictures.at(static_cast<std::size_t>(picture)) = visible;
        ++changes;
    }

    bool shows(quivra::Picture picture) const {
        return pictures.at(static_cast<std::size_t>(picture));
    }
    std::size_t picturesShown() const {
        std::size_t shown = 0;
        for (const bool visible : pictures) {
            shown += visible ? 1 : 0;
        }
        return shown;
    }

    // What the player can see, for "nothing changed" comparisons.
    bool operator==(const RecordingView& other) const {
        return sceneText == other.sceneText && sceneTextVisible == other.sceneTextVisible &&
               verdict == other.verdict && pictures == other.pictures;
    }
};
