// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "quivra/version.hpp"
#include "window_design.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace quivra;

namespace {

bool overlap(const Bounds& a, const Bounds& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// What must hold of the table every face builds its window from: one tab stop each, the
// scene area shared by the scene box and the pictures alone, every control inside the window,
// and every button running a command of its own with a picture that exists.
TEST(WindowDesign, ControlsShareOnlyTheSceneAreaAndEachButtonRunsItsOwnCommand) {
    const Bounds scene = controlNamed("txtEscenario").bounds;
    const auto inScene = [&](const ControlDesign& c) {
        return c.kind == ControlKind::PictureBox || c.kind == ControlKind::Scene;
    };
    std::vector<int> tabs;
    std::set<Command> commands;
    for (const ControlDesign& control : windowDesign()) {
        tabs.push_back(control.tabIndex);
        const Bounds& at = control.bounds;
        EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.left + at.width <= kClientSize.width &&
                    at.top + at.height <= kClientSize.height)
            << control.name;
        if (inScene(control)) {
            EXPECT_EQ(std::tie(at.left, at.top, at.width, at.height),
                      std::tie(scene.left, scene.top, scene.width, scene.height))
                << control.name;
        }
        for (const ControlDesign& other : windowDesign()) {
            if (&other != &control && !(inScene(control) && inScene(other))) {
                EXPECT_FALSE(overlap(at, other.bounds)) << control.name << " " << other.name;
            }
        }
        if (control.kind == ControlKind::Button) {
            EXPECT_TRUE(commands.insert(control.command).second) << control.name;
            EXPECT_TRUE(control.image.name.empty() ||
                        std::filesystem::exists(
                            std::string{QUIVRA_ASSETS_DIR "/"}.append(control.image.name) + ".png"))
                << control.name;
        }
    }
    std::ranges::sort(tabs);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        EXPECT_EQ(tabs[i], static_cast<int>(i)) << "tab indices 0 to " << tabs.size() - 1;
    }
    EXPECT_EQ(commands.size(), 6U);
    EXPECT_FALSE(commands.contains(Command::None));
    EXPECT_EQ(std::ranges::count_if(windowDesign(), inScene), 8);
    EXPECT_TRUE(controlNamed("lblAbout").caption.ends_with("Versión " QUIVRA_VERSION));
}

// The words drawn into a picture: its caption file, one drawn line per line, when the
// generator draws it; else the text elements of its SVG source; joined by spaces.
std::string drawnWords(std::string_view picture) {
    const std::string src = QUIVRA_ASSETS_DIR "/src/";
    std::ifstream caption(src + "captions/" + std::string{picture} + ".txt");
    std::ifstream svg(src + std::string{picture} + ".svg");
    const std::string source{std::istreambuf_iterator<char>((caption ? caption : svg).rdbuf()), {}};
    const std::regex drawn(caption ? "([^\n]+)" : "<text[^>]*>([^<]*)</text>");
    std::string words;
    for (std::sregex_iterator line(source.begin(), source.end(), drawn), end; line != end; ++line) {
        words += (words.empty() ? "" : " ") + (*line)[1].str();
    }
    return words;
}

// A player who cannot see a picture hears what it shows, and then the words drawn into it.
TEST(WindowDesign, PicturesAreDescribedWithTheirDrawnWords) {
    int withWords = 0;
    for (const Picture picture : kAllPictures) {
        const ControlDesign& box = pictureBox(picture);
        const std::string words = drawnWords(box.name);
        EXPECT_TRUE(box.description.ends_with(words)) << box.name << ": " << box.description;
        EXPECT_GT(box.description.size(), words.size() + 40) << box.name << " is described";
        withWords += words.empty() ? 0 : 1;
    }
    EXPECT_EQ(withWords, 4) << "pic_1_0, pic_2_2, pic_4_0 and pic_4_2 have words drawn in";
}

TEST(WindowDesign, HintListNamesEveryPhraseOfTheStory) {
    EXPECT_EQ(
        hintList(),
        "construir barco / aprovisionarse / zarpar / continuar / navegar hacia la balsa / "
        "acercarse a las aves marinas / retornar a tierra / subir a la balsa / luchar con los "
        "tiburones / navegar / regresar al barco / saltar al agua / descansar / explorar / "
        "hacer una fogata / acampar / explorar la isla / estudiar las conchas / internarse "
        "en la maleza / subir a la balsa / aprovisionarse / arreglar problemas espirituales "
        "/\r\n");
}

} // namespace
