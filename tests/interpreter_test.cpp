#include "interpreter.hpp"
#include "recording_view.hpp"
#include "story.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace quivra;

namespace {

struct Game {
    GameState state;
    RecordingView view;

    // Types the phrase and presses Enter; returns the verdict shown afterwards.
    std::string enter(const std::string& phrase) {
        view.entry = phrase;
        pressKey(state, view, kEnterKey);
        return view.verdict;
    }

    void play(const std::vector<std::string>& phrases) {
        for (const std::string& phrase : phrases) {
            ASSERT_NE(enter(phrase), kEquivocado) << "in a walk, \"" << phrase << "\" was refused";
        }
    }

    static Game at(std::string_view scene) {
        Game game;
        game.state.strEstado = scene;
        return game;
    }
};

const std::vector<std::string> kToTheRaft = {"zarpar", "navegar hacia la balsa",
                                             "subir a la balsa"};
const std::vector<std::string> kToTheIsland = {"zarpar", "navegar hacia la balsa",
                                               "subir a la balsa", "navegar", "saltar al agua"};

std::vector<std::string> operator+(std::vector<std::string> walk,
                                   const std::vector<std::string>& more) {
    walk.insert(walk.end(), more.begin(), more.end());
    return walk;
}

struct Ending {
    const char* name;
    std::vector<std::string> walk;
    std::string scene;
    bool picture;
};

class EndingTest : public testing::TestWithParam<Ending> {};

// Every turn of a walk is accepted with "Ok" until the last, which ends the story: the
// shortest play to the raft's end takes 8 turns and the longest 14.
TEST_P(EndingTest, WalkReachesTheEndingWithFin) {
    const Ending& ending = GetParam();
    Game game;
    for (std::size_t turn = 0; turn < ending.walk.size(); ++turn) {
        const bool last = turn + 1 == ending.walk.size();
        ASSERT_EQ(game.enter(ending.walk[turn]), last ? kFin : kOk) << ending.walk[turn];
    }

    EXPECT_EQ(game.state.strEstado, ending.scene);
    EXPECT_EQ(game.view.verdict, kFin);
    if (ending.picture) {
        EXPECT_FALSE(game.view.sceneTextVisible);
        ASSERT_EQ(game.view.picturesShown(), 1U);
        EXPECT_TRUE(game.view.shows(*pictureOfScene(ending.scene)));
    } else {
        EXPECT_TRUE(game.view.sceneTextVisible);
        EXPECT_EQ(game.view.picturesShown(), 0U);
        EXPECT_EQ(game.view.sceneText, game.state.strRelato);
        EXPECT_FALSE(game.view.sceneText.empty());
    }
}

const std::vector<std::string> kFiveEnters = {"", "", "", "", ""};

INSTANTIATE_TEST_SUITE_P(
    EveryEnding, EndingTest,
    testing::Values(
        Ending{"Jail", {"aprovisionarse"}, "_1_0_1", false},
        Ending{"JailAfterBuildingAShip", {"construir barco", "aprovisionarse"}, "_1_0_1", false},
        Ending{"Islands", {"zarpar", "continuar", "lo que sea"}, "_2_0_2", true},
        Ending{"Sharks", kToTheRaft + std::vector<std::string>{"luchar con los tiburones"},
               "_2_1_1_1", false},
        Ending{"Seabirds", {"zarpar", "acercarse a las aves marinas"}, "_2_2", true},
        Ending{"LostAtSea", kToTheRaft + std::vector<std::string>{"navegar", "regresar al barco"},
               "_3_0_2", false},
        Ending{"ThornsAlone", kToTheIsland + std::vector<std::string>{"explorar"}, "_3_1_2", false},
        Ending{"ThornsTogether",
               kToTheIsland + std::vector<std::string>{"descansar", "explorar la isla"}, "_3_1_2",
               false},
        Ending{"ThornsAfterCamping",
               kToTheIsland +
                   std::vector<std::string>{"descansar", "acampar", "internarse en la maleza"},
               "_3_1_2", false},
        Ending{"Natives", kToTheIsland + std::vector<std::string>{"hacer una fogata"}, "_4_7_1",
               false},
        Ending{"ShortestPlay",
               std::vector<std::string>{"construir barco", "arreglar problemas espirituales",
                                        "subir a la balsa"} +
                   kFiveEnters,
               "_4_6", true},
        Ending{"LongestPlay",
               kToTheIsland +
                   std::vector<std::string>{"descansar", "acampar", "estudiar las conchas",
                                            "subir a la balsa"} +
                   kFiveEnters,
               "_4_6", true}),
    [](const testing::TestParamInfo<Ending>& info) { return info.param.name; });

TEST(Walks, ReturningToLandLoopsBackToTheFirstScene) {
    Game game;
    game.play({"zarpar"});
    const std::string voyage = game.view.sceneText;
    game.play({"navegar hacia la balsa", "retornar a tierra"});
    const std::string landing = game.view.sceneText;

    EXPECT_EQ(game.state.strEstado, "_1_0");
    EXPECT_EQ(game.view.verdict, kOk);
    EXPECT_TRUE(game.view.sceneTextVisible);
    EXPECT_EQ(game.view.picturesShown(), 0U);
    EXPECT_NE(landing, voyage);

    EXPECT_EQ(game.enter("zarpar"), kOk);
    EXPECT_EQ(game.state.strEstado, "_2_0");
    EXPECT_EQ(game.view.sceneText, voyage);
}

TEST(Turn, FirstAcceptedPhraseHidesTheOpeningPictureAndShowsItsPassage) {
    Game game;
    EXPECT_EQ(game.enter("zarpar"), kOk);
    EXPECT_FALSE(game.view.shows(Picture::pic_1_0));
    EXPECT_TRUE(game.view.sceneTextVisible);
    EXPECT_EQ(game.view.sceneText, game.state.strRelato);
    EXPECT_EQ(game.view.sceneText, game.state.strRelato.c_str()) << "no separator was added";
}

TEST(Turn, KeysOtherThanEnterChangeNothing) {
    Game game;
    game.view.entry = "zarpar";
    const RecordingView before = game.view;
    for (const std::int16_t key : {0, 8, 10, 32, 97, -13, 269}) {
        pressKey(game.state, game.view, key);
    }
    EXPECT_EQ(game.view, before);
    EXPECT_EQ(game.view.changes, 0U);
    EXPECT_EQ(game.state.strEstado, "_1_0");
    EXPECT_EQ(game.state.strComando, "");
}

TEST(Turn, PhraseIsLowerCasedAndTrimmedOfSpacesOnly) {
    EXPECT_EQ(Game{}.enter("  ZARPAR  "), kOk);
    EXPECT_EQ(Game::at("_3_0").enter(" Saltar Al Agua "), kOk);
    EXPECT_EQ(Game::at("_3_0").enter("saltar  al agua"), kEquivocado);
    EXPECT_EQ(Game{}.enter("zarpar."), kEquivocado);
    EXPECT_EQ(Game{}.enter("\tzarpar"), kEquivocado);

    Game game;
    game.enter("   Construir BARCO ");
    EXPECT_EQ(game.state.strComando, "construir barco");
    EXPECT_EQ(game.view.entry, "   Construir BARCO ") << "the entry box keeps what was typed";
}

struct Normalised {
    std::string typed;
    std::string phrase;
};

class NormaliseTest : public testing::TestWithParam<Normalised> {};

TEST_P(NormaliseTest, LowerCasesAsAPlayerExpects) {
    EXPECT_EQ(normalisePhrase(GetParam().typed), GetParam().phrase);
}

INSTANTIATE_TEST_SUITE_P(
    Phrases, NormaliseTest,
    testing::Values(Normalised{"ZARPAR", "zarpar"},
                    Normalised{"@AZ[`az{ ZARPAR!~\x7F", "@az[`az{ zarpar!~\x7F"},
                    Normalised{"NAVEGAR HACIA LA BALSA ÁGUILA Ñ",
                               "navegar hacia la balsa águila ñ"},
                    Normalised{"Saltar Al Agua", "saltar al agua"},
                    Normalised{"ÁÉÍÓÚÑÜ", "áéíóúñü"}, Normalised{"ÀÇÈÌÒÙÞ×", "àçèìòùþ×"},
                    Normalised{"ŒŠŽŸ", "œšžÿ"}, Normalised{"ĄĆĘŁŃŹŻİ", "ąćęłńźżi"},
                    Normalised{"ΑΩДЁЯ", "αωдёя"}, Normalised{"¡¿ß!", "¡¿ß!"}, Normalised{"   ", ""},
                    Normalised{"", ""}, Normalised{" a  B ", "a  b"},
                    Normalised{"\xC3\x28 \xFF Z", "\xC3\x28 \xFF z"},
                    Normalised{"\xE0\x81\x81", "\xE0\x81\x81"}, Normalised{"\xC3", "\xC3"}));

struct WrongPhrase {
    std::string scene;
    std::string phrase;
};

class WrongPhraseTest : public testing::TestWithParam<WrongPhrase> {};

TEST_P(WrongPhraseTest, OnlyTheVerdictChanges) {
    Game game = Game::at(GetParam().scene);
    game.view.sceneText = "pasaje anterior";
    game.view.sceneTextVisible = true;
    game.view.pictures = {};
    const RecordingView before = game.view;

    EXPECT_EQ(game.enter(GetParam().phrase), kEquivocado);
    EXPECT_EQ(game.state.strEstado, GetParam().scene);
    EXPECT_EQ(game.state.strRelato, "");
    game.view.verdict = before.verdict;
    EXPECT_EQ(game.view, before);
}

INSTANTIATE_TEST_SUITE_P(
    NearMisses, WrongPhraseTest,
    testing::Values(WrongPhrase{"_1_0", ""}, WrongPhrase{"_1_0", "zarpar."},
                    WrongPhrase{"_1_0", "construir  barco"}, WrongPhrase{"_2_0", "navegar"},
                    WrongPhrase{"_2_0", "acercarse a las aves"}, WrongPhrase{"_2_1", ""},
                    WrongPhrase{"_2_1", "retornar"}, WrongPhrase{"_2_1_1", "continuar"},
                    WrongPhrase{"_2_1_1", "luchar"}, WrongPhrase{"_3_0", "saltar"},
                    WrongPhrase{"_3_0_1", "explorar la isla"}, WrongPhrase{"_3_0_1", ""},
                    WrongPhrase{"_3_1", "explorar"}, WrongPhrase{"_3_1", "internarse en la maleza"},
                    WrongPhrase{"_3_1_1", "acampar"}, WrongPhrase{"_3_1_1", "explorar la isla"},
                    WrongPhrase{"_3_1_3", "zarpar"}, WrongPhrase{"_3_1_3", "subir a la balsa."},
                    WrongPhrase{"_4_7", "zarpar"}, WrongPhrase{"_4_7", "construir barco"}));

TEST(Turn, AfterAWrongPhraseTheRightOneGoesOn) {
    Game game;
    EXPECT_EQ(game.enter("zarpa"), kEquivocado);
    EXPECT_EQ(game.enter("zarpar"), kOk);
    EXPECT_EQ(game.state.strEstado, "_2_0");
}

TEST(Turn, EndingsAndUnknownScenesIgnoreEveryPhrase) {
    for (const char* scene : {"_1_0_1", "_2_0_2", "_2_1_1_1", "_2_2", "_3_0_2", "_3_1_2", "_4_6",
                              "_4_7_1", "_9_9", "", "_1_0 "}) {
        for (const char* phrase : {"", "zarpar", "continuar", "cualquier cosa"}) {
            Game game = Game::at(scene);
            game.view.verdict = std::string{kFin};
            game.state.strRelato = "texto leído";
            const RecordingView before = game.view;

            game.enter(phrase);
            EXPECT_EQ(game.view, before) << scene << " / " << phrase;
            EXPECT_EQ(game.view.changes, 0U);
            EXPECT_EQ(game.state.strEstado, scene);
            EXPECT_EQ(game.state.strRelato, "");
            EXPECT_EQ(game.state.strComando, phrase);
        }
    }
}

TEST(Turn, AnyPhraseScenesTakeAnEmptyEntry) {
    for (const char* phrase : {"", "   ", "xyz", "zarpar"}) {
        Game islands = Game::at("_2_0_1");
        EXPECT_EQ(islands.enter(phrase), kFin);
        EXPECT_EQ(islands.state.strEstado, "_2_0_2");
        EXPECT_TRUE(islands.view.shows(Picture::pic_2_0_2));
    }

    Game game = Game::at("_4_0");
    const char* expected[] = {"_4_1", "_4_2", "_4_3", "_4_4", "_4_6"};
    for (const char* scene : expected) {
        game.enter("");
        EXPECT_EQ(game.state.strEstado, scene);
    }
    EXPECT_EQ(game.view.verdict, kFin);
    EXPECT_FALSE(game.view.sceneTextVisible);
    EXPECT_EQ(game.view.picturesShown(), 1U);
    EXPECT_TRUE(game.view.shows(Picture::pic_4_6));
}

TEST(Turn, EmptyPhraseContinuesInTheFirstVoyageOnly) {
    Game game;
    game.play({"zarpar"});
    EXPECT_EQ(game.enter(""), kOk);
    EXPECT_EQ(game.state.strEstado, "_2_0_1");
    EXPECT_FALSE(game.view.sceneText.empty());
}

TEST(Turn, PictureRowsHideTheSceneTextAndKeepIt) {
    Game birds;
    birds.play({"zarpar"});
    const std::string voyage = birds.view.sceneText;
    birds.play({"acercarse a las aves marinas"});
    EXPECT_FALSE(birds.view.sceneTextVisible);
    EXPECT_EQ(birds.view.sceneText, voyage);
    EXPECT_EQ(birds.state.strRelato, "");
    EXPECT_EQ(birds.view.picturesShown(), 1U);
    EXPECT_TRUE(birds.view.shows(Picture::pic_2_2));

    Game church;
    church.play({"construir barco", "arreglar problemas espirituales"});
    const std::string churchText = church.view.sceneText;
    church.play({"subir a la balsa"});
    EXPECT_EQ(church.view.sceneText, churchText);
    EXPECT_FALSE(church.view.sceneTextVisible);
    church.play({"lo que sea"});
    EXPECT_NE(church.view.sceneText, churchText) << "the mermaid passage replaces it";
    EXPECT_TRUE(church.view.sceneTextVisible);
    EXPECT_EQ(church.view.picturesShown(), 0U);
}

TEST(Turn, TextRowsTouchNeitherPicturesNorVisibility) {
    Game game;
    game.play({"construir barco"});
    game.view.changes = 0;
    game.play({"aprovisionarse"});
    EXPECT_EQ(game.view.changes, 2U) << "only the scene text and the verdict are written";
    EXPECT_TRUE(game.view.sceneTextVisible);
}

TEST(Turn, SamePhraseSubmittedAgainPlaysInTheNewScene) {
    Game raft;
    raft.play({"zarpar", "navegar hacia la balsa"});
    EXPECT_EQ(raft.enter("navegar hacia la balsa"), kEquivocado);
    EXPECT_EQ(raft.state.strEstado, "_2_1");

    Game islands;
    islands.play({"zarpar", "continuar"});
    EXPECT_EQ(islands.enter("continuar"), kFin);
    EXPECT_EQ(islands.state.strEstado, "_2_0_2");

    Game shells = Game::at("_3_1");
    shells.play({"estudiar las conchas"});
    const std::string fromTheBeach = shells.view.sceneText;
    Game camped = Game::at("_3_1_1");
    camped.play({"estudiar las conchas"});
    EXPECT_EQ(camped.view.sceneText, fromTheBeach);
    EXPECT_EQ(camped.state.strEstado, "_3_1_3");
}

} // namespace
