// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "story.hpp"

#include "passages.hpp"

#include <algorithm>
#include <numeric>
#include <utility>

namespace quivra {
namespace {

constexpr Phrases phrase(std::string_view only) {
    return {{only, {}}, 1};
}
constexpr Phrases phrase(std::string_view first, std::string_view second) {
    return {{first, second}, 2};
}
constexpr Phrases kAnyPhrase{};

constexpr Show kWriteText{Display::WriteText};
constexpr Show kShowText{Display::ShowText};
constexpr Show picture(Picture shown) {
    return {Display::ShowPicture, shown};
}

constexpr Passage kNone{};

using enum Picture;

// clang-format off
constexpr Row kStory[] = {
//   scene       phrase                                              next        verdict display             narrative
    {"_1_0",     phrase("construir barco"),                          "_4_7",     kOk,    kShowText,          kConstruirBarco},
    {"_1_0",     phrase("aprovisionarse"),                           "_1_0_1",   kFin,   kShowText,          kCarcel},
    {"_1_0",     phrase("zarpar"),                                   "_2_0",     kOk,    kShowText,          kZarpar},
    {"_2_0",     phrase("continuar", ""),                            "_2_0_1",   kOk,    kWriteText,         kIslas},
    {"_2_0",     phrase("navegar hacia la balsa"),                   "_2_1",     kOk,    kWriteText,         kBalsaVacia},
    {"_2_0",     phrase("acercarse a las aves marinas"),             "_2_2",     kFin,   picture(pic_2_2),   kNone},
    {"_2_0_1",   kAnyPhrase,                                         "_2_0_2",   kFin,   picture(pic_2_0_2), kNone},
    {"_2_1",     phrase("retornar a tierra"),                        "_1_0",     kOk,    kWriteText,         kRetornar},
    {"_2_1",     phrase("subir a la balsa"),                         "_2_1_1",   kOk,    kWriteText,         kSubirBalsa},
    {"_2_1_1",   phrase("luchar con los tiburones"),                 "_2_1_1_1", kFin,   kWriteText,         kTiburones},
    {"_2_1_1",   phrase("navegar"),                                  "_3_0",     kOk,    kWriteText,         kNavegar},

    {"_3_0",     phrase("regresar al barco"),                        "_3_0_2",   kFin,   kWriteText,         kRegresar},
    {"_3_0",     phrase("saltar al agua"),                           "_3_0_1",   kOk,    kWriteText,         kSaltar},
    {"_3_0_1",   phrase("descansar"),                                "_3_1",     kOk,    kWriteText,         kDescansar},
    {"_3_0_1",   phrase("explorar"),                                 "_3_1_2",   kFin,   kWriteText,         kEspinasSolo},
    {"_3_0_1",   phrase("hacer una fogata"),                         "_4_7_1",   kFin,   kWriteText,         kFogata},
    {"_3_1",     phrase("acampar"),                                  "_3_1_1",   kOk,    kWriteText,         kAcampar},
    {"_3_1",     phrase("explorar la isla"),                         "_3_1_2",   kFin,   kWriteText,         kEspinasJuntos},
    {"_3_1",     phrase("estudiar las conchas"),                     "_3_1_3",   kOk,    kWriteText,         kConchas},
    {"_3_1_1",   phrase("estudiar las conchas"),                     "_3_1_3",   kOk,    kWriteText,         kConchas},
    {"_3_1_1",   phrase("internarse en la maleza"),                  "_3_1_2",   kFin,   kWriteText,         kEspinasJuntos},
    {"_3_1_3",   phrase("subir a la balsa"),                         "_4_0",     kOk,    picture(pic_4_0),   kNone},
    {"_4_0",     kAnyPhrase,                                         "_4_1",     kOk,    kShowText,          kSirena},
    {"_4_1",     kAnyPhrase,                                         "_4_2",     kOk,    picture(pic_4_2),   kNone},
    {"_4_2",     kAnyPhrase,                                         "_4_3",     kOk,    kShowText,          kFinal},
    {"_4_3",     kAnyPhrase,                                         "_4_4",     kOk,    picture(pic_4_4),   kNone},
    {"_4_4",     kAnyPhrase,                                         "_4_6",     kFin,   picture(pic_4_6),   kNone},
    {"_4_7",     phrase("aprovisionarse"),                           "_1_0_1",   kFin,   kWriteText,         kCarcel},
    {"_4_7",     phrase("arreglar problemas espirituales"),          "_3_1_3",   kOk,    kWriteText,         kIglesia},
};

constexpr std::pair<std::string_view, Picture> kPictureScenes[] = {
    {"_1_0",   pic_1_0},
    {"_2_2",   pic_2_2},
    {"_4_0",   pic_4_0},
    {"_4_2",   pic_4_2},
    {"_4_4",   pic_4_4},
    {"_4_6",   pic_4_6},
    {"_2_0_2", pic_2_0_2},
};
// clang-format on

bool takes(const Row& row, std::string_view phrase) {
    return row.phrases.any() || std::find(row.phrases.exact().begin(), row.phrases.exact().end(),
                                          phrase) != row.phrases.exact().end();
}

} // namespace

std::span<const Row> storyTable() {
    return kStory;
}

Lookup findRow(std::string_view scene, std::string_view phrase) {
    Found found = Found::NoScene;
    for (const Row& row : kStory) {
        if (row.scene != scene) {
            if (found == Found::WrongPhrase) {
                break; // a scene's rows stand together
            }
            continue;
        }
        if (takes(row, phrase)) {
            return {Found::Row, &row};
        }
        found = Found::WrongPhrase;
    }
    return {found};
}

std::optional<Picture> pictureOfScene(std::string_view scene) {
    for (const auto& [code, shown] : kPictureScenes) {
        if (code == scene) {
            return shown;
        }
    }
    return std::nullopt;
}

std::size_t passageLength(Passage passage) {
    return std::accumulate(
        passage.begin(), passage.end(), std::size_t{0},
        [](std::size_t length, std::string_view piece) { return length + piece.size(); });
}

} // namespace quivra
