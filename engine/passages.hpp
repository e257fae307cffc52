// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: CC-BY-4.0

#pragma once

// The story's passages, cut into the pieces that a turn joins with nothing between them.
// Included by story.cpp only.

#include <string_view>

namespace quivra {

// "_1_0" by "construir barco": alone, he means to finish the ship
inline constexpr std::string_view kConstruirBarco[] = {
    "Me propongo reunir por mi cuenta lo necesario para ",
    "terminar el barco y hacerme a la mar mejor pertrechado. ",
    "Pero, antes que nada, he de poner en orden mi vida ",
    "y hacer las paces con Dios; lo demás, confío, ",
    "vendrá por añadidura. ¿Por qué no empezar ya? ",
};

// "_1_0" and "_4_7" by "aprovisionarse": jailed for debt
inline constexpr std::string_view kCarcel[] = {
    "Compro fiado un machete, una brújula y un barril ",
    "de agua dulce y, además de mi grumete, contrato ",
    "a otro marinero, contando con pagarlo todo a la vuelta. ",
    "Zarpamos los tres sin rumbo fijo y, ",
    "al volver de vacío al muelle, me encarcelan ",
    "por la deuda, que no puedo saldar. ",
};

// "_1_0" by "zarpar": west to the Pacific; a raft and the seabirds
inline constexpr std::string_view kZarpar[] = {
    "Mi grumete y yo zarpamos con el barco a medio terminar, ",
    "rumbo al oeste, hacia el Pacífico, ",
    "bajo un cielo encapotado. Unas horas después, ",
    "cuando la costa ya se pierde a popa, ",
    "divisamos a lo lejos una balsa que cabecea entre las olas ",
    "y, a estribor, un centenar de aves marinas ",
    "que vuelan en círculo sobre el agua. ",
};

// "_2_0" by "continuar": the islands and a life for nature
inline constexpr std::string_view kIslas[] = {
    "Escasea el agua, no la comida, y seguimos ",
    "adelante. Semanas después damos con unas islas ",
    "donde la gente nos recibe como a reyes y ",
    "nos da de su pescado. Agradecidos, nos quedamos ",
    "a cuidar de sus tierras. ",
    "Nunca sabremos qué anunciaban la balsa y las aves. ",
};

// "_2_0" by "navegar hacia la balsa": the empty raft
inline constexpr std::string_view kBalsaVacia[] = {
    "Nos acercamos a la balsa y la encontramos vacía. ",
    "Tan lejos de tierra y tan mal provistos, nos tienta ",
    "volver a la costa por víveres. ",
};

// "_2_1" by "retornar a tierra": back to land at night
inline constexpr std::string_view kRetornar[] = {
    "Sin más demora, viramos en redondo ",
    "y ponemos rumbo a tierra, aunque la costa ya no se ve ",
    "y no sabemos bien cuánto nos hemos alejado. ",
    "El grumete y yo comemos unas cuantas galletas marineras ",
    "sentados en la cubierta, sin cruzar palabra, mientras las ",
    "horas pasan y la luz se va apagando a poniente. ",
    "Por fin, cuando ya casi desesperamos, la tierra asoma ",
    "en el horizonte. Nos acercamos demasiado ",
    "y encallamos en la arena, pero, por fortuna, ",
    "el barco no sufre ningún daño. Ya ha anochecido ",
    "y a lo lejos brillan las luces de un pequeño pueblo. ",
};

// "_2_1" by "subir a la balsa": the boy swims away; sharks
inline constexpr std::string_view kSubirBalsa[] = {
    "El grumete salta primero a la balsa y yo lo sigo. ",
    "Poco a poco, la corriente nos aleja de nuestro barco. ",
    "De pronto, el grumete se lanza al mar ",
    "y nada hacia el barco entre olas cada vez más ",
    "altas, hasta que ya no distingo su cabeza. ",
    "Me quedo solo y examino la pequeña balsa, ",
    "de madera casi nueva. Desde la borda no ",
    "nos habíamos fijado, pero en los troncos hay grabados un ",
    "año y un lema: «Luchar o morir». Mientras lo leo, varios ",
    "tiburones empiezan a rodearme: no puedo quedarme aquí. ",
};

// "_2_1_1" by "luchar con los tiburones": killed
inline constexpr std::string_view kTiburones[] = {
    "Lucho con todas mis fuerzas contra los tiburones ",
    "que me rodean, pero son demasiados y ",
    "en un abrir y cerrar de ojos me devoran. ",
};

// "_2_1_1" by "navegar": through the sharks, adrift
inline constexpr std::string_view kNavegar[] = {
    "Remando con las manos desnudas, hago avanzar la balsa ",
    "entre los tiburones. Uno de ellos salta de improviso ",
    "hacia mí con las fauces abiertas; me agacho a tiempo ",
    "y pasa volando por encima de mi cabeza. ",
    "Entonces se revuelven todos y se muerden con furia ",
    "unos a otros, hasta que el mar, al cabo de un rato, ",
    "vuelve a quedar en calma. Ya lejos de ellos, sigo remando. ",
    "Solo, en medio del océano, ",
    "me acuerdo de los libros que he leído ",
    "en tantos años de mar, de aquellas historias ",
    "de náufragos y de santos, y pienso en el amor al prójimo, ",
    "que es lo único que de verdad nos salva. ",
    "¿Dónde estará ahora el grumete? ¿Habrá llegado al barco ",
    "o se lo habrá tragado el mar? Me ronda la idea ",
    "de encomendarme a Dios y arrojarme al agua. ",
};

// "_3_0" by "regresar al barco": lost at sea
inline constexpr std::string_view kRegresar[] = {
    "Remo en busca del barco y del grumete, pero es inútil. ",
    "Tras días de penuria, muero solo. ",
};

// "_3_0" by "saltar al agua": the dolphin and the island
inline constexpr std::string_view kSaltar[] = {
    "Respiro hondo y me lanzo al mar desde la balsa. ",
    "El agua está tibia, pero la ropa empapada tira de mí. ",
    "Enseguida empiezo a hundirme, sin fuerzas para subir, ",
    "y el pecho me arde por falta de aire. Creo que voy a morir. ",
    "Entonces algo me roza el costado: ¡es un delfín! ",
    "Me aferro a su aleta con ambas manos, desesperado, ",
    "y él me saca a flote y me lleva entre las olas, ",
    "tan deprisa que en un instante la balsa queda atrás. ",
    "Me deja junto a un arrecife, desde donde diviso una isla. ",
    "Le acaricio el lomo, agradecido, y nado hasta la orilla: ",
    "una ancha playa de arena caliente, ",
    "bordeada de palmeras y maleza. Como el calor aprieta, ",
    "me refugio a la sombra de la palmera más grande. ",
    "¿Exploro este lugar, hago una fogata o descanso un rato? ",
};

// "_3_0_1" by "descansar": the boy comes back; the shells
inline constexpr std::string_view kDescansar[] = {
    "Me tumbo bajo la palmera, rendido, y cierro los ojos. ",
    "El sueño me vence al instante y duermo de un tirón ",
    "hasta que el sol está a punto de hundirse en el mar. ",
    "Al despertar, veo el cielo y el agua teñidos de rojo. ",
    "Sentado en la arena, contemplo el horizonte sereno. ",
    "Por un momento creo ver nuestro barco, que se acerca ",
    "a toda vela, y me pongo en pie de un salto, gritando. ",
    "Me froto los ojos y vuelvo a mirar: allí no hay nada. ",
    "Es solo una ilusión, hija del cansancio y del deseo. ",
    "Pero entonces distingo una cabeza entre las olas. ",
    "Alguien nada hacia la playa con brazadas lentas y torpes. ",
    "¡Es el grumete! Corro a su encuentro y lo saco del agua. ",
    "No ha llegado al barco; la corriente lo ha traído hasta aquí. ",
    "Nos abrazamos y damos gracias a Dios por seguir con vida. ",
    "Cuando al fin recobramos el aliento, caminamos hacia el este ",
    "por la orilla, mientras cae la noche. En la arena húmeda ",
    "encontramos unas conchas pequeñas, frágiles y redondas, ",
    "como no las habíamos visto nunca. ¿Acampamos aquí, ",
    "las estudiamos o salimos a explorar la isla? ",
};

// Both versions of the thorns ending share this piece.
inline constexpr std::string_view kEntreEspinas = "por un matorral cerrado y espinoso, ";

// "_3_0_1" by "explorar": trapped among thorns, alone
inline constexpr std::string_view kEspinasSolo[] = {
    "Intento abrirme paso tierra adentro ",
    kEntreEspinas,
    "pero las zarzas me atrapan bajo un sol abrasador. ",
    "No consigo liberarme: es mi fin. ",
};

// "_3_1" and "_3_1_1": trapped among thorns, together
inline constexpr std::string_view kEspinasJuntos[] = {
    "Ya de día, intentamos avanzar isla adentro ",
    kEntreEspinas,
    "pero las zarzas nos atrapan bajo un sol abrasador. ",
    "No logramos salir: es nuestro fin. ",
};

// "_3_0_1" by "hacer una fogata": a life among the natives
inline constexpr std::string_view kFogata[] = {
    "Reúno ramas secas y hojas de palmera y, frotando dos palos, ",
    "consigo al fin encender una fogata. Las llamas crecen ",
    "y el humo sube al cielo. Al caer la noche, oigo siseos ",
    "entre la maleza: son serpientes, muchas serpientes. ",
    "Pero el resplandor del fuego las mantiene a raya. ",
    "Doy gracias a Dios y velo hasta el alba junto a las brasas. ",
    "No sé si alguien vendrá a buscarme, así que me preparo ",
    "como puedo para una larga espera. Me pongo a pescar ",
    "en las charcas que deja la marea, recojo cocos ",
    "y guardo agua de lluvia en sus cáscaras. ",
    "Con troncos, lianas y hojas grandes construyo una choza ",
    "que me protege del sol y de las tormentas. ",
    "Pasan los días, y luego las semanas y los meses. ",
    "Cada tarde me siento a la puerta, contemplo el mar ",
    "y rezo por el grumete, esté donde esté. ",
    "Una mañana, un hombre surge de entre los árboles. ",
    "Es un nativo de la isla, con el cuerpo pintado, ",
    "y, para mi asombro, habla algo de español. ",
    "Me cuenta que lo aprendió hace años de unos náufragos. ",
    "Compartimos pescado asado y charlamos hasta el anochecer; ",
    "yo le hablo de Dios, y él, de sus dioses. ",
    "Creo haber hallado un amigo; pronto sabré que no lo es. ",
    "Días después aparece un grupo de hombres con lanzas. ",
    "Son de su tribu. Me atan las manos y me llevan prisionero ",
    "tierra adentro, por senderos que nunca sabría encontrar, ",
    "hasta su aldea, escondida en lo más hondo de la selva. ",
    "Allí paso el resto de mi vida. No me maltratan, ",
    "pero nunca me dejan marchar. Estoy solo entre ellos, ",
    "lejos del mar y de los míos, y a menudo lloro en silencio. ",
    "Aun así, no me rindo: trabajo, rezo y sigo adelante, ",
    "día tras día, hasta el final. ",
};

// "_3_1" by "acampar": camp on the beach
inline constexpr std::string_view kAcampar[] = {
    "Decidimos acampar en la playa. Juntamos hojas anchas ",
    "y maderos que el mar ha dejado en la orilla, ",
    "y con ellos levantamos un tosco refugio. ",
    "Luego encendemos una fogata y nos sentamos a su alrededor ",
    "a mirar las estrellas hasta dormirnos. ",
    "De madrugada nos despierta el hambre. ",
    "El grumete, que antes de embarcar estudió ingeniería, ",
    "busca un modo de conseguir comida; ",
    "yo, que a duras penas acabé la escuela, me fío de él. ",
    "¿Estudiamos las conchas que encontramos anoche ",
    "o nos internamos en la maleza a buscar alimento? ",
};

// "_3_1" and "_3_1_1" by "estudiar las conchas"
inline constexpr std::string_view kConchas[] = {
    "Al alba nos sentamos a estudiar las conchas. ",
    "Son esferas frágiles como cáscara de huevo, ",
    "con agujeros en forma de estrella que dejan pasar la luz. ",
    "Creemos que aún las habitan pequeñas criaturas, ",
    "señal de que la vida de esta isla, al parecer desierta, ",
    "sigue intacta, como Dios la creó. ",
    "Pero el mar sube sin cesar y ya lame la arena seca; ",
    "nos apena pensar que un día cubrirá la playa ",
    "y, con ella, el hogar de esas criaturas. ",
    "Y el mismo mar nos trae de vuelta la balsa. ",
    "Con palos y lianas hacemos cañas y, subidos a ella, ",
    "pescamos tres peces plateados que asamos en una hoguera. ",
    "Al día siguiente despertamos resueltos a ayudar ",
    "a otros como Dios nos ayudó. El mar está en calma ",
    "y la balsa nos espera en la arena. ",
};

// "_4_0": the mermaid takes the boy
inline constexpr std::string_view kSirena[] = {
    "Nos miramos, incrédulos. El grumete salta al agua ",
    "y nada tras la sirena como hechizado. ",
    "Pero ella se revuelve contra él ",
    "y lo arrastra consigo hasta que ambos se hunden. ",
    "Lo llamo a gritos una y otra vez, en vano. ",
    "Ahora estoy solo, pero me armo de valor. ",
    "Aún me quedan mares por explorar, mucho que pensar ",
    "y que olvidar; aún hay cosas en las que creo, ",
    "y el miedo, bien mirado, ",
    "no es más que humo. ",
};

// "_4_2": the last days on the raft, the longest passage
inline constexpr std::string_view kFinal[] = {
    "A solas en mi balsa, que se deshace poco a poco, ",
    "oigo crujir los troncos y noto ceder las cuerdas. ",
    "El grumete ya no está y el mar parece infinito. ",
    "Me acurruco en la madera mojada. ",
    "Pienso en la fe. No es una certeza que se tenga ",
    "de una vez por todas, sino un camino que se recorre; ",
    "hay que buscarla cada día, como el marinero busca ",
    "la estrella Polar entre las nubes. ",
    "A menudo he creído en cosas falsas: en el dinero, ",
    "en mi propia fuerza, en ídolos que prometen riquezas. ",
    "Ahora sé que debo dar la espalda a ese becerro de oro ",
    "que tanto he adorado y volver al Dios sencillo ",
    "de mi infancia. Pienso también en el arrepentimiento. ",
    "Me arrepiento de mi soberbia y de mis prisas, ",
    "de las promesas que no cumplí, ",
    "de las palabras duras que dije a quienes me querían bien ",
    "y de no haber sabido retener al grumete. ",
    "Arrepentirse no es castigarse, ",
    "sino mirar de frente lo mal hecho y repararlo. ",
    "Quien se arrepiente de verdad no se queda llorando: ",
    "cambia el rumbo, como el timonel ante la tormenta. ",
    "Y pienso, sobre todo, en cómo vivir bien. ",
    "Me parece muy sencillo, aunque cueste tanto: ",
    "querer a los demás y decirles siempre la verdad; ",
    "trabajar con las manos y dar gracias por el pan y el agua; ",
    "cuidar de la tierra y del mar, que no son nuestros; ",
    "pedir perdón sin vergüenza y perdonar sin rencor. ",
    "He oído muchos sermones, ",
    "pero ninguno me ha enseñado tanto como esta soledad. ",
    "Aquí no hay monedas, ni deudas, ni dueños; ",
    "solo el cielo, el agua y mi conciencia. ",
    "Si salgo con vida, prometo compartir lo poco que tenga, ",
    "escuchar más y hablar menos, ",
    "y no volver a mirar el mundo con codicia. ",
    "Si no salgo, que al menos mi alma quede en paz. ",
    "Rezo en voz baja, sin saber si alguien me escucha. ",
    "Tal vez Dios esté en el viento que me empuja, ",
    "en la gaviota que pasa, en el pez que salta junto a mí. ",
    "Tal vez la fe consista en seguir adelante ",
    "cuando ya no se ve ninguna orilla. ",
    "De pronto, la balsa se parte con un crujido seco ",
    "y los troncos se separan bajo mí. ",
    "Me aferro a dos de ellos y empiezo a nadar. ",
    "Pataleo durante horas, con las piernas entumecidas ",
    "y la sal quemándome los ojos y los labios. ",
    "Cuando un tronco se me escapa, nado hasta otro ",
    "y me abrazo a él como si fuera el último. ",
    "La sed me atormenta. Hay agua por todas partes, ",
    "pero no puedo beber ni una gota; ",
    "la lengua se me pega al paladar. ",
    "Cae la noche. El cielo se llena de estrellas ",
    "y el mar se vuelve negro y frío. ",
    "Hablo solo para no dormirme y cuento las olas. ",
    "A medianoche estalla una tormenta. ",
    "Los relámpagos alumbran olas altas como mástiles, ",
    "el viento silba y la lluvia me ciega; ",
    "abro la boca al cielo y bebo por fin, ",
    "zarandeado de un lado a otro. ",
    "Al amanecer, la tormenta se aleja. ",
    "Entonces unos dientes me desgarran la pierna: ",
    "es un tiburón. Grito y lo golpeo hasta que me suelta; ",
    "el animal se sumerge, pero la herida no deja de sangrar. ",
    "En ese instante, a lo lejos, pasa un barco ",
    "lleno de gente. Veo las velas, las siluetas en cubierta; ",
    "levanto el brazo y llamo con la voz que me queda, ",
    "pero nadie me ve. El barco sigue su rumbo ",
    "hasta desaparecer. ",
    "Al poco rato se acerca una canoa. ",
    "Un nativo me mira desde ella; le tiendo la mano, ",
    "pero él alza su lanza y me la arroja. ",
    "La punta se me clava muy hondo en el hombro. ",
    "Un frío lento, el del veneno, me sube al pecho, ",
    "y me abandonan las fuerzas. ",
    "Suelto el tronco y me dejo mecer por las olas. ",
    "Ya no tengo miedo. ",
    "Perdono al tiburón, al nativo ",
    "y al barco que no se detuvo. ",
    "Pienso en el grumete y deseo que esté a salvo. ",
    "Miro al cielo una vez más y, antes de que el mar ",
    "me cubra, exclamo con mi último aliento: ",
    "«¡Oh, Naturaleza, qué hermosa y qué terrible eres!». ",
};

// "_4_7" by "arreglar problemas espirituales": church and voyage
inline constexpr std::string_view kIglesia[] = {
    "Entro en la iglesia del pueblo y me arrodillo ante el altar. ",
    "Rezo largo rato, pido perdón por mis faltas ",
    "y me quito un gran peso de encima. ",
    "Al salir, hablo de Dios a algunas personas en la plaza, ",
    "pero me responden de malos modos y me dan la espalda. ",
    "No me desanimo. Trabajo de sol a sol, ahorro cada moneda ",
    "y en tres meses tengo el barco listo y abastecido. ",
    "Una mañana de buen viento, mi grumete y yo zarpamos, ",
    "contentos y con la fe renovada. ",
    "Pero la travesía se alarga más de lo previsto; ",
    "los víveres se agotan y una tormenta estrella el barco ",
    "contra un arrecife. Con sus mástiles y vergas ",
    "montamos una balsa. Más pobres que nunca y en pleno océano, ",
    "nos preguntamos qué hacer. ",
};

} // namespace quivra
