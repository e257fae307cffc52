#include "story.hpp"

#include <algorithm>
#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

using namespace quivra;

namespace {

const Row& rowOf(std::string_view scene, std::string_view phrase) {
    const Lookup lookup = findRow(scene, phrase);
    if (lookup.found != Found::Row) {
        throw std::runtime_error("no row for " + std::string{scene} + " / " + std::string{phrase});
    }
    return *lookup.row;
}

// Characters, not bytes: the story's letters are counted once however UTF-8 stores them.
std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::ranges::count_if(
        utf8, [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

// The characters a progress file can store: ASCII, Latin-1's printable half, and the
// 27 letters and signs that Windows-1252 places in 0x80-0x9F.
bool inWindows1252(char32_t c) {
    constexpr std::u32string_view kExtras = U"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF) || kExtras.find(c) != kExtras.npos;
}

std::u32string decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        out += c;
        i += length;
    }
    return out;
}

struct Expected {
    const char* scene;
    const char* phrase;
    std::size_t pieces;
    std::size_t length;
};

// Stages 1 and 2 cut their passages finer, and every piece there ends with a space.
bool firstHalf(std::string_view scene) {
    return scene.starts_with("_1_") || scene.starts_with("_2_");
}

class PassageTest : public testing::TestWithParam<Expected> {};

TEST_P(PassageTest, HasItsPiecesLengthAndCharacters) {
    const Expected& expected = GetParam();
    const Passage passage = rowOf(expected.scene, expected.phrase).narrative;
    ASSERT_EQ(passage.size(), expected.pieces);

    std::string whole;
    for (const std::string_view piece : passage) {
        whole += piece;
        const std::size_t length = characters(piece);
        if (firstHalf(expected.scene)) {
            EXPECT_TRUE(length >= 13 && length <= 59) << piece;
            EXPECT_TRUE(piece.ends_with(' ')) << piece;
        } else {
            EXPECT_TRUE(length >= 7 && length <= 62) << piece;
        }
    }
    EXPECT_EQ(characters(whole), expected.length);
    for (const char32_t c : decode(whole)) {
        EXPECT_TRUE(inWindows1252(c) && c != U'"') << "U+" << std::hex << static_cast<int>(c);
    }
    EXPECT_EQ(whole.find("  "), std::string::npos) << "no doubled space where pieces join";
}

INSTANTIATE_TEST_SUITE_P(
    EveryPassage, PassageTest,
    testing::Values(
        Expected{"_1_0", "construir barco", 5, 250}, Expected{"_1_0", "aprovisionarse", 6, 268},
        Expected{"_1_0", "zarpar", 7, 312}, Expected{"_2_0", "continuar", 6, 254},
        Expected{"_2_0", "navegar hacia la balsa", 3, 132},
        Expected{"_2_1", "retornar a tierra", 11, 536},
        Expected{"_2_1", "subir a la balsa", 10, 482},
        Expected{"_2_1_1", "luchar con los tiburones", 3, 127},
        Expected{"_2_1_1", "navegar", 15, 718}, Expected{"_3_0", "regresar al barco", 2, 89},
        Expected{"_3_0", "saltar al agua", 14, 727}, Expected{"_3_0_1", "descansar", 19, 1033},
        Expected{"_3_0_1", "explorar", 4, 155}, Expected{"_3_0_1", "hacer una fogata", 31, 1583},
        Expected{"_3_1", "acampar", 11, 513}, Expected{"_3_1", "explorar la isla", 4, 165},
        Expected{"_3_1", "estudiar las conchas", 15, 709}, Expected{"_4_0", "", 10, 395},
        Expected{"_4_2", "", 81, 3544},
        Expected{"_4_7", "arreglar problemas espirituales", 14, 678}));

TEST(SharedPassages, AreOnePassageNotCopies) {
    EXPECT_EQ(rowOf("_1_0", "aprovisionarse").narrative.data(),
              rowOf("_4_7", "aprovisionarse").narrative.data());
    EXPECT_EQ(rowOf("_3_1", "estudiar las conchas").narrative.data(),
              rowOf("_3_1_1", "estudiar las conchas").narrative.data());
    EXPECT_EQ(rowOf("_3_1", "explorar la isla").narrative.data(),
              rowOf("_3_1_1", "internarse en la maleza").narrative.data());

    const Passage alone = rowOf("_3_0_1", "explorar").narrative;
    const Passage together = rowOf("_3_1", "explorar la isla").narrative;
    EXPECT_NE(alone.data(), together.data());
    EXPECT_EQ(alone[1].data(), together[1].data())
        << "the two thorn endings share their middle piece";
    EXPECT_NE(alone[0], together[0]);
}

TEST(SharedPassages, EveryOtherRowTellsItsOwnStory) {
    std::vector<std::string_view> firstPieces;
    for (const Row& row : storyTable()) {
        if (!row.narrative.empty()) {
            firstPieces.push_back(row.narrative.front());
        }
    }
    std::ranges::sort(firstPieces);
    const auto distinct = static_cast<std::size_t>(
        std::distance(firstPieces.begin(), std::ranges::unique(firstPieces).begin()));
    EXPECT_EQ(distinct, 20U) << "20 passages of their own, the shared ones counted once";
}

} // namespace
