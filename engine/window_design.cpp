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
     "una masa baja, redonda por un lado y alargada hacia el otro, más arriba una masa más "
     "pequeña y a la derecha otra grande; son "
     "formas planas de borde nítido, apenas suavizado, de bultos desiguales por arriba y de base "
     "algo quebrada, de grises violáceos algo distintos, "
     "con el cielo oscuro asomando entre ellas y oscureciéndose por igual hacia lo alto; "
     "por debajo las alumbra el último resplandor, y "
     "la de la derecha, la más cercana a él, tiene la panza encendida de un brillo anaranjado "
     "que se aviva y se apaga a lo largo de ella, y la baja de la izquierda, más lejana, solo "
     "lo recoge débilmente en la panza. Bajo las nubes, una franja anaranjada arde "
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
     "algunas ondulaciones largas y suaves. La tabla, corta y estrecha, de cantos rectos y "
     "paralelos, es pequeña en la inmensidad del mar, apenas una cuarta parte del ancho de la "
     "escena; está suelta en el agua, con mar abierto por todos lados; yace plana sobre el "
     "agua, casi de través a nuestra mirada, apenas ladeada, con un extremo a la izquierda y "
     "el otro a la derecha; vemos su cara de arriba, de madera mojada y oscura en los tonos "
     "azules del mar, con la veta apenas visible y unos pocos brillos de agua, y su "
     "costado vuelto hacia nosotros, de un "
     "marrón oscuro en sombra, que muestra su grosor; solo el canto vuelto hacia la luz guarda "
     "un fino borde cálido y anaranjado, que el agua devuelve débilmente bajo la tabla. Su "
     "extremo derecho está roto de través en un borde mellado, con unos pocos dientes "
     "cortos y afilados, y deja ver en la cara de arriba una franja estrecha de madera rota, "
     "algo más clara pero apagada; el extremo izquierdo, a ras del agua, está cortado en "
     "escuadra y su testa queda oscura, en sombra. Donde la madera "
     "entra en el agua está empapada y oscura, con un fino borde de agua que brilla apenas; a "
     "lo largo de los costados el agua chapotea en pequeñas ondas, claras y oscuras, y bajo la "
     "tabla, en medio del reguero, se ve su reflejo oscuro, roto en trazos cortos y "
     "ondulantes, que interrumpe los destellos. A su alrededor se abren unos pocos anillos "
     "suaves, alargados como la tabla, claros por delante y oscuros por detrás, que se apagan "
     "al alejarse."),
    picture("pic_4_4",                                15, "Restos del naufragio",
     "Bajo un cielo cubierto, unas pocas masas de nubes grandes, de bultos desiguales y "
     "panza gris, con el borde de abajo aclarado por la luz, llenan lo alto; entre ellas, "
     "una nube más fina y clara deja ver el sol, pálido, como un disco borroso, y más abajo "
     "otras nubes, bajas, alargadas y claras, flotan sobre una franja de bruma pálida que "
     "se funde con el mar en el horizonte; unas gaviotas vuelan a la derecha. Bajo el sol, "
     "un brillo ancho y apagado baja por el agua desde el horizonte hasta el hombre, roto "
     "por las olas en franjas suaves de luz, con el agua más oscura entre ellas. En un mar "
     "turbio de un verde oliva grisáceo, más claro y brumoso hacia el horizonte y más "
     "oscuro cerca de nosotros y a los lados, las marcas del oleaje son trazos cortos, "
     "apenas más claros o más oscuros que el agua, finos y apretados a lo lejos y más "
     "anchos y largos cerca de nosotros; junto al hombre no pasa ninguna. Por el agua "
     "flotan, pocos y sueltos, los restos: tablas sueltas y anchas, cada una de su largo y "
     "su anchura y vuelta a su manera, más pequeñas cuanto más lejos. A la derecha del "
     "centro, dos tablas siguen clavadas una junto a la otra, y una de ellas se ha partido "
     "más corta; más cerca, otra tabla ancha se hunde por su extremo de más allá, con "
     "anillos donde entra en el agua, y más lejos, a la derecha, otra se hunde también por "
     "una punta; a la izquierda, una tabla ancha medio hundida, con la otra mitad oscura "
     "bajo el agua, y un trozo corto y ancho, roto por los dos extremos; muy lejos, unos "
     "trozos pequeños y pálidos a la deriva. Más cerca, abajo a la derecha, se aleja "
     "flotando una tabla ancha y corta, rota por un extremo, rodeada de ondas pequeñas y "
     "rotas, y en la esquina de abajo a la izquierda, cortada por el borde y mayor que todo "
     "lo demás, asoma, baja en el agua, la punta rota de una tabla ancha. Todas están "
     "metidas en el agua, no encima: el agua les tapa el borde de abajo, lo que queda bajo "
     "la superficie se ve más oscuro, teñido del verde del agua, y se pierde en ella, y "
     "donde el agua las toca hay una línea oscura y mojada en la madera y otra fina y clara "
     "en el agua; las puntas astilladas son más claras. Cerca de nosotros, abajo y un poco "
     "a la izquierda del centro, un hombre se agarra a una tabla larga y plana, rota por "
     "los dos extremos, que flota de través delante de él, algo hundida en el agua bajo su "
     "peso, con la madera mojada y más oscura junto al agua y ondas pequeñas a lo largo. Lo "
     "vemos de espaldas, con la camisa gris azulada de manga larga, en tonos planos de "
     "bordes nítidos: le salen del agua la cabeza, el cuello y los hombros, y tiene los "
     "antebrazos echados sobre la tabla, poco más separados que los hombros, con las manos "
     "colgando por su borde de más allá. La cabeza, un poco inclinada hacia la tabla y "
     "vuelta hacia el horizonte, es casi toda pelo oscuro, mojado y pegado en mechones, con "
     "un brillo pálido del sol en la coronilla y un borde fino de luz por el lado "
     "izquierdo, como el que toca también lo alto de los hombros; a la derecha asoma la "
     "oreja y, debajo del pelo, la nuca y el borde del cuello en el tono de la piel, sin "
     "cara que se vea. Alrededor de los hombros el agua se rompe en una línea baja y "
     "quebrada, de un verde grisáceo, sube un poco contra la espalda y se abre en anillos "
     "que se extienden a su alrededor, cada vez más anchos y tenues. Bajo la superficie "
     "turbia se adivina el resto del cuerpo, tenue, más oscuro que el agua y de bordes "
     "suaves: la espalda, que se estrecha hacia la cintura, y las piernas, que patalean "
     "despacio, teñidas del verde turbio. Por detrás de los pies, dos brazos de espuma "
     "suave y rota, cada vez más anchos, se alejan de él: a su espalda se abre una estela "
     "en forma de V."),
    picture("pic_4_2",                                13, "Solo en la balsa",
     "Sobre una pequeña balsa de troncos redondos y desiguales, cada uno de su color, con su "
     "corteza y algún nudo, en una sombra fría por los costados y los extremos, con solo un "
     "filo de luz cálida por arriba, atados con cuerda a dos varas atravesadas, medio hundida "
     "en un mar "
     "verde azulado que se deshace en espuma suave contra los extremos de los troncos, lame su "
     "costado cercano y corre oscuro entre ellos, un hombre descalzo de pie, de espaldas y a "
     "contraluz, con el peso en una pierna y la otra rodilla algo doblada, una mano en la "
     "cadera, se hace visera con la otra mano sobre los ojos y mira muy a lo lejos una cola "
     "de sirena que se arquea fuera del agua, oscura contra su brillo, y abre su aleta de dos "
     "lóbulos junto al sol del atardecer, que, ya casi sobre un horizonte velado por una "
     "leve bruma, dora el cielo y "
     "por debajo unas pocas nubes de distinto tamaño, la mayor ancha y baja a la derecha y "
     "otra pequeña y más alta a la izquierda, tiende sobre el agua un camino "
     "estrecho de destellos y le dibuja un borde de luz cálida, y por ese lado le aclara "
     "suavemente la espalda y las piernas. Arriba "
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
     "gaviotas vistas desde abajo, con las puntas de las alas negras, giran encima del tiburón "
     "en un círculo ancho visto en perspectiva, una elipse algo inclinada, más alta a la "
     "derecha, que siguen sin orden exacto, cada una ladeada según la curva del anillo. Las "
     "cinco del lado cercano, más bajo, muestran la forma de sus alas, anchas junto al cuerpo, "
     "dobladas en una muñeca redondeada y con la mano echada hacia atrás hasta la punta negra: "
     "la más próxima planea con las alas en una M suave, otra las alza en V, otra las baja "
     "arqueadas y las dos más pequeñas planean; el sol bajo les calienta la parte de abajo, y "
     "las tres más próximas, bastante más grandes, dan la escala. Las cinco del lado lejano, "
     "más alto, más pequeñas y tanto más tenues y azuladas, casi del tono del cielo, cuanto más "
     "lejos quedan, van cada una en su propio momento del vuelo: una alza las alas, otra se "
     "inclina en el viraje, dos planean y otra las baja. "
     "Sobre el horizonte flotan unas pocas nubes de tamaños muy "
     "distintos y separadas sin ritmo, claras por arriba y con la base en sombra. En el mar "
     "verde azulado, que se oscurece hacia nosotros y cuyas olas dejan cerca trazos claros "
     "largos y espaciados y, hacia el horizonte, marcas cada vez más finas y juntas que se "
     "desvanecen, asoma un tiburón ballena enorme que gira hacia nosotros, casi todo bajo el "
     "agua: fuera de ella solo quedan lo alto de la cabeza, ancha y chata, de frente romo y "
     "cuadrado, una franja baja del lomo detrás de ella y la aleta dorsal. La boca, una raja "
     "ancha y recta de lado a lado en el mismo borde del frente, de un verde azulado oscuro, "
     "la marca más oscura de la cabeza, que se afina hacia las comisuras, queda justo por "
     "encima del agua; detrás de su comisura, bajo y a ras del agua, "
     "un ojo pequeño como un punto oscuro. El animal está pintado en tres tonos planos, sin "
     "volumen suave: la franja del lomo, de un azul pálido, pasa en escalones netos a un tono "
     "medio y a otro más oscuro en el costado que nos mira; el sol queda detrás, y el borde "
     "del lomo y de la aleta dorsal se distingue del mar solo por su tono. El lomo lleva un "
     "damero abierto de manchas claras, grandes y pocas, entre líneas claras y finas, unas a "
     "lo largo del cuerpo sobre sus crestas y otras de través; en la cabeza las manchas son "
     "algo menores y escasean hacia el morro, y la aleta dorsal, alta, triangular y echada "
     "hacia atrás, lleva unas pocas. Al subir, la cabeza empuja contra su frente una ola baja "
     "de agua vidriosa, más clara que el mar, con espuma blanca rota en grumos, y por lo alto "
     "de la cabeza le resbala una película de agua fina y pálida que deja ver las manchas. "
     "El agua que levanta se alza delante y alrededor de la cabeza en una cúpula baja y lisa, "
     "algo más clara que el mar, y de ella se abren tres anillos de oleaje suaves, vistos en "
     "perspectiva, claros del lado cercano y oscuros del lejano; por el costado cercano de la "
     "cabeza bajan hasta el mar unas pocas láminas finas de agua, algo más claras que la piel. "
     "Donde la cabeza y el pie de la aleta dorsal cortan la superficie, el agua forma una sola "
     "línea continua: delante del morro y a lo largo de su costado cercano, separada de la "
     "barbilla por una franja de agua oscura, de un gris azulado claro apenas más claro que "
     "la cabeza, y de través sobre el lomo al pie de la aleta, más brillante; en las dos "
     "esquinas del morro se arremolina un poco de espuma tenue, al pie de la aleta algo más "
     "blanca, y del morro se abren hacia los costados unas rayas de espuma. A lo largo "
     "del flanco no brilla nada: la piel, mojada y más oscura junto al agua, entra en ella sin "
     "más, y junto a la cabeza corre una estela baja de espuma menuda que se pierde pronto "
     "hacia atrás. Finas láminas de agua le corren por el lomo, y detrás de la aleta dorsal "
     "sale una estela corta de copos de espuma que se abre y se apaga sobre el lomo hundido. "
     "Bajo la superficie sigue en la misma línea el resto del animal, inclinado hacia abajo "
     "con la cola más honda, un solo cuerpo cada vez más hundido y más oscuro, pero con el "
     "contorno entero, y sus manchas se desvanecen con la hondura: justo detrás de la cabeza, "
     "la aleta pectoral cercana, una hoz oscura y nítida poco por debajo de la superficie, que "
     "sale del costado y baja abriéndose hacia atrás, y, al fondo, la cola, más oscura que el "
     "mar, una media luna grande con sus dos lóbulos bien marcados. "
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
     "madera a medio construir descansa con la quilla sobre una hilera de calzos en una playa de "
     "arena clara, apuntalado por el costado con tres puntales oscuros, en la sombra del "
     "pantoque, que apoyan en sendas cuadernas y en tacos sobre la arena. La quilla, oscura en "
     "la sombra del casco, corre recta hasta el codaste de la popa, que cae recto bajo un espejo "
     "plano, y a proa se curva hacia arriba en la roda, lanzada hacia delante; todo es de la "
     "misma madera y sobresale un poco del forro. El costado, claro arriba donde le da el sol, "
     "se oscurece poco a poco al curvarse hasta una franja honda donde el pantoque se vuelve "
     "hacia abajo, y junto a la quilla recoge el reflejo cálido de la arena. Las tablas, con sus "
     "juntas marcadas en líneas oscuras, forran la popa hasta algo más allá de la media eslora: "
     "las cinco hiladas de abajo llegan una cuaderna más allá que las de arriba, que acaban "
     "juntas; de allí a la proa las cuadernas se alzan desnudas, cada una de una pieza que baja "
     "por un costado, cruza la quilla bajo la sobrequilla y sube por el otro, gruesa al pie y "
     "más fina hacia la cabeza, con el canto de popa al sol y el otro en sombra; las sujetan dos "
     "listones finos que llegan hasta la roda, con el cielo entre ellas, y sus brazos del otro "
     "costado quedan apagados en la sombra del casco. En la parte ya forrada se alzan tres "
     "mástiles desnudos, sin velas ni vergas, algo inclinados hacia popa, que salen del cuadro "
     "por arriba, aún sin jarcia. A la derecha de la proa, solo sobre un montículo de arena, un "
     "hombre de camisa verdosa, vuelto de espaldas hacia el mar, se lleva una mano a la nuca "
     "mientras la otra cuelga; su sombra se tiende a la derecha. A su lado espera el equipaje ya "
     "preparado: un baúl de marinero, un barril de agua y un rollo de cabo. Una escalera sube "
     "por la popa y un tablón de andamio apoyado sobre dos caballetes de madera nueva y clara "
     "corre a lo largo del costado. La sombra del casco cae sobre la arena, a la derecha. "
     "Delante, a la izquierda, un caballete grande con una tabla a medio serrar y, apoyada "
     "contra él, la sierra con la punta en la arena, entre virutas; detrás de la playa, una "
     "franja de mar en calma, pálida a lo lejos y más honda cerca, con pequeñas olas, y, al otro "
     "lado, colinas verdes y lomas lejanas en la bruma; en el cielo, un banco largo de nubes que "
     "sale del cuadro por la derecha, blancas arriba donde les da el sol y grisáceas en la base, "
     "una nube fina y alargada entre los mástiles y otra pequeña más arriba. Abajo se lee: El "
     "barco está a medio construir y aquí, a solas, me inquieto. ¡Debo zarpar!"),
    box(   "txtEscenario",  Scene, kSceneArea,          0, "", "Escenario",
           {kTimesFaces, 11.25}, kWindowColours),
    picture("pic_2_0_2",                              14, "Las islas",
     "Una playa de arena cálida a mediodía, con el sol alto arriba a la izquierda, asomando por "
     "el borde: a la izquierda de la playa, una palmera de tronco curvo, más fino hacia arriba, "
     "se inclina un poco hacia la derecha; el tronco, en dos tonos lisos, claro del lado del "
     "sol y oscuro del otro, lleva anillos desiguales que abultan un poco su contorno, y su pie "
     "se ensancha y se hunde en un montículo bajo de arena, apenas más claro que la playa, con "
     "un pliegue de sombra donde entra en él. Su copa es espesa y desigual: doce hojas de un "
     "verde apagado, de largo y caída distintos, más largas hacia la derecha, unas se alejan y "
     "otras se tienden y se doblan hacia nosotros; cada una es un nervio curvo, una línea fina "
     "más oscura, del que cuelgan a ambos lados muchos foliolos estrechos de borde suave, más "
     "cortos hacia la punta, como una pluma, con algún hueco donde el viento los ha roto; las "
     "hojas del fondo son oscuras, las de delante más claras, y cada hilera de foliolos es una "
     "sola masa lisa de borde dentado, clara por la cara de arriba, donde le da el sol, arriba "
     "a la izquierda, y oscura donde la hoja se vuelve y muestra su envés en sombra, muy oscuro "
     "en el corazón de la copa, donde cuelga un racimo de cuatro cocos redondos, iluminados "
     "arriba a la izquierda y en sombra por debajo; bajo ellas, dos hojas secas, pardas, "
     "cuelgan pegadas al tronco. Con el sol tan alto, su sombra es corta, de un solo tono liso "
     "más claro que el árbol y de borde apenas suavizado: la del tronco, una franja estrecha y "
     "limpia, sale del pie hasta la de la copa, que dibuja en la arena la forma de sus hojas, "
     "como plumas, y cae apenas hacia delante y a la derecha. Delante, a la izquierda, una rama "
     "gruesa de deriva, de una madera cálida que el sol y la sal han vuelto de un gris "
     "plateado, se abre en horquilla en un brazo más corto que se aleja y muestra dos muñones "
     "de ramas rotas; con el lomo más claro al sol, el costado en sombra con restos de corteza "
     "parda, vetas y grietas finas a lo largo y la punta rota abierta en astillas claras, yace "
     "medio enterrada en la arena, y su sombra corta se recoge debajo; cerca, unas conchas y "
     "suaves ondas que el viento ha dibujado en la arena, y en primer plano, a ambos lados, "
     "unas piedras pequeñas medio hundidas en ella. A la derecha, en lo alto de la orilla, "
     "donde llega la última agua, el mar ha dejado un trozo roto de la balsa, atravesado, con "
     "su extremo hacia el mar: seis troncos largos, uno junto a otro, dos partidos más cortos "
     "con las astillas claras a la vista, todavía atados con cuerda descolorida a un travesaño "
     "entero y al muñón de otro, con cabos sueltos que se arrastran por la arena y su sombra "
     "recogida debajo. De la arena húmeda junto a él parte un solo rastro de huellas de pies "
     "descalzos, izquierda y derecha alternadas, cada una distinta, algo alargada, unas más "
     "hondas que otras, a un paso desigual, más grandes cerca de nosotros: sube por la playa "
     "hacia delante, gira a la izquierda y llega hasta la sombra de la palmera. Cada huella, "
     "con su talón, su planta y un asomo de dedos, es una hendidura poco honda en el tono de la "
     "arena, algo más oscuro, con una sombra en la pared del lado del sol y el borde iluminado. "
     "El mar rompe solo en la orilla, que a la derecha se curva hacia delante: una lámina fina "
     "de agua sube por la arena y se detiene en un borde bajo de espuma, un encaje irregular "
     "lleno de huecos, con una franja desigual de arena mojada, más oscura y cálida cuanto más "
     "cerca del agua, y un brillo del cielo junto al borde; detrás, pasado un bajío algo más "
     "claro, un mar de un verdeazulado apagado, rizado de pequeñas olas en trazos cortos, "
     "claros y oscuros, más finos hacia el horizonte, con largas ondulaciones suaves cerca de "
     "la orilla y un reguero de destellos bajo el sol. A la izquierda, una nube baja y delgada "
     "se tiende sobre el horizonte. En el de la derecha se ven tres islas a distancias "
     "distintas, más pálidas y azuladas en la bruma cuanto más lejos están, con las laderas que "
     "miran al sol iluminadas y las otras en una sombra suave: la más cercana, larga, de un "
     "verde velado, con dos lomas y una orilla de arena, y otras dos más pequeñas; sobre ellas, "
     "un banco ancho de nubes abombadas, de color crema, con las cimas al sol y la base plana "
     "en sombra, y otra pequeña más alta."),
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
