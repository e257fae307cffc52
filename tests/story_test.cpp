// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "interpreter.hpp"
#include "recording_window.hpp"
#include "story.hpp"
#include "windows1252.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace quivra;

namespace {

struct Game {
    explicit Game(std::string_view scene = kFirstScene) { state.strEstado = scene; }
    GameState state;
    RecordingWindow view;

    // Types the phrase and presses Enter; returns the verdict shown afterwards.
    std::string enter(const std::string& phrase) {
        view.entry = phrase;
        pressKey(state, view, kEnterKey);
        return view.verdict;
    }
};

struct Ending {
    const char* name;
    std::string walk; // the phrases typed, separated by "|"
    const char* scene;
};

class EndingTest : public testing::TestWithParam<Ending> {};

// Each turn of a walk is "Ok" until the last, "Fin"; the scene area shows the scene's picture
// alone, or its new passage alone; and an ending then ignores every phrase. Near misses are
// refused in every scene by the Phrases test below.
TEST_P(EndingTest, EveryTurnOfTheWalkIsCarriedOut) {
    std::vector<std::string> walk;
    std::istringstream phrases(GetParam().walk + "|"); // every phrase ends with "|"
    for (std::string phrase; std::getline(phrases, phrase, '|');) {
        walk.push_back(phrase);
    }
    Game game;
    for (std::size_t turn = 0; turn < walk.size(); ++turn) {
        const std::string textBefore = game.view.scene;
        ASSERT_EQ(game.enter(walk[turn]), turn + 1 == walk.size() ? kFin : kOk) << walk[turn];
        if (const auto picture = pictureOfScene(game.state.strEstado)) {
            EXPECT_EQ(game.view.onlyPicture(), picture) << game.state.strEstado;
            EXPECT_EQ(game.view.scene, textBefore) << "a picture keeps the hidden text";
        } else {
            EXPECT_TRUE(game.view.showsTextAlone() && !game.state.strRelato.empty());
            EXPECT_EQ(game.view.scene, game.state.strRelato) << game.state.strEstado;
        }
    }
    EXPECT_EQ(game.state.strEstado, GetParam().scene);

    const RecordingWindow atTheEnd = game.view;
    for (const char* phrase : {"", "zarpar", "continuar", "subir a la balsa"}) {
        game.enter(phrase);
        EXPECT_TRUE(game.view == atTheEnd) << "an ending ignores \"" << phrase << '"';
        EXPECT_EQ(game.state.strComando + "|" + game.state.strRelato, std::string{phrase} + "|");
    }
}

const std::string kRaft = "zarpar|navegar hacia la balsa|subir a la balsa|";
const std::string kIsland = kRaft + "navegar|saltar al agua|";

// Thirteen walks: the eight endings, two ways into jail and the islands, three into the thorns,
// and the shortest and longest plays to the last picture, with the same phrase twice, empty
// entries and capitals.
const Ending kEndings[] = {
    {"Jail", "aprovisionarse", "_1_0_1"},
    {"JailAfterBuildingAShip", "construir barco|aprovisionarse", "_1_0_1"},
    {"IslandsWithOnePhraseTwice", "zarpar|continuar|continuar", "_2_0_2"},
    {"IslandsOnEmptyEntries", "ZARPAR||   ", "_2_0_2"},
    {"Sharks", kRaft + "luchar con los tiburones", "_2_1_1_1"},
    {"Seabirds", "  Zarpar |acercarse a las aves marinas", "_2_2"},
    {"LostAtSea", kRaft + "navegar|regresar al barco", "_3_0_2"},
    {"ThornsAlone", kIsland + "explorar", "_3_1_2"},
    {"ThornsTogether", kIsland + "descansar|explorar la isla", "_3_1_2"},
    {"ThornsAfterCamping", kIsland + "descansar|acampar|internarse en la maleza", "_3_1_2"},
    {"Natives", kIsland + "hacer una fogata", "_4_7_1"},
    {"ShortestPlay", "construir barco|arreglar problemas espirituales|subir a la balsa||x|zarpar||",
     "_4_6"},
    {"LongestPlay", kIsland + "descansar|acampar|estudiar las conchas|subir a la balsa|||||",
     "_4_6"}};
INSTANTIATE_TEST_SUITE_P(EveryEnding, EndingTest, testing::ValuesIn(kEndings),
                         [](const auto& info) { return info.param.name; });

// Every phrase of the table, typed a little wrong, is refused; typed in capitals between
// spaces, it is taken.
TEST(Phrases, NearMissesAreRefusedAndCapitalsAndOuterSpacesAreNot) {
    for (const Row& row : storyTable()) {
        for (const std::string_view exact : row.phrases.exact()) {
            const std::string phrase{exact};
            std::vector<std::string> misses = {phrase + ".", "\t" + phrase,
                                               phrase.empty() ? "." : phrase.substr(1)};
            if (const auto space = phrase.find(' '); space != std::string::npos) {
                misses.push_back(std::string{phrase}.insert(space, " "));
            }
            for (const std::string& miss : misses) { // "Equivocado", and nothing else changes
                Game game{row.scene};
                EXPECT_EQ(game.enter(miss), kEquivocado) << row.scene << " / " << miss;
                EXPECT_EQ(game.state.strEstado + "|" + game.state.strRelato,
                          std::string{row.scene} + "|");
                game.view.verdict.clear();
                EXPECT_TRUE(game.view == RecordingWindow{}) << miss;
            }
            std::string shouted = phrase;
            std::ranges::transform(shouted, shouted.begin(), [](unsigned char c) {
                return static_cast<char>(std::toupper(c));
            });
            Game game{row.scene};
            EXPECT_EQ(game.enter("  " + shouted + " "), row.verdict) << shouted;
            EXPECT_EQ(game.state.strEstado, row.next);
        }
    }
}

TEST(Phrases, AreLowerCasedAsAPlayerExpects) {
    const std::pair<std::string, std::string> cases[] = {
        {"@AZ[`az{ ZARPAR!~\x7F", "@az[`az{ zarpar!~\x7F"},
        {"ÁÉÍÓÚÑÜÀÇÈÌÒÙÞ×", "áéíóúñüàçèìòùþ×"},
        {"ŒŠŽŸĄĆĘŁŃŹŻİ", "œšžÿąćęłńźżi"},
        {"ΑΩДЁЯ¡¿ß", "αωдёя¡¿ß"},
        {"\xC3\x28 \xFF Z\xE0\x81\x81 \xC3", "\xC3\x28 \xFF z\xE0\x81\x81 \xC3"},
    };
    for (const auto& [typed, phrase] : cases) {
        EXPECT_EQ(normalisePhrase(typed), phrase) << typed;
    }
}

// Only Enter plays, and only in a scene of the story.
TEST(Turn, OtherKeysAndUnknownScenesChangeNothing) {
    for (const char* scene : {"_1_0", "_9_9", "", "_1_0 ", "_2_0_"}) {
        Game game{scene};
        game.view.entry = "zarpar";
        const RecordingWindow before = game.view;
        for (const int key : {0, 8, 10, 32, 97, -13, 269}) {
            pressKey(game.state, game.view, static_cast<std::int16_t>(key));
        }
        if (scene != kFirstScene) {
            game.enter("zarpar");
        }
        EXPECT_TRUE(game.view == before) << scene;
        EXPECT_EQ(game.state.strEstado, scene);
    }
}

// Text rows write the passage and leave the scene area as it was, picture or text.
TEST(Turn, TextRowsLeaveTheSceneAreaAsItWas) {
    Game game{"_2_1"};
    game.view.pictures = {};
    game.view.pictures[static_cast<std::size_t>(Picture::pic_2_2)] = true;
    game.enter("retornar a tierra");
    EXPECT_EQ(game.view.onlyPicture(), Picture::pic_2_2);
    EXPECT_EQ(game.view.scene, game.state.strRelato);

    EXPECT_EQ(game.enter("zarpar"), kOk) << "back in the first scene, its rows work again";
    EXPECT_TRUE(game.view.showsTextAlone());
}

// Sixteen scenes have rows, six of them taking any phrase, each scene's rows together; every
// row can be reached; "Ok" leads to a scene with rows and "Fin" to an ending; a picture row
// leads to its own picture's scene and tells nothing.
TEST(StoryGraph, HoldsTogetherFromTheFirstScene) {
    std::vector<std::string_view> order;
    std::set<std::string_view> anyPhrase;
    std::set<std::string_view> reached = {kFirstScene};
    for (std::size_t before = 0; before != reached.size();) {
        before = reached.size();
        for (const Row& row : storyTable()) {
            if (reached.contains(row.scene)) {
                reached.insert(row.next);
            }
        }
    }
    for (const Row& row : storyTable()) {
        if (order.empty() || order.back() != row.scene) {
            EXPECT_EQ(std::ranges::count(order, row.scene), 0) << row.scene << " is split";
            order.push_back(row.scene);
        }
        if (row.phrases.any()) {
            anyPhrase.insert(row.scene);
        }
        EXPECT_TRUE(reached.contains(row.scene)) << row.scene;
        EXPECT_EQ(findRow(row.next, "").found != Found::NoScene, row.verdict == kOk) << row.next;
        if (row.show.kind == Display::ShowPicture) {
            EXPECT_EQ(pictureOfScene(row.next), row.show.picture) << row.next;
            EXPECT_TRUE(row.narrative.empty());
        }
    }
    EXPECT_EQ(order.size(), 16U);
    EXPECT_EQ(anyPhrase,
              (std::set<std::string_view>{"_2_0_1", "_4_0", "_4_1", "_4_2", "_4_3", "_4_4"}));
}

// Characters, not bytes: the story's letters are counted once however UTF-8 stores them.
std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::ranges::count_if(
        utf8, [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

std::string passageOf(std::string_view scene, std::string_view phrase) {
    std::string text;
    for (const std::string_view piece : findRow(scene, phrase).row->narrative) {
        text += piece;
    }
    return text;
}

// Every passage as the story's design sizes it. Stages 1 and 2 cut their passages finer,
// and every piece there ends with a space. Only the code page's letters, and no quote.
TEST(Passages, HaveTheirPiecesLengthsAndLetters) {
    // clang-format off
    const std::tuple<const char*, const char*, std::size_t, std::size_t> expected[] = {
        {"_1_0", "construir barco", 5, 250},          {"_1_0", "aprovisionarse", 6, 268},
        {"_1_0", "zarpar", 7, 312},                   {"_2_0", "continuar", 6, 254},
        {"_2_0", "navegar hacia la balsa", 3, 132},   {"_2_1", "retornar a tierra", 11, 536},
        {"_2_1", "subir a la balsa", 10, 482},        {"_2_1_1", "luchar con los tiburones", 3, 127},
        {"_2_1_1", "navegar", 15, 718},               {"_3_0", "regresar al barco", 2, 89},
        {"_3_0", "saltar al agua", 14, 727},          {"_3_0_1", "descansar", 19, 1033},
        {"_3_0_1", "explorar", 4, 155},               {"_3_0_1", "hacer una fogata", 31, 1583},
        {"_3_1", "acampar", 11, 513},                 {"_3_1", "explorar la isla", 4, 165},
        {"_3_1", "estudiar las conchas", 15, 709},    {"_4_0", "", 10, 395},
        {"_4_2", "", 81, 3544},                       {"_4_7", "arreglar problemas espirituales", 14, 678}};
    // clang-format on
    for (const auto& [scene, phrase, count, length] : expected) {
        SCOPED_TRACE(std::string{scene} + " / " + phrase);
        const Passage pieces = findRow(scene, phrase).row->narrative;
        ASSERT_EQ(pieces.size(), count);
        const bool fine = scene[1] <= '2'; // stages 1 and 2
        for (const std::string_view piece : pieces) {
            EXPECT_GE(characters(piece), fine ? 13U : 7U) << piece;
            EXPECT_LE(characters(piece), fine ? 59U : 62U) << piece;
            EXPECT_TRUE(!fine || piece.ends_with(' ')) << piece;
        }
        const std::string whole = passageOf(scene, phrase);
        EXPECT_EQ(characters(whole), length);
        EXPECT_EQ(whole.find("  "), std::string::npos) << "a doubled space where pieces join";
        EXPECT_EQ(fromWindows1252(toWindows1252(whole)), whole) << "outside the code page";
        EXPECT_EQ(whole.find('"'), std::string::npos);
    }
}

TEST(Passages, SharedOnesAreTheSameWordForWord) {
    EXPECT_EQ(passageOf("_1_0", "aprovisionarse"), passageOf("_4_7", "aprovisionarse"));
    EXPECT_EQ(passageOf("_3_1", "estudiar las conchas"),
              passageOf("_3_1_1", "estudiar las conchas"));
    EXPECT_EQ(passageOf("_3_1", "explorar la isla"),
              passageOf("_3_1_1", "internarse en la maleza"));
    const Passage alone = findRow("_3_0_1", "explorar").row->narrative;
    const Passage together = findRow("_3_1", "explorar la isla").row->narrative;
    EXPECT_EQ(alone[1], together[1]) << "the two thorn endings share their middle piece";
    EXPECT_NE(alone[0], together[0]);

    std::set<std::string> distinct;
    for (const Row& row : storyTable()) {
        if (!row.narrative.empty()) {
            distinct.insert(passageOf(row.scene, row.phrases.any() ? "" : row.phrases.exact()[0]));
        }
    }
    EXPECT_EQ(distinct.size(), 20U) << "20 passages, each shared one counted once";
}

} // namespace
