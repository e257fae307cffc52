// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "window_design.hpp"

#include "quivra/version.hpp"
#include "story.hpp"

#include <algorithm>

namespace quivra {
namespace {

using enum ControlKind;
using enum Command;

constexpr Bounds kSceneArea{88, 16, 425, 225};

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {SystemColour::None, red, green, blue};
}
constexpr Colours kWindowColours{{SystemColour::WindowText}, {SystemColour::Window}};
constexpr Colours kButtonColours{{SystemColour::ButtonText}, {SystemColour::ButtonFace}};

constexpr ControlDesign box(std::string_view name, ControlKind kind, Bounds bounds, int tabIndex,
                            std::string_view tooltip, std::string_view spoken, Font font,
                            Colours colours) {
    return {name, kind, bounds, tabIndex, "", tooltip, spoken, "", font, colours, {}, None};
}

constexpr ControlDesign picture(std::string_view name, int tabIndex, std::string_view title,
                                std::string_view description) {
    return {name,  PictureBox,  kSceneArea,  tabIndex,       "", "",
            title, description, kWindowFont, kWindowColours, {}, None};
}

constexpr ControlDesign button(std::string_view name, Bounds bounds, int tabIndex,
                               std::string_view caption, std::string_view tooltip,
                               std::string_view spoken, ButtonImage image, Command command) {
    return {name,   Button, bounds,      tabIndex,       caption, tooltip,
            spoken, "",     kWindowFont, kButtonColours, image,   command};
}

constexpr ControlDesign label(std::string_view name, Bounds bounds, int tabIndex,
                              std::string_view caption, Font font) {
    return {name, Label, bounds, tabIndex, caption, "", "", "", font, kButtonColours, {}, None};
}

// clang-format off
constexpr ControlDesign kDesign[] = {
//         name             kind / place             tab  tooltip or caption, spoken name, font, colours
    box(   "txtHints",      Hints, {8, 392, 185, 81}, 17, "Hints.", "Pistas",
           kWindowFont, {rgb(0, 128, 128), rgb(224, 224, 224)}),
    picture("pic_4_6",                                16, "Una tabla en el mar",
     "Al anochecer, bajo unas pocas nubes grandes, bajas y oscuras, iluminadas por debajo, una "
     "sola tabla rota flota a la deriva cerca de nosotros en un mar azul oscuro: la madera, parda, "
     "veteada y apagada por la penumbra, guarda en el canto vuelto hacia el horizonte un brillo "
     "húmedo y cálido de la última luz, que toca también su punta astillada, alzada hacia ella; el "
     "otro extremo, empapado y oscuro, se hunde y se desvanece bajo el agua, y desde allí se abren "
     "anillos finos en el agua, claros del lado cercano y oscuros del lejano. Al fondo, un "
     "resplandor en el horizonte deja un reguero de luz sobre el mar."),
    picture("pic_4_4",                                15, "Restos del naufragio",
     "Bajo un cielo cubierto de nubes grandes, bajas y pesadas, más oscuras en lo alto, el sol "
     "solo se adivina como un resplandor tras las nubes y unas gaviotas vuelan a la derecha. En un "
     "mar turbio de color verde oliva, más claro y brumoso hacia el horizonte, flotan tablas "
     "rotas, empapadas y a ras del agua, de distintos anchos y largos, de puntas astilladas y más "
     "claras, algunas ladeadas y hundiéndose entre anillos en el agua. En primer plano, abajo a la "
     "izquierda, donde llega el reguero de luz del sol, un hombre con camisa blanca nada a crol: "
     "saca el brazo con el codo en alto y la mano entrando en el agua por delante de la cabeza, "
     "que gira de lado para respirar, con la cara hacia nosotros, un ojo fuera y la boca abierta a "
     "ras del agua, mientras el resto del cuerpo se adivina oscuro bajo la superficie, tras los "
     "pies queda una espuma leve y a su espalda se abre una estela en forma de V."),
    picture("pic_4_2",                                13, "Solo en la balsa",
     "Sobre una pequeña balsa de troncos sujetos por dos varas atravesadas, en un mar verde "
     "azulado, un hombre de pie, de espaldas y a contraluz, se hace visera con la mano y mira a lo "
     "lejos una cola de pez que asoma del agua, justo debajo del sol de la tarde, ya cerca del "
     "horizonte. Arriba se lee: AÚN CONSERVO LA ESPERANZA, Y SÉ QUE DEBO APARTARME DE UN DIOS "
     "BLASFEMO."),
    button("cmdIr",         {472, 248, 41, 25},       12, "Ir", "", "Ir", {}, Turn),
    picture("pic_4_0",                                11, "La sirena",
     "Bajo un cielo cian con nubes que el sol bajo dora por debajo, una gran cola parda de pez "
     "cubierta de escamas se alza del mar verde azulado dibujando una S, como al zambullirse, a "
     "contraluz y con un borde cálido del lado del sol, gruesa junto al agua y afinándose hasta "
     "un tallo delgado bajo la aleta, y abre en lo alto una aleta en forma de media luna, vista en "
     "escorzo, cuyo borde deja pasar la luz; de ella caen breves hilos de agua transparente que "
     "se rompen en gotas, y salpica espuma a su alrededor, y "
     "bajo la superficie la cola se adivina borrosa. Abajo a la izquierda flota, medio hundida en "
     "el agua, nuestra balsa de troncos atados con cuerda a dos varas atravesadas. Arriba se lee: Ya cerca de "
     "mar abierto, vemos algo engañoso: lo que parece una sirena nada delante de nosotros y luego "
     "se hunde en el mar."),
    picture("pic_2_2",                                10, "Las aves marinas",
     "Bajo un cielo de tarde, con el sol bajo y despejado entre dos nubes, sobre su reflejo que "
     "brilla en el mar, unas gaviotas vuelan en círculo sobre el agua, con las alas largas dobladas en "
     "la muñeca y las puntas negras, las del lado cercano del círculo algo mayores que las del otro lado; "
     "unas planean, otras alzan las alas, las bajan o se ladean en el giro. "
     "En el mar verde azulado asoma un tiburón ballena enorme que gira hacia nosotros: la cabeza ancha y "
     "chata, con la boca como una franja oscura de lado a lado en el mismo frente, sobre la barbilla más "
     "clara, y un ojo pequeño detrás de su comisura; el lomo gris azulado claro, con crestas a lo largo, "
     "cuadriculado de finas rayas claras con manchas claras entre ellas, más pequeñas hacia el morro y "
     "los costados, hasta la aleta dorsal, baja y echada hacia atrás. El agua se levanta en una ola lisa "
     "alrededor de la cabeza, con espuma, y resbala por el lomo, y el mar se oscurece alrededor del "
     "cuerpo; el resto del animal, con las aletas pectorales y la cola, sigue en la misma curva suave "
     "justo bajo la superficie, oscuro y borroso. "
     "Arriba, a la izquierda, se lee: Giro el timón hacia las aves que vuelan en círculos y veo "
     "surgir de las profundidades un tiburón ballena."),
    button("cmdSalir",      {272, 416, 241, 49},       9, "Salir",
           "Salir. Recuerde guardar su progreso antes de salir...", "Salir",
           {"salir-32", 32, 32}, Exit),
    button("cmdAbrirP",     {272, 352, 113, 49},       7, "Abrir progreso...",
           "Abrir un archivo .dat.txt que reiniciará el juego desde el punto almacenado en un "
           "juego anterior...", "Abrir progreso...", {"abrir", 16, 15}, Open),
    button("cmdNuevoJuego", {272, 288, 113, 49},       6, "Nuevo juego",
           "Reempezar desde cero...", "Nuevo juego", {"nuevo", 24, 22}, NewGame),
    box(   "txtOkOrNot",    Verdict, {88, 288, 169, 29}, 4,
           "Aquí se muestra la respuesta de la computadora...", "Respuesta",
           {kTimesFaces, 12}, kWindowColours),
    button("cmdSaveAs",     {400, 352, 113, 49},       3, "Guardar &como...",
           "Guardar progreso como...", "Guardar como...", {"guardar", 16, 15}, SaveAs),
    button("cmdSave",       {400, 288, 113, 49},       2, "&Guardar progreso",
           "Guardar progreso actual en el archivo actual...", "Guardar progreso",
           {"guardar", 16, 15}, Save),
    box(   "txtComando",    Entry, {88, 248, 377, 28}, 1, "comando.", "Comando",
           {kSansSerifFaces, 9.75}, {rgb(255, 255, 255), rgb(0, 0, 0)}),
    picture("pic_1_0",                                 5, "El barco a medio hacer",
     "Bajo un cielo azul, con el sol alto a la izquierda envuelto en su resplandor, un barco de "
     "madera a medio construir descansa sobre calzos en una playa de arena clara. Casi todo el "
     "casco está ya forrado de tablas, que terminan cuaderna a cuaderna hacia la proa; en lo alto "
     "de la proa solo se alzan las cuadernas, curvas y gruesas, con las cabezas aún sin rematar, "
     "y entre ellas se ve por dentro el forro del otro costado. Tres mástiles desnudos, gruesos "
     "al pie y afinados hacia la punta, atraviesan los baos y una escalera sube por la popa. La "
     "sombra del casco cae sobre la arena, a la derecha. Delante, a la izquierda, un caballete "
     "grande con una tabla a medio serrar y la sierra metida en el corte, entre virutas; a la "
     "derecha, una pila alta de tablas nuevas; al fondo, colinas verdes y lomas lejanas en la "
     "bruma, y en el cielo una gran nube a la derecha y otras más finas. Abajo se lee: El barco "
     "está a medio construir y aquí, a solas, me inquieto. ¡Debo zarpar!"),
    box(   "txtEscenario",  Scene, kSceneArea,          0, "", "Escenario",
           {kTimesFaces, 11.25}, kWindowColours),
    picture("pic_2_0_2",                              14, "Las islas",
     "Una playa de arena a mediodía, con el sol alto a la izquierda: en medio de la playa, una "
     "palmera se inclina hacia el sol, con las hojas más claras del lado de la luz y en sombra "
     "del otro, un racimo de cocos bajo las hojas y las raíces abiertas en la arena, y proyecta "
     "su sombra hacia delante y a la derecha, lejos del sol. Una ola rompe en una línea blanca a "
     "lo largo de la orilla, que a la derecha se curva hacia delante, y su espuma se retira hacia "
     "la arena mojada en láminas rotas y llenas de huecos; detrás, un mar azul rizado de "
     "pequeñas olas, con un reguero de destellos bajo el sol, a la izquierda una islita de cima "
     "verde en el horizonte y, a la derecha, una gran nube de color crema y otra pequeña más alta."),
    label( "lblAbout",      {104, 328, 137, 49},       8,
           "Quivra, un relato interactivo del mar, Versión " QUIVRA_VERSION,
           {kSansSerifFaces, 8.25, true}),
};
// clang-format on

constexpr std::pair<Picture, std::string_view> kPictureBoxes[] = {
    {Picture::pic_1_0, "pic_1_0"}, {Picture::pic_2_0_2, "pic_2_0_2"}, {Picture::pic_2_2, "pic_2_2"},
    {Picture::pic_4_0, "pic_4_0"}, {Picture::pic_4_2, "pic_4_2"},     {Picture::pic_4_4, "pic_4_4"},
    {Picture::pic_4_6, "pic_4_6"}};

} // namespace

std::span<const ControlDesign> windowDesign() {
    return kDesign;
}

const ControlDesign& controlNamed(std::string_view name) {
    return *std::find_if(std::begin(kDesign), std::end(kDesign),
                         [&](const ControlDesign& control) { return control.name == name; });
}

const ControlDesign& pictureBox(Picture picture) {
    const auto* box = std::find_if(std::begin(kPictureBoxes), std::end(kPictureBoxes),
                                   [&](const auto& each) { return each.first == picture; });
    return controlNamed(box->second);
}

std::string hintList() {
    std::string hints;
    std::string_view last;
    for (const Row& row : storyTable()) {
        for (const std::string_view phrase : row.phrases.exact()) {
            if (!phrase.empty() && phrase != last) {
                hints.append(phrase).append(" / ");
            }
            last = phrase;
        }
    }
    hints.back() = '\r';
    return hints + '\n';
}

} // namespace quivra
