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
     "Al anochecer, unas pocas nubes bajas cruzan el cielo, distintas entre sí: a la izquierda "
     "un banco largo y bajo, más arriba una masa más pequeña y a la derecha otra grande; son "
     "formas planas de borde nítido, apenas suavizado, de bultos desiguales por arriba y de base "
     "algo quebrada, de grises violáceos algo distintos, "
     "con el cielo oscuro asomando entre ellas y oscureciéndose por igual hacia lo alto; "
     "por debajo las alumbra el último resplandor, y "
     "la de la derecha, la más cercana a él, tiene la panza encendida de un brillo anaranjado "
     "que se aviva y se apaga a lo largo de ella. Bajo las nubes, una franja anaranjada arde "
     "en el horizonte, donde el sol acaba de ponerse, y se vuelve rosada y luego gris violácea "
     "al subir; la cruzan finas vetas de nube más oscuras, afiladas en las puntas, que cerca "
     "del sol tienen el borde de abajo encendido, y en ella brilla más un núcleo de luz, justo "
     "donde se hundió el sol. "
     "Desde él baja por el mar azul oscuro un reguero de destellos cálidos, estrecho en el "
     "horizonte y cada vez más ancho hacia nosotros, de bordes deshilachados donde los "
     "destellos se dispersan, en el que flota a la deriva una sola tabla rota, a la derecha y "
     "por debajo de la mitad, recortada contra los destellos, que se detienen un poco antes de "
     "tocarla y le dejan alrededor un margen de agua lisa y oscura; lejos de él el agua está "
     "quieta y devuelve un brillo frío y tenue del gris de las nubes, con rizos desiguales que "
     "van por rachas y se vuelven más finos y apretados hacia el horizonte, hasta borrarse en la "
     "bruma, y cerca de nosotros se oscurece, con unos pocos rizos más largos y anchos y "
     "algunas ondulaciones largas y suaves. La tabla, gruesa y de cantos rectos y paralelos, es "
     "pequeña en la inmensidad del mar, apenas una cuarta parte del ancho de la escena; está "
     "suelta en el agua, con mar abierto por todos lados; yace en diagonal a nuestra mirada, "
     "con el extremo cercano a la izquierda y el lejano a la derecha, y solo la distancia la "
     "estrecha al alejarse; vemos su cara de arriba, gris y veteada, con un nudo y dos agujeros "
     "de clavos, y su costado vuelto hacia nosotros, de un marrón oscuro en sombra, que muestra "
     "su grosor; el canto vuelto hacia la luz guarda un fino brillo húmedo y cálido. Su extremo "
     "lejano, algo levantado, está roto al sesgo en un solo borde mellado, con unos "
     "dientes cortos y afilados, y deja ver en la cara de arriba una franja ancha e irregular de "
     "madera clara y nueva; la mitad cercana se hunde bajo "
     "el agua y sigue en la misma línea, igual de ancha: es la misma madera, que el agua "
     "oscurece y enfría cada vez más, sin volverla nunca más clara que el mar, hasta que se "
     "borra y se pierde en él hacia su extremo. Donde la madera "
     "entra en el agua está empapada y oscura, con un fino borde de agua brillante; a lo largo "
     "de los costados el agua chapotea en pequeñas ondas, claras y oscuras, y bajo la tabla se "
     "ve su reflejo, corto y roto; donde el agua sube a la madera seca su borde se rompe en "
     "pequeñas crestas claras. A su alrededor se abren anillos finos y rotos, alargados como la "
     "tabla, claros por delante y oscuros por detrás, que se apagan al alejarse."),
    picture("pic_4_4",                                15, "Restos del naufragio",
     "Bajo un cielo cubierto, unas pocas masas de nubes grandes y blandas, de bultos desiguales "
     "y panza gris, con el borde de abajo difuminado y aclarado por la luz, llenan lo alto; "
     "entre ellas, una nube más fina y clara deja ver el sol, pálido, como un disco borroso, "
     "sobre una franja más clara que se funde en bruma con el mar en el horizonte, y unas "
     "gaviotas vuelan a la derecha. Bajo el sol, un reguero de destellos baja por el agua desde "
     "el horizonte hasta el nadador, roto por las olas en franjas y manchas de luz con el agua "
     "más oscura entre ellas. En un mar turbio de un verde oliva grisáceo, más claro y brumoso "
     "hacia el horizonte y más oscuro cerca de nosotros, a los lados y alrededor del nadador, "
     "las marcas de las olas son trazos finos y largos, apenas más claros o más oscuros que el "
     "agua, más cortos y apretados a lo lejos, y se borran en la bruma mucho antes del "
     "horizonte; sobre el nadador no pasa ninguna. Flotan, pocos y distintos, los restos de la "
     "balsa: cerca del hombre, la tabla hacia la que nada, otra más corta y, detrás, una larga "
     "que flota de través, torcida sobre la ola; más lejos a la derecha, otro montón con una "
     "tabla larga, otra más corta, la tapa de un cajón y una tabla que se hunde por un extremo, "
     "todas sueltas, planas sobre el agua y en ángulos distintos; a la izquierda, un palo largo "
     "y roto y, a lo lejos, unos trozos pequeños y pálidos a la deriva, más pequeños y planos "
     "cuanto más lejos. Todos están metidos en el agua, que solo deja ver su cara de arriba: "
     "tienen las puntas astilladas y más claras, la madera se oscurece en una banda mojada donde "
     "el agua la toca, con una línea de espuma rota, lo que queda bajo la superficie se ve a "
     "través del agua, teñido de su verde grisáceo, y se desvanece en ella, y a su alrededor el "
     "agua se agita en pequeños anillos. A la izquierda, un hombre con la camisa gris azulada de "
     "manga larga, un poco más clara y más fría que el agua turbia, nada a crol hacia la derecha "
     "con la cabeza fuera del agua, tendido a lo largo de la superficie, en tonos planos de "
     "bordes nítidos. Del agua solo asoman una franja baja de lo alto de la espalda y, justo "
     "detrás de la cabeza, la curva del hombro de nuestro lado, con la tela más oscura junto a "
     "la línea del agua, donde el agua se rompe en un trazo fino y roto de un verde grisáceo. "
     "De él sale el brazo, que sube hacia delante en un arco, tapando la "
     "parte de atrás de la cabeza: el codo queda en lo más alto de la figura, por encima y un "
     "poco por delante de la cara, y el antebrazo baja hacia delante hasta la mano, con los "
     "dedos juntos, que entra en el agua muy por delante de la barbilla con una pequeña "
     "salpicadura; entre el brazo y la cara se ve el agua, y del antebrazo caen unas gotas. "
     "A contraluz, el hombro y el brazo quedan en un tono medio, y la luz pálida y fría del sol "
     "tras la nube solo les dibuja un filo claro por arriba. La cabeza, "
     "levantada, se ve de perfil y mira hacia delante, a los restos: la coronilla y el pelo "
     "mojado y oscuro detrás y arriba, la frente, la nariz y la barbilla hacia la derecha, en "
     "dos tonos de piel, un perfil liso, sin ojo ni otros rasgos; la boca y la barbilla quedan "
     "a ras del agua, que se amontona delante de la barbilla, con una cresta clara y rota, y "
     "pegada a la piel se ve más oscura; desde la cabeza, dos brazos cortos de agua rota, de un "
     "verde grisáceo, se abren hacia atrás a los lados del hombro. Nada hacia una tabla que "
     "flota un poco más adelante, "
     "casi a su alcance, larga, rota y astillada en los dos extremos, con el extremo cercano "
     "hundido, que se ve bajo el agua más pálido y teñido de verde. Bajo la superficie turbia se "
     "ve el cuerpo, de largo justo el de un hombre, oscuro y en tonos planos: la espalda, algo "
     "más clara cerca de la superficie, que se estrecha hacia las caderas, los costados más "
     "oscuros y las dos piernas, más oscuras, que van rectas hacia atrás y algo más hondas: la "
     "de nuestro lado, más alta y un poco más clara por arriba, y la otra más abajo y más "
     "oscura; el otro brazo tira por debajo de él, doblado por el codo bajo la cabeza, con la "
     "mano, más clara, hacia atrás bajo el pecho: una forma tenue en el agua. Justo en sus pies, "
     "al final de esas formas, el pataleo rompe el agua en una mancha baja de un verde grisáceo, "
     "con unas pocas motas claras de espuma, huecos de agua oscura y unas gotas que saltan "
     "bajas. Por detrás de los pies, dos brazos de espuma suave y rota, cada vez más anchos, se "
     "alejan de él: a su espalda se abre una estela en forma de V."),
    picture("pic_4_2",                                13, "Solo en la balsa",
     "Sobre una pequeña balsa de troncos atados con cuerda a dos varas atravesadas, medio "
     "hundida en un mar verde azulado que lame los extremos de los troncos y corre oscuro "
     "entre ellos, un hombre descalzo de pie, de espaldas y a "
     "contraluz, con el peso en una pierna y la otra rodilla algo doblada, una mano en la "
     "cadera, se hace visera con la otra mano sobre los ojos y mira muy a lo lejos una cola "
     "de sirena que se arquea fuera del agua, oscura contra su brillo, y abre su aleta de dos "
     "lóbulos junto al sol del atardecer, ya casi sobre el horizonte, que dora el cielo y "
     "unas pocas nubes finas y alargadas, tiende sobre el agua un camino estrecho de "
     "destellos y le dibuja un borde de luz cálida. Arriba "
     "se lee: AÚN CONSERVO LA ESPERANZA, Y SÉ QUE DEBO APARTARME DE UN DIOS BLASFEMO."),
    button("cmdIr",         {472, 248, 41, 25},       12, "Ir", "", "Ir", {}, Turn),
    picture("pic_4_0",                                11, "La sirena",
     "Bajo un cielo cian con nubes que el sol bajo dora por debajo, mientras tiende sobre el "
     "mar un camino de destellos, la parte baja de un cuerpo cubierto de escamas verdosas y "
     "doradas se arquea fuera del mar verde azulado, como al zambullirse, a contraluz y con un "
     "borde cálido del lado del sol, gruesa junto al agua y afinándose hacia arriba hasta un "
     "tallo estrecho que se ensancha en una aleta de dos lóbulos, cubiertos en su raíz por las "
     "últimas escamas, con radios finos que salen de la unión y un borde que deja pasar la "
     "luz; de los dos lóbulos caen láminas de agua transparente que se rompen en gotas. Donde "
     "el cuerpo entra en el agua el mar se levanta a su alrededor en un cuello que rompe en "
     "espuma blanca y salpica gotas, y de allí se abren ondas rotas; bajo la superficie el "
     "cuerpo se adivina borroso. Abajo a la izquierda flota, medio hundida, nuestra balsa de "
     "troncos gruesos y desiguales atados con cuerda a dos varas atravesadas: el agua lame los "
     "troncos, oscurece la madera mojada, corre entre ellos y brilla en una línea rota a lo "
     "largo del costado. Sobre la balsa, de espaldas y a contraluz, un hombre de camisa gris "
     "azulada, inclinado hacia la cola, se hace visera con la mano sobre los ojos, y a su lado "
     "un grumete, más bajo y delgado, da un paso hacia ella y la señala con el brazo estirado. "
     "Arriba se lee: Ya cerca de mar abierto, vemos algo engañoso: lo que parece una sirena "
     "nada delante de nosotros y luego se hunde en el mar."),
    picture("pic_2_2",                                10, "Las aves marinas",
     "Bajo un cielo azul de tarde, que se vuelve cálido junto al horizonte, con el sol bajo, más "
     "allá del tiburón, despejado entre dos nubes y sobre su reflejo que brilla en el mar, diez "
     "gaviotas vistas desde abajo, con las puntas de las alas negras, giran encima del tiburón en "
     "un círculo ancho visto en perspectiva, una elipse algo inclinada, más alta a la derecha, "
     "que siguen sin orden exacto; cada una va ladeada hacia dentro del giro y en su propio "
     "momento del vuelo: en el lado cercano, más bajo, una baja las alas en arco, otra las alza "
     "en V, otra planea con las alas rectas y extendidas y otra vuelve a alzarlas; en el extremo "
     "derecho una se inclina en el viraje con un ala acortada por la vista y en el izquierdo otra "
     "planea muy ladeada; en el lado lejano, más alto, una baja las alas, otra planea, otra las "
     "alza y otra se inclina. Las cercanas se ven mayores, más nítidas y más oscuras, y las dos o "
     "tres más próximas, bastante más grandes, dan la escala; las lejanas, más pequeñas y pálidas "
     "por la distancia. En el mar verde azulado, que se oscurece hacia nosotros y cuyas olas "
     "dejan cerca trazos claros largos y espaciados y, hacia el horizonte, marcas cada vez más "
     "finas y juntas que se desvanecen, asoma un tiburón ballena enorme que gira hacia nosotros, "
     "casi todo bajo el agua: fuera de ella solo quedan lo alto de la cabeza, ancha y chata, de "
     "frente romo y cuadrado, una franja baja del lomo detrás de ella y la aleta dorsal. La boca, "
     "una raja ancha y recta de lado a lado en el mismo borde del frente, la marca más oscura de "
     "la cabeza, queda justo por encima del agua, con el labio apenas un tono más claro; detrás "
     "de su comisura, bajo y a ras del agua, un ojo pequeño como un punto oscuro. La franja del "
     "lomo, de un azul pálido mediano, se oscurece en un escalón suave hacia el costado que nos "
     "mira; el sol queda detrás, y el borde del lomo y de la aleta dorsal se distingue del mar "
     "solo por su tono, sin filo de luz. El lomo lleva un damero apretado de manchas claras entre "
     "líneas claras y finas, unas a lo largo del cuerpo sobre sus crestas y otras de través; en "
     "la cabeza las manchas son más pequeñas y juntas y escasean hacia el morro. El dibujo se "
     "sigue viendo, apagado, bajo el agua hasta la aleta dorsal, alta, triangular y echada hacia "
     "atrás. Donde la cabeza y el lomo rompen la superficie, el agua se agita alrededor en un "
     "anillo fino y roto, más ancho delante del morro: un surco algo más oscuro junto a la piel "
     "y, por fuera, un borde claro, quebrado y tenue; del morro se abren hacia los costados "
     "unas rayas de espuma. A lo largo del flanco "
     "cercano se ve dónde la piel entra en el agua: justo encima, mojada y cada vez más oscura "
     "hacia abajo; justo debajo, vista a través del agua, sigue con el mismo tono y el mismo "
     "dibujo, que se apagan y se desdibujan con la hondura; entre las dos, una línea fina, rota y "
     "tenue de agua clara, y junto a la cabeza una estela baja de espuma menuda y quebrada que se "
     "pierde pronto hacia atrás. Finas láminas de agua le corren por el lomo, y al pie de la "
     "aleta dorsal el lomo se hunde bajo una línea rota de agua clara de la que corren hacia "
     "atrás unas rayas de espuma blanca; en el resto del borde el agua, más oscura junto a la "
     "piel, la cubre sin más y la tiñe. Bajo la superficie sigue en la misma línea el resto del "
     "animal, un solo cuerpo cada vez más hondo, más oscuro y más borroso: justo detrás de la "
     "cabeza, la aleta pectoral cercana, una hoz oscura poco por debajo de la superficie, que "
     "sale del costado y baja abriéndose hacia atrás, y, al fondo, la cola, que se ve como una "
     "sombra. "
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
     "Bajo un cielo azul, con el sol alto a la izquierda envuelto en su resplandor, un barco "
     "de madera a medio construir descansa con la quilla sobre una hilera de calzos en una "
     "playa de arena clara, apuntalado por el costado con tres puntales que apoyan en sendas "
     "cuadernas y en tacos sobre la arena; la quilla, la roda curva que se alza en la proa y "
     "el codaste de la popa son de la misma madera y sobresalen un poco del forro. El costado, "
     "claro arriba donde le da el sol, se oscurece en una franja honda donde el pantoque se "
     "vuelve hacia abajo, y junto a la quilla recoge el reflejo cálido de la arena. Las tablas "
     "forran la popa hasta algo más allá de la media eslora, donde todas las hiladas acaban "
     "juntas sobre una misma cuaderna; de allí a la proa las cuadernas curvas se alzan "
     "desnudas desde la quilla, gruesas al pie y más finas hacia la cabeza, con el canto de "
     "popa al sol y el otro en sombra, sujetas por dos listones finos que llegan hasta la "
     "roda, con el cielo entre ellas y, detrás, las del otro costado, apagadas en la sombra "
     "del casco. En la parte ya forrada se alzan tres mástiles desnudos, sin velas ni vergas, "
     "algo inclinados hacia popa, que salen del cuadro por arriba; del mayor cuelga flojo un "
     "obenque que aún no está tesado. A la derecha de la proa, solo sobre un montículo de "
     "arena, un hombre de camisa verdosa, vuelto de espaldas hacia el mar, se lleva una mano a "
     "la nuca mientras la otra cuelga; su sombra se tiende a la derecha. A su lado espera el "
     "equipaje ya preparado: un baúl de marinero, un barril de agua y un rollo de cabo. Una "
     "escalera sube por la popa y un tablón de andamio apoyado sobre dos caballetes corre a lo "
     "largo del costado. La sombra del casco cae sobre la arena, a la derecha. Delante, a la "
     "izquierda, un caballete grande con una tabla a medio serrar y, apoyada contra él, la "
     "sierra con la punta en la arena, entre virutas; detrás de la playa, una franja de mar en "
     "calma, pálida a lo lejos y más honda cerca, con pequeñas olas, y, al otro lado, colinas "
     "verdes y lomas lejanas en la bruma; en el cielo, una gran nube a la derecha y otras más "
     "finas. Abajo se lee: El barco está a medio construir y aquí, a solas, me inquieto. ¡Debo "
     "zarpar!"),
    box(   "txtEscenario",  Scene, kSceneArea,          0, "", "Escenario",
           {kTimesFaces, 11.25}, kWindowColours),
    picture("pic_2_0_2",                              14, "Las islas",
     "Una playa de arena a mediodía, con el sol alto arriba a la izquierda, asomando por el "
     "borde: a la izquierda de la playa, una palmera de tronco curvo, más fino hacia arriba, "
     "se inclina un poco hacia la derecha; el tronco, redondo, claro del lado del sol y oscuro "
     "del otro, lleva anillos desiguales que abultan un poco su contorno, y su pie se ensancha "
     "y se hunde en un montículo de arena, con un pliegue de sombra donde entra en él. Su copa "
     "es desigual: nueve hojas de un verde apagado, de largo y caída distintos, más largas "
     "hacia la derecha, unas se tienden hacia nosotros y otras se alejan; cada una es un "
     "nervio curvo, una línea fina más oscura, del que cuelgan a ambos lados foliolos "
     "estrechos y afilados, peinados como una pluma, con las puntas caídas, en dos o tres "
     "tonos planos, más claros del lado de la luz y muy oscuros en el corazón de la copa, "
     "donde cuelga un racimo de cuatro cocos redondos, iluminados arriba a la izquierda y en "
     "sombra por debajo; bajo ellas, dos hojas secas, pardas, cuelgan junto al tronco. Con el "
     "sol tan alto, su sombra es corta y suave, más clara que el árbol: la del tronco, una "
     "franja estrecha, sale del pie hasta la de la copa, que se recoge cerca de él y cae "
     "apenas hacia delante y a la derecha, más oscura en su centro. Delante, a la izquierda, "
     "una rama de deriva combada, de un pardo grisáceo curtido por el sol y la sal, yace medio "
     "enterrada en la arena, con una cuerda atada que se arrastra por ella y su sombra corta; "
     "cerca, unas conchas y suaves ondas que el viento ha dibujado en la arena. A la derecha, "
     "en lo alto de la orilla, donde llega la última agua, el mar ha dejado un trozo roto de "
     "la balsa, atravesado, con su extremo hacia el mar: seis troncos largos, uno junto a "
     "otro, dos partidos más cortos con las astillas claras a la vista, todavía atados con "
     "cuerda descolorida a un travesaño entero y al muñón de otro, con cabos sueltos que se "
     "arrastran por la arena y su sombra recogida debajo. De la arena húmeda junto a él parte "
     "un solo rastro de huellas de pies descalzos, izquierda y derecha alternadas, cada una un "
     "poco distinta y a un paso algo desigual, más grandes cerca de nosotros: sube por la "
     "playa hacia delante, gira a la izquierda y llega hasta la sombra de la palmera. Cada "
     "huella, con su talón, su planta y un asomo de dedos, es una hendidura poco honda, con el "
     "borde del lado del sol iluminado. Una ola rompe a lo largo de la orilla, que a la "
     "derecha se curva hacia delante: su cresta, sobre una cara algo más oscura que el mar, se "
     "deshace en espuma espesa donde rompe con fuerza, y esa espuma baja por la cara "
     "abriéndose en encaje; en otros tramos es fina o no hay ninguna. La espuma, llena de "
     "huecos, deja manchas sueltas sobre el agua y, donde la ola se agota, se desvanece. Una "
     "lámina fina de agua sube por la arena y se detiene en un borde de encaje irregular, con "
     "una franja desigual de arena mojada más oscura; detrás, un mar de un verdeazulado "
     "apagado, rizado de pequeñas olas, con largas ondulaciones suaves cerca de la orilla y un "
     "reguero de destellos bajo el sol. En el horizonte de la derecha se ven tres islas a "
     "distancias distintas: la más cercana, larga y verde, con dos lomas y una orilla de "
     "arena, y otras dos más pequeñas y pálidas en la bruma; sobre ellas, una nube ancha y "
     "baja, como un cojín plano de color crema, más gris por debajo, y otra pequeña más alta."),
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
