#pragma once

// The story's passages, cut into the pieces that a turn joins with nothing between them.
// Included by story.cpp only.

#include <string_view>

namespace quivra {

// "_1_0" by "construir barco": alone, he means to build a ship
inline constexpr std::string_view kConstruirBarco[] = {
    "Solo, me pongo a reunir lo que necesito ",
    "para construir un barco y estar mejor preparado ",
    "para navegar. Pero antes, decido, debo poner en orden ",
    "mis problemas espirituales; confío en que lo demás ",
    "vendrá por añadidura. Quizás podría intentar algo ahora… ",
};

// "_1_0" and "_4_7" by "aprovisionarse": jailed for debt
inline constexpr std::string_view kCarcel[] = {
    "El grumete y yo compramos fiado un machete, ",
    "una brújula y un barril de agua dulce, ",
    "y contratamos a un marinero más, ",
    "confiando en pagarlo todo a la vuelta. Zarpamos los tres, ",
    "pero no tenemos ningún destino, y al regresar al muelle ",
    "me encarcelan por la deuda sin pagar. ",
};

// "_1_0" by "zarpar": west to the Pacific; a raft and the seabirds
inline constexpr std::string_view kZarpar[] = {
    "Zarpamos rumbo al oeste, hacia el océano Pacífico, ",
    "bajo un cielo cubierto de nubes plomizas. ",
    "No hay otra tripulación que el grumete y yo. ",
    "Solos en la inmensidad del mar, que parece no tener fin, ",
    "divisamos a lo lejos una balsa y, a estribor, ",
    "un centenar de aves marinas ",
    "que revolotean en círculos sobre las olas. ",
};

// "_2_0" by "continuar": the islands and a life for nature
inline constexpr std::string_view kIslas[] = {
    "Pese a las penurias, seguimos navegando. ",
    "Al cabo de unas semanas llegamos a un grupo de islas, ",
    "donde nos reciben como a reyes gracias a nuestra pesca. ",
    "Nos quedan muchas preguntas sin respuesta, ",
    "pero decidimos dedicar nuestra vida ",
    "a salvar la naturaleza. ",
};

// "_2_0" by "navegar hacia la balsa": the empty raft
inline constexpr std::string_view kBalsaVacia[] = {
    "Nos acercamos a la balsa, pero no hay nada en ella. ",
    "Ahora solo ansiamos volver a la costa ",
    "y aprovisionarnos mejor para la travesía. ",
};

// "_2_1" by "retornar a tierra": back to land at night
inline constexpr std::string_view kRetornar[] = {
    "Para abastecernos mejor, giramos el timón ",
    "y ponemos rumbo a tierra, aunque la costa ya no se ve ",
    "por ninguna parte y solo nos rodea el agua. ",
    "El grumete y yo comemos unas cuantas galletas ",
    "sentados en la cubierta, en silencio, mientras las horas ",
    "pasan despacio y el sol va cayendo hacia el mar. ",
    "Por fin, cuando ya empezamos a dudar, la tierra asoma ",
    "por el horizonte. Nos acercamos demasiado ",
    "y encallamos en la arena, pero, gracias a Dios, ",
    "el barco no sufre ningún daño. Ya es de noche, ",
    "y a lo lejos brillan las luces de un pequeño pueblo. ",
};

// "_2_1" by "subir a la balsa": the boy swims away; sharks
inline constexpr std::string_view kSubirBalsa[] = {
    "El grumete salta primero a la balsa y yo lo sigo. ",
    "Poco a poco, la balsa se aleja de nuestro barco, ",
    "a la deriva. De pronto, el grumete se lanza al mar ",
    "y nada de vuelta hacia el barco entre las olas ",
    "embravecidas, hasta que se pierde en el horizonte. ",
    "Me quedo solo y examino la pequeña balsa, ",
    "hecha de una madera bastante nueva. Tiene grabada ",
    "una inscripción con un año y un lema: «Luchar o morir». ",
    "Mientras tanto, varios tiburones comienzan a rodearme, ",
    "y sé que debo seguir adelante. ",
};

// "_2_1_1" by "luchar con los tiburones": killed
inline constexpr std::string_view kTiburones[] = {
    "Lucho contra los tiburones blancos con todas mis fuerzas, ",
    "pero son demasiados y me superan. ",
    "En apenas tres segundos, me matan. ",
};

// "_2_1_1" by "navegar": through the sharks, adrift
inline constexpr std::string_view kNavegar[] = {
    "Remando con las manos desnudas, hago avanzar la balsa ",
    "entre los tiburones. De repente, uno de ellos salta ",
    "hacia mí con las fauces abiertas; me agacho a tiempo ",
    "y pasa volando por encima de mi cabeza. ",
    "Entonces los tiburones se revuelven y se atacan ",
    "unos a otros, hasta que el mar, poco a poco, ",
    "vuelve a quedar en calma. Unos cien metros más allá, ",
    "a la deriva en la inmensidad del océano, ",
    "me acuerdo de los libros que he leído ",
    "a lo largo de mi vida, de aquellas historias ",
    "de náufragos y de santos, y pienso en el amor al prójimo, ",
    "que es lo único que de verdad nos salva. ",
    "¿Dónde estará ahora el grumete? ¿Habrá llegado al barco ",
    "o se lo habrá tragado el mar? Tal vez podría ",
    "intentar algo… o, mejor dicho, lanzarme al agua. ",
};

// "_3_0" by "regresar al barco": lost at sea
inline constexpr std::string_view kRegresar[] = {
    "Vuelvo atrás para buscar al grumete, pero pierdo el rumbo. ",
    "Al cabo de unos meses, muero. ",
};

// "_3_0" by "saltar al agua": the dolphin and the island
inline constexpr std::string_view kSaltar[] = {
    "Respiro hondo, dejo la balsa y me lanzo al agua. ",
    "El mar está helado y las olas me cubren la cabeza. ",
    "Enseguida empiezo a hundirme, sin fuerzas para subir, ",
    "y el pecho me arde por falta de aire. Creo que voy a morir. ",
    "De pronto algo me roza el costado: es un delfín. ",
    "Me agarro con las dos manos a su aleta, con toda el alma, ",
    "y él me saca a flote y me lleva entre las olas, ",
    "veloz y sin miedo, como enviado por el cielo. ",
    "Me deja junto a un arrecife, y desde allí ya veo tierra. ",
    "Le doy las gracias de corazón y nado hacia la orilla, ",
    "hasta llegar a una playa de arena caliente, ",
    "llena de palmeras y arbustos. El sol quema sin piedad, ",
    "así que me refugio a la sombra de una palmera. ",
    "¿Debo explorar este lugar o, mejor, descansar un poco? ",
};

// "_3_0_1" by "descansar": the boy comes back; the shells
inline constexpr std::string_view kDescansar[] = {
    "Me tumbo bajo la palmera, rendido, y cierro los ojos. ",
    "El rumor de las olas me arrulla, y duermo y descanso ",
    "hasta que el sol empieza a esconderse en el mar. ",
    "Al despertar, el cielo está teñido de rojo y naranja. ",
    "Me siento en la arena y contemplo el horizonte en calma. ",
    "De pronto me parece ver un barco que se acerca, ",
    "con las velas hinchadas, y el corazón me da un salto. ",
    "Me froto los ojos y miro otra vez: allí no hay nada. ",
    "Es tan solo una ilusión, hija del cansancio y del deseo. ",
    "Pero entonces distingo una cabeza entre las olas. ",
    "Alguien nada hacia la playa con brazadas lentas y torpes. ",
    "¡Es el grumete! Corro a su encuentro y lo saco del agua. ",
    "Nos abrazamos y damos gracias a Dios por seguir vivos. ",
    "Cuando recobramos el aliento, caminamos hacia el este ",
    "por la orilla, mientras cae la noche. En la arena húmeda ",
    "encontramos unas conchas pequeñas, frágiles y redondas, ",
    "como nunca antes habíamos visto. Nos miramos y dudamos: ",
    "¿las estudiamos con calma o nos internamos en la maleza ",
    "que cubre el interior de la isla para ver qué esconde? ",
};

// Both versions of the thorns ending share this piece.
inline constexpr std::string_view kEntreEspinas = "entre matorrales densos y espinosos, ";

// "_3_0_1" by "explorar": trapped among thorns, alone
inline constexpr std::string_view kEspinasSolo[] = {
    "Intento abrirme paso hacia el interior de la isla, ",
    kEntreEspinas,
    "pero las espinas me atrapan bajo un sol abrasador. ",
    "Este es mi fin. ",
};

// "_3_1" and "_3_1_1": trapped among thorns, together
inline constexpr std::string_view kEspinasJuntos[] = {
    "Intentamos abrirnos paso hacia el interior de la isla, ",
    kEntreEspinas,
    "pero las espinas nos atrapan bajo un sol abrasador. ",
    "Este es nuestro fin. ",
};

// "_3_0_1" by "hacer una fogata": a life among the natives
inline constexpr std::string_view kFogata[] = {
    "Junto ramas secas y hojas de palmera y, frotando dos palos, ",
    "consigo al fin encender una fogata. Las llamas crecen ",
    "y el humo sube al cielo. Al caer la noche oigo silbidos ",
    "entre la maleza: son serpientes, muchas serpientes. ",
    "Pero el fuego las mantiene a raya, y ninguna se acerca. ",
    "Doy gracias a Dios por esta pequeña luz en la oscuridad. ",
    "Pasan los días, y luego las semanas y los meses. ",
    "No sé si alguien vendrá a buscarme, así que me preparo ",
    "para el futuro como mejor puedo. Aprendo a pescar ",
    "en las charcas que deja la marea, recojo cocos ",
    "y guardo agua de lluvia en cáscaras vacías. ",
    "Con troncos, lianas y hojas grandes construyo una choza ",
    "que me protege del sol y de las tormentas. ",
    "Cada tarde me siento a la puerta y miro el mar, ",
    "y rezo por el grumete, esté donde esté. ",
    "Una mañana aparece un hombre entre los árboles. ",
    "Es un nativo de la isla, con el cuerpo pintado, ",
    "y para mi sorpresa habla algo de español. ",
    "Me cuenta que lo aprendió de unos marineros hace años. ",
    "Comemos juntos pescado asado y hablamos de muchas cosas; ",
    "yo le hablo de Dios y él me habla de sus dioses. ",
    "Creo que he encontrado un amigo, pero me equivoco. ",
    "Unos días después llegan muchos hombres armados de lanzas. ",
    "Es su tribu. Me atan las manos y me llevan prisionero ",
    "tierra adentro, por senderos que nunca habría encontrado, ",
    "hasta su aldea, escondida en el corazón de la isla. ",
    "Allí paso el resto de mi vida. No me maltratan, ",
    "pero nunca me dejan marchar. Estoy solo entre ellos, ",
    "lejos del mar y de los míos, y a menudo lloro en silencio. ",
    "Aun así, no me rindo: trabajo, rezo y sigo adelante, ",
    "día tras día, hasta el final. ",
};

// "_3_1" by "acampar": camp on the beach
inline constexpr std::string_view kAcampar[] = {
    "Decidimos acampar en la playa. Juntamos hojas grandes ",
    "y maderas que el mar ha dejado en la orilla, ",
    "y con ellas alzamos un pequeño refugio. ",
    "Luego encendemos una fogata y nos sentamos a su alrededor, ",
    "mirando las estrellas hasta dormirnos. ",
    "Al amanecer nos despierta el hambre. ",
    "Aunque lo llamo grumete, el muchacho es ingeniero ",
    "y ya piensa en cómo conseguir comida; ",
    "yo apenas terminé la escuela, así que lo escucho. ",
    "¿Estudiamos las conchas que hallamos en la arena ",
    "o nos internamos en la maleza en busca de alimento? ",
};

// "_3_1" and "_3_1_1" by "estudiar las conchas"
inline constexpr std::string_view kConchas[] = {
    "Nos sentamos en la arena y estudiamos las conchas. ",
    "Son esferas frágiles como cáscaras de huevo, ",
    "con agujeros en forma de estrella que dejan pasar la luz. ",
    "Tras mucho mirarlas, concluimos que alguna criatura ",
    "se refugia en ellas cuando sube la marea. ",
    "Si es así, el ecosistema de esta isla deshabitada ",
    "sigue intacto, como Dios lo hizo. ",
    "Nos da pena pensar que el mar sube cada año ",
    "y que un día cubrirá esta playa y a sus huéspedes. ",
    "Con palos y lianas armamos un aparejo de pesca ",
    "y desde la balsa pescamos tres peces plateados, ",
    "que asamos y nos comemos junto al fuego. ",
    "Al día siguiente despertamos decididos a ayudar a los demás ",
    "en todo lo que podamos. El mar está en calma ",
    "y nuestra balsa nos espera en la orilla. ",
};

// "_4_0": the mermaid takes the boy
inline constexpr std::string_view kSirena[] = {
    "Nos miramos sin creerlo. El grumete salta al agua ",
    "y nada tras la sirena como hechizado. ",
    "Ella se vuelve de pronto contra él ",
    "y los dos se alejan entre las olas ",
    "hasta perderse en el horizonte. ",
    "Me quedo solo. Respiro hondo y reúno todo mi valor. ",
    "Aún me queda mucho por explorar, mucho por pensar ",
    "y mucho por olvidar. Aún hay cosas en las que creo, ",
    "y el miedo que siento ",
    "es un miedo fácil de vencer. ",
};

// "_4_2": the last days on the raft, the longest passage
inline constexpr std::string_view kFinal[] = {
    "Solo sobre mi balsa, que se deshace poco a poco, ",
    "escucho crujir los troncos y aflojarse las cuerdas. ",
    "El grumete ya no está y el mar parece inmenso. ",
    "Me siento en la madera mojada. ",
    "Pienso en la fe. No es una certeza que se tiene ",
    "de una vez para siempre, sino un camino que se recorre; ",
    "hay que buscarla cada día, como el marinero busca ",
    "la estrella del norte entre las nubes. ",
    "Muchas veces he creído en cosas falsas: en el dinero, ",
    "en mi propia fuerza, en ídolos que prometen riquezas. ",
    "Ahora sé que debo apartarme de ese dios blasfemo ",
    "que solo pide oro y orgullo, y volver al Dios sencillo ",
    "de mi infancia. Pienso también en el arrepentimiento. ",
    "Me arrepiento de mi soberbia y de mis prisas, ",
    "de las deudas que no pagué, ",
    "de las palabras duras que dije a quienes me querían bien, ",
    "y de no haber sabido retener al grumete. ",
    "Arrepentirse no es castigarse, ",
    "sino abrir una puerta por la que entra la luz. ",
    "Quien se arrepiente de verdad no se queda llorando: ",
    "cambia el rumbo, como se gira el timón ante la tormenta. ",
    "Y pienso, sobre todo, en cómo vivir bien. ",
    "Me parece muy sencillo, aunque cueste tanto: ",
    "amar al prójimo, decir la verdad, trabajar con las manos, ",
    "dar gracias por el pan y por el agua dulce, ",
    "cuidar de la tierra, del mar y de sus criaturas, ",
    "pedir perdón sin vergüenza y perdonar sin rencor. ",
    "He leído muchos libros, ",
    "pero ninguno me ha enseñado tanto como esta soledad. ",
    "Aquí no hay monedas, ni cárceles, ni acreedores; ",
    "solo el cielo, el agua y mi conciencia. ",
    "Si salgo con vida, prometo compartir lo poco que tenga, ",
    "escuchar más y hablar menos, ",
    "y no mirar más el mundo con codicia. ",
    "Si no salgo, que al menos mi alma quede en paz. ",
    "Rezo en voz baja, sin saber si alguien me escucha. ",
    "Tal vez Dios esté en el viento que me empuja, ",
    "en la gaviota que pasa, en el pez que salta a mi lado. ",
    "Tal vez la fe consiste en seguir adelante ",
    "cuando ya no se ve ninguna orilla. ",
    "De pronto, la balsa se parte con un crujido seco ",
    "y los troncos se separan bajo mí. ",
    "Me aferro a dos de ellos y empiezo a nadar. ",
    "Pataleo durante horas, con los brazos cansados ",
    "y la sal quemándome los ojos y los labios. ",
    "Cuando un tronco se me escapa, nado hasta otro ",
    "y me abrazo a él como a un viejo amigo. ",
    "La sed me atormenta. Hay agua por todas partes, ",
    "pero no puedo beber ni una gota; ",
    "tengo la garganta en llamas. ",
    "Cae la noche. El cielo se llena de estrellas ",
    "y el mar se vuelve negro y frío. ",
    "Hablo solo para no dormirme y cuento las olas. ",
    "A medianoche estalla una tormenta. ",
    "Los relámpagos iluminan montañas de agua, ",
    "el viento aúlla y la lluvia me azota la cara; ",
    "abro la boca al cielo y bebo por fin, ",
    "mientras las olas me sacuden. ",
    "Al amanecer, la tormenta se aleja. ",
    "Entonces siento un dolor terrible en la pierna: ",
    "un tiburón me ha mordido. Grito y lo golpeo con el puño, ",
    "y el animal se hunde dejando una nube roja. ",
    "En ese instante, a lo lejos, pasa un barco ",
    "lleno de gente. Veo las velas, las siluetas en cubierta, ",
    "levanto el brazo y grito con la voz que me queda, ",
    "pero nadie me ve. El barco sigue su rumbo ",
    "y se pierde en el horizonte. ",
    "Al rato se acerca una canoa. ",
    "Un nativo me mira desde ella; le tiendo la mano, ",
    "pero él levanta su lanza y la arroja. ",
    "La punta envenenada se me clava en el hombro. ",
    "Siento el veneno correr por mis venas, ",
    "frío y lento, y me abandonan las fuerzas. ",
    "Suelto el tronco y me dejo mecer por las olas. ",
    "No tengo miedo. ",
    "Perdono al tiburón, al nativo ",
    "y al barco que no se detuvo. ",
    "Pienso en el grumete y deseo que esté a salvo. ",
    "Miro el cielo por última vez y el agua me envuelve. ",
    "Me hundo y, con mi último aliento, exclamo: ",
    "¡Oh, Naturaleza, qué hermosa y qué terrible eres! ",
};

// "_4_7" by "arreglar problemas espirituales": church and voyage
inline constexpr std::string_view kIglesia[] = {
    "Entro en la iglesia del pueblo y me arrodillo en un banco. ",
    "Rezo largo rato, pido perdón por mis faltas ",
    "y siento que se me quita un gran peso del pecho. ",
    "Al salir, hablo de Dios a unas cuantas personas en la plaza, ",
    "pero me responden de malos modos y me dan la espalda. ",
    "No me desanimo. Trabajo de sol a sol, ahorro cada moneda, ",
    "y en tres meses ya he reunido todas las provisiones. ",
    "Una mañana de buen viento zarpo con el grumete, ",
    "los dos contentos y con la fe renovada. ",
    "Pero la travesía se alarga mucho más de lo que esperábamos; ",
    "los víveres se acaban y nos quedamos pobres, ",
    "a la deriva en medio del mar, ",
    "sin más bienes que una balsa de troncos, ",
    "haciendo planes para lo que vendrá. ",
};

} // namespace quivra
