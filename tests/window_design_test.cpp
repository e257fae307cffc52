#include "window_design.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <string>
#include <tuple>

using namespace quivra;

namespace {

struct Designed {
    const char* name;
    Pixels pixels;
    int tabIndex;
    const char* tooltip;
    const char* accessibleName; // a picture's title; a button's caption, read without the "&"
};

// The window's design as drawn, in stored order; every face builds its window from the table
// this checks.
TEST(WindowDesign, EveryControlStandsWhereTheDesignPutsIt) {
    const Pixels scene{88, 16, 425, 225};
    // clang-format off
    const Designed designed[] = {
        {"txtHints", {8, 392, 185, 81}, 17, "Hints.", "Pistas"},
        {"pic_4_6", scene, 16, "", "Una tabla en el mar"},
        {"pic_4_4", scene, 15, "", "Restos del naufragio"},
        {"pic_4_2", scene, 13, "", "Solo en la balsa"},
        {"cmdIr", {472, 248, 41, 25}, 12, "", "Ir"},
        {"pic_4_0", scene, 11, "", "La sirena"},
        {"pic_2_2", scene, 10, "", "Las aves marinas"},
        {"cmdSalir", {272, 416, 241, 49}, 9, "Salir. Recuerde guardar su progreso antes de salir...", "Salir"},
        {"cmdAbrirP", {272, 352, 113, 49}, 7, "Abrir un archivo .dat.txt que reiniciará el juego desde el punto almacenado en un juego anterior...", "Abrir progreso..."},
        {"cmdNuevoJuego", {272, 288, 113, 49}, 6, "Reempezar desde cero...", "Nuevo juego"},
        {"txtOkOrNot", {88, 288, 169, 29}, 4, "Aquí se muestra la respuesta de la computadora...", "Respuesta"},
        {"cmdSaveAs", {400, 352, 113, 49}, 3, "Guardar progreso como...", "Guardar como..."},
        {"cmdSave", {400, 288, 113, 49}, 2, "Guardar progreso actual en el archivo actual...", "Guardar progreso"},
        {"txtComando", {88, 248, 377, 28}, 1, "comando.", "Comando"},
        {"pic_1_0", scene, 5, "", "El barco a medio hacer"},
        {"txtEscenario", scene, 0, "", "Escenario"},
        {"pic_2_0_2", scene, 14, "", "Las islas"},
        {"lblAbout", {104, 328, 137, 49}, 8, "", ""}};
    // clang-format on
    const auto row = [](const auto& d) { // a ControlDesign or a Designed
        return std::make_tuple(std::string_view{d.name}, d.pixels.left, d.pixels.top,
                               d.pixels.width, d.pixels.height, d.tabIndex,
                               std::string_view{d.tooltip}, std::string_view{d.accessibleName});
    };
    ASSERT_EQ(windowDesign().size(), std::size(designed));
    for (std::size_t i = 0; i < std::size(designed); ++i) {
        EXPECT_EQ(row(windowDesign()[i]), row(designed[i]));
    }
    EXPECT_EQ(controlNamed("cmdSave").caption, "&Guardar progreso");
    EXPECT_EQ(controlNamed("cmdSaveAs").caption, "Guardar &como...");
    EXPECT_TRUE(controlNamed("lblAbout").caption.ends_with("Versión 1.2.1"));
}

// The words drawn into a picture: the lines of its caption file, which the generator draws,
// joined by spaces; for a picture still drawn from SVG, the text elements of its source.
std::string drawnWords(std::string_view picture) {
    const std::string src{QUIVRA_ASSETS_DIR "/src/"};
    std::string words;
    if (std::ifstream caption(src + "captions/" + std::string{picture} + ".txt"); caption) {
        for (std::string line; std::getline(caption, line);) {
            words += (words.empty() ? "" : " ") + line;
        }
        return words;
    }
    std::ifstream svg(src + std::string{picture} + ".svg");
    const std::string source{std::istreambuf_iterator<char>(svg), {}};
    const std::regex text("<text[^>]*>([^<]*)</text>");
    for (std::sregex_iterator line(source.begin(), source.end(), text), end; line != end; ++line) {
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
