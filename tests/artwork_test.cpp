// The window lays pictures out by their exact pixel size, older JPEG decoders choke on
// progressive files, and icon loaders want well-formed 16 and 32 pixel entries.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAsset(const std::string& name) {
    std::ifstream in(std::filesystem::path(QUIVRA_ASSETS_DIR) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t be16(const Bytes& b, std::size_t at) {
    return (b.at(at) << 8) | b.at(at + 1);
}

bool startsWith(const Bytes& b, std::size_t at, std::string_view text) {
    return b.size() >= at + text.size() &&
           std::equal(
               text.begin(), text.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
               [](char c, std::uint8_t byte) { return static_cast<std::uint8_t>(c) == byte; });
}

// Width, height and component count from a JFIF file's only frame, which must be baseline.
std::vector<std::uint32_t> baselineJfifFrame(const Bytes& b) {
    std::vector<std::uint32_t> frame;
    bool jfif = false;
    for (std::size_t i = 2; startsWith(b, 0, "\xFF\xD8") && i + 4 <= b.size() && b[i] == 0xFF;
         i += 2 + be16(b, i + 2)) {
        const std::uint8_t marker = b[i + 1];
        if (marker == 0xDA) {
            break;
        }
        jfif |= marker == 0xE0 && startsWith(b, i + 4, std::string_view("JFIF\0", 5));
        if (marker == 0xC0) {
            frame = {be16(b, i + 7), be16(b, i + 5), b.at(i + 9)};
        } else if (marker > 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC) {
            return {}; // progressive, or another kind of frame
        }
    }
    return jfif ? frame : std::vector<std::uint32_t>{};
}

struct Size {
    const char* name;
    std::uint32_t width, height;
};

// Each picture at its own size and at twice that for high-density screens. The beach is
// larger than the window shows; the window clips it.
TEST(Artwork, ScenesAreBaselineColourJpegsOfTheirSize) {
    const Size pictures[] = {{"pic_1_0", 421, 221}, {"pic_2_0_2", 438, 230}, {"pic_2_2", 421, 221},
                             {"pic_4_0", 421, 221}, {"pic_4_2", 421, 221},   {"pic_4_4", 421, 221},
                             {"pic_4_6", 421, 221}};
    for (const Size& picture : pictures) {
        for (const std::uint32_t scale : {1U, 2U}) {
            const std::string file = std::string{picture.name} + (scale == 2 ? "@2x" : "") + ".jpg";
            EXPECT_EQ(
                baselineJfifFrame(readAsset(file)),
                (std::vector<std::uint32_t>{scale * picture.width, scale * picture.height, 3}))
                << file;
        }
    }
}

// Button bitmaps are drawn as stored, on the button face; the icons keep their transparency.
TEST(Artwork, ButtonImagesAndIconsArePngsOfTheirSize) {
    const std::pair<Size, bool> images[] = {
        {{"abrir", 16, 15}, false},   {{"guardar", 16, 15}, false}, {{"nuevo", 24, 22}, false},
        {{"salir-32", 32, 32}, true}, {{"salir-16", 16, 16}, true}, {{"quivra-32", 32, 32}, true},
        {{"quivra-16", 16, 16}, true}};
    for (const auto& [image, transparent] : images) {
        for (const std::uint32_t scale : {1U, 2U}) {
            const std::string file = std::string{image.name} + (scale == 2 ? "@2x" : "") + ".png";
            const Bytes png = readAsset(file);
            ASSERT_TRUE(startsWith(png, 0, "\x89PNG\r\n\x1a\n") && startsWith(png, 12, "IHDR"))
                << file;
            EXPECT_EQ(be16(png, 18), scale * image.width) << file;
            EXPECT_EQ(be16(png, 22), scale * image.height) << file;
            EXPECT_EQ(png.at(25) == 4 || png.at(25) == 6, transparent) << file;
        }
    }
}

TEST(Artwork, IconFilesHoldSixteenColourEntriesOfSixteenAndThirtyTwoPixels) {
    for (const char* file : {"quivra.ico", "salir.ico"}) {
        const Bytes ico = readAsset(file);
        ASSERT_TRUE(startsWith(ico, 0, std::string_view("\0\0\1\0", 4))) << file;
        std::set<std::uint32_t> sizes;
        for (std::size_t at = 6; at < 6 + 16 * std::size_t{ico.at(4)}; at += 16) {
            EXPECT_EQ(ico.at(at), ico.at(at + 1)) << file << " has a non-square entry";
            EXPECT_EQ(ico.at(at + 6), 4U) << file << ": sixteen colours";
            sizes.insert(ico.at(at));
        }
        EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 32})) << file;
    }
}

} // namespace
