// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "commands.hpp"
#include "interpreter.hpp"
#include "memory_files.hpp"
#include "progress_file.hpp"
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"

#include <gtest/gtest.h>

using namespace quivra;

namespace {

using Box = ScriptedDialogs::Box;
using FileQuestion = ScriptedDialogs::FileQuestion;

const std::string kStartUpSave = "\"_1_0\"\r\n\"Escenario 1\r\n\"\r\n";
const std::string kFilter = "Documentos .txt (*.txt) |*.txt";
const Box kNotSaved{"No se ha guardado el archivo...", "Quivra", Buttons::Ok, Icon::None};
const Box kCannotOpen{"No se abre el archivo...", "Quivra", Buttons::Ok, Icon::None};

// The game started, with its window, dialogs and files all kept in memory.
class CommandsTest : public testing::Test {
protected:
    void SetUp() override { game.Form_Load(); }

    void enter(const std::string& phrase) {
        window.entry = phrase;
        std::int16_t key = kEnterKey;
        game.txtComando_KeyPress(key);
    }
    void saveAs(const std::string& path) {
        dialogs.files.emplace_back(path);
        game.cmdSaveAs_Click();
    }
    void open(const std::optional<std::string>& path) {
        dialogs.files.emplace_back(path);
        game.cmdAbrirP_Click();
    }
    void expectFirstScene() {
        EXPECT_EQ(window.onlyPicture(), Picture::pic_1_0);
        EXPECT_EQ(game.game().strEstado + window.verdict + window.caption + game.currentFile(),
                  "_1_0Quivra");
    }

    RecordingWindow window;
    ScriptedDialogs dialogs;
    MemoryFiles files;
    Commands game{window, dialogs, files};
};

const FileQuestion kSaveQuestion{"Guardar progreso como...", kFilter, true};

// The questions each command asks: text, title, buttons and icon, and the file dialogs'
// titles and filter.
TEST_F(CommandsTest, EveryCommandAsksInTheGamesWords) {
    files.files["/p/vieja.txt"] = "x";
    dialogs.answers = {Answer::No, Answer::No, Answer::Yes};
    dialogs.files = {std::nullopt, "/p/vieja.txt", std::nullopt};
    game.cmdNuevoJuego_Click();
    game.cmdSave_Click();
    game.cmdSaveAs_Click();
    game.cmdAbrirP_Click();
    game.cmdSalir_Click();
    EXPECT_EQ(dialogs.fileQuestions,
              (std::vector<FileQuestion>{
                  kSaveQuestion, kSaveQuestion, {"Abrir archivo de progreso...", kFilter, false}}));
    EXPECT_EQ(dialogs.boxes,
              (std::vector<Box>{
                  {"¿Desea reempezar todo?", "Nuevo juego", Buttons::YesNo, Icon::Exclamation},
                  kNotSaved,
                  {"¿Sobreescribir?", "/p/vieja.txt", Buttons::YesNo, Icon::Exclamation},
                  kCannotOpen,
                  {"¿Desea guardar su progreso antes de salir?", "Salir de Quivra",
                   Buttons::YesNoOnly, Icon::Stop},
                  {"Por favor guarde su progreso Ud. mismo...", "Permanecer en el programa",
                   Buttons::Ok, Icon::Information}}));
    EXPECT_FALSE(dialogs.quitRequested);
    dialogs.answers = {Answer::No};
    game.cmdSalir_Click();
    EXPECT_TRUE(dialogs.quitRequested) << "Exit answered No ends the game";
}

TEST_F(CommandsTest, NewGameAnsweredNoKeepsEverythingAndYesStartsAgain) {
    saveAs("/p/partida.txt");
    enter("zarpar");
    enter("acercarse a las aves marinas");
    const RecordingWindow before = window;
    game.cmdNuevoJuego_Click();
    EXPECT_TRUE(window == before);
    EXPECT_EQ(game.game().strEstado + game.currentFile(), "_2_2/p/partida.txt");

    dialogs.answers = {Answer::Yes};
    const int fontResets = window.fontResets;
    game.cmdNuevoJuego_Click();
    expectFirstScene();
    EXPECT_EQ(window.entry, "");
    EXPECT_EQ(window.fontResets, fontResets + 1);
    EXPECT_EQ(window.scene, before.scene) << "the last passage stays in the hidden box";
}

// Save without a current file asks a name and writes the scene box there; declining to
// overwrite another file beeps and keeps that file and the current name.
TEST_F(CommandsTest, SaveNamesTheFileAndADeclinedOverwriteKeepsIt) {
    files.files["/p/vieja.txt"] = "no tocar";
    dialogs.files = {"/p/actual.txt"};
    game.cmdSave_Click();
    EXPECT_EQ(files.files["/p/actual.txt"], kStartUpSave);
    EXPECT_TRUE(dialogs.boxes.empty()) << "a new name asks no question";
    dialogs.answers = {Answer::No};
    saveAs("/p/vieja.txt");
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(files.files["/p/vieja.txt"], "no tocar");
    EXPECT_EQ(game.currentFile() + " " + window.caption, "/p/actual.txt .../p/actual.txt - Quivra");

    enter("zarpar");
    game.cmdSave_Click();
    EXPECT_EQ(files.files["/p/vieja.txt"], "no tocar") << "Save goes to the file still current";

    dialogs.answers = {Answer::Yes};
    saveAs("/p/actual.txt");
    EXPECT_EQ(dialogs.boxes.size(), 2U) << "the current file exists, so it is asked again";
    EXPECT_EQ(files.files["/p/actual.txt"].substr(0, 8), "\"_2_0\"\r\n");
}

// A folder or a pipe chosen, or a write that fails: "No se ha guardado el archivo..." and
// nothing else changes.
TEST_F(CommandsTest, RefusedSavesSayNotSavedAndChangeNothing) {
    saveAs("/p/buena.txt");
    files.folders = {"/p/carpeta", "/p/tuberia"};
    files.refuseWrites = {"/p/protegida.txt", "/p/buena.txt"};
    for (const char* target : {"/p/carpeta", "/p/tuberia", "/p/protegida.txt"}) {
        saveAs(target);
    }
    game.cmdSave_Click(); // to the current file
    EXPECT_EQ(dialogs.boxes, std::vector<Box>(4, kNotSaved)) << "one each, and nothing else";
    EXPECT_EQ(game.currentFile() + " " + window.caption, "/p/buena.txt .../p/buena.txt - Quivra");
    EXPECT_FALSE(files.files.contains("/p/protegida.txt"));
}

// A text scene comes back in the scene box; a picture scene shows its picture, and the box
// keeps what it held, which a Save then writes at once. A failed open leaves the first scene
// and no current file.
TEST_F(CommandsTest, OpenRestoresTheSavedSceneOrTheFirstOne) {
    files.files["/p/balsa.txt"] = "\"_2_1\"\r\n\"En la balsa, vac\355a.\"\r\n";
    files.files["/p/aves.txt"] = "\"_2_2\"\r\n\"texto guardado\"\r\n";
    enter("zarpar");
    const std::string voyage = window.scene;
    open("/p/aves.txt");
    EXPECT_EQ(window.onlyPicture(), Picture::pic_2_2);
    game.cmdSave_Click();
    EXPECT_EQ(files.files["/p/aves.txt"], encodeProgress({"_2_2", voyage}));

    open("/p/balsa.txt");
    EXPECT_TRUE(window.showsTextAlone());
    EXPECT_EQ(window.scene + "|" + window.verdict + "|" + window.caption,
              "En la balsa, vacía.||.../p/balsa.txt - Quivra");
    enter("subir a la balsa");
    EXPECT_EQ(game.game().strEstado, "_2_1_1");

    files.files = {{"/p/una-linea.txt", "\"_3_0\"\r\n"}, {"/p/vacio.txt", ""}};
    files.folders = {"/p/carpeta"};
    const std::optional<std::string> failures[] = {std::nullopt, "/p/una-linea.txt", "/p/vacio.txt",
                                                   "/p/carpeta", "/p/no.txt"};
    for (const auto& chosen : failures) {
        saveAs("/p/buena.txt");
        enter("zarpar");
        dialogs.boxes.clear();
        open(chosen);
        EXPECT_EQ(dialogs.boxes, std::vector<Box>{kCannotOpen});
        expectFirstScene();
    }
    game.cmdSave_Click();
    EXPECT_EQ(dialogs.fileQuestions.back(), kSaveQuestion) << "Save asks a name";
}

// A reloaded page gives back the position it kept: the scene, its box and what it said as
// Open restores them, but no current file; a position it cannot read changes nothing.
TEST_F(CommandsTest, ResumeRestoresAKeptPositionWithoutItsFile) {
    EXPECT_EQ(game.position(), kStartUpSave);
    saveAs("/p/viaje.txt");
    enter("zarpar");
    enter("navegar hacia la balsa");
    RecordingWindow reloaded;
    Commands again{reloaded, dialogs, files};
    again.Form_Load();
    EXPECT_TRUE(again.resume(game.position()));
    EXPECT_EQ(again.game().strEstado, game.game().strEstado);
    EXPECT_TRUE(reloaded.showsTextAlone());
    EXPECT_EQ(reloaded.said.back() + "|" + reloaded.scene, window.scene + "|" + window.scene);
    EXPECT_EQ(reloaded.verdict + reloaded.caption + again.currentFile(), "Quivra");
    const RecordingWindow before = reloaded;
    EXPECT_FALSE(again.resume("\"_2_1\""));
    EXPECT_EQ(reloaded, before);
    EXPECT_EQ(again.position(), game.position());
}

// Open is forgiving, so a text file picked by mistake opens; Save then asks before writing
// over it, as it does not for a file the game wrote.
TEST_F(CommandsTest, SaveAsksBeforeWritingOverAFileThatIsNotASave) {
    const Box overwrite{"¿Sobreescribir?", "/p/notas.txt", Buttons::YesNo, Icon::Exclamation};
    const std::string notes = "Pan\r\nLeche\r\nHuevos\r\nSal\r\nAceite\r\n";
    files.files = {{"/p/partida.txt", kStartUpSave},
                   {"/p/notas.txt", notes},
                   {"/p/con-cola.txt", kStartUpSave + "x"},
                   {"/p/unix.txt", "\"_1_0\"\n\"Escenario 1\n\"\n"}};
    open("/p/partida.txt");
    game.cmdSave_Click();
    EXPECT_TRUE(dialogs.boxes.empty()) << "a save the game wrote is written at once";

    open("/p/notas.txt");
    EXPECT_EQ(window.scene, "Leche") << "it still opens";
    dialogs.answers = {Answer::No};
    game.cmdSave_Click();
    EXPECT_EQ(dialogs.boxes, std::vector<Box>{overwrite});
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(files.files["/p/notas.txt"] + game.currentFile(), notes + "/p/notas.txt");

    dialogs.answers = {Answer::Yes};
    game.cmdSave_Click();
    EXPECT_EQ(dialogs.boxes.size(), 2U) << "asked again";
    EXPECT_EQ(files.files["/p/notas.txt"], encodeProgress({"Pan", "Leche"}));
    game.cmdSave_Click();
    EXPECT_EQ(dialogs.boxes.size(), 2U) << "a save now: nothing asked";

    for (const char* notQuite : {"/p/con-cola.txt", "/p/unix.txt"}) {
        open(notQuite);
        dialogs.boxes.clear();
        game.cmdSave_Click();
        EXPECT_EQ(dialogs.boxes.size(), 1U) << notQuite;
        EXPECT_EQ(dialogs.boxes.front().text, "¿Sobreescribir?") << notQuite;
    }
}

// What a screen reader is given, once per command: the verdict, then the picture the command
// brought up or the passage it wrote; the same words twice in a row are given twice.
TEST_F(CommandsTest, EveryCommandSaysWhatItChangedOnce) {
    EXPECT_EQ(window.said, std::vector<std::string>{wordsOf(Picture::pic_1_0)}) << "start-up";
    window.said.clear();

    enter("zarpar");
    const std::string voyage = "Ok. " + window.scene;
    enter("volar");
    enter("volar");
    enter("acercarse a las aves marinas");
    enter("zarpar");
    EXPECT_EQ(window.said, (std::vector<std::string>{voyage, "Equivocado", "Equivocado",
                                                     "Fin. " + wordsOf(Picture::pic_2_2)}))
        << "an ending's Enter says nothing";

    files.files = {{"/p/balsa.txt", "\"_2_1\"\r\n\"En la balsa.\"\r\n"},
                   {"/p/aves.txt", "\"_2_2\"\r\n\"\"\r\n"}};
    dialogs.answers = {Answer::No, Answer::Yes};
    window.said.clear();
    game.cmdNuevoJuego_Click();
    game.cmdNuevoJuego_Click();
    open("/p/balsa.txt");
    game.cmdSave_Click();
    open("/p/aves.txt");
    open("/p/no.txt");
    enter("volar");
    EXPECT_EQ(window.said, (std::vector<std::string>{wordsOf(Picture::pic_1_0), "En la balsa.",
                                                     wordsOf(Picture::pic_2_2), "Equivocado"}))
        << "New game answered Yes, two opens; a Save and a failed open say nothing";
}

// "..." and the last 50 characters of the path; the overwrite question's title, the last 60.
// Characters, not bytes: "ñ" is two bytes in UTF-8.
TEST_F(CommandsTest, CaptionAndOverwriteTitleKeepTheEndOfLongPaths) {
    const std::string fifty = "/" + std::string(41, 'd') + "/año.txt";
    saveAs(fifty);
    EXPECT_EQ(window.caption, "..." + fifty + " - Quivra");
    saveAs("x" + fifty);
    EXPECT_EQ(window.caption, "..." + fifty + " - Quivra");

    const std::string sixty = "ññññññññññ" + std::string(46, 'x') + ".txt";
    files.files["/abc/" + sixty] = "";
    saveAs("/abc/" + sixty);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().title, sixty);
}

} // namespace
