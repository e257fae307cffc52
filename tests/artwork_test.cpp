// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The window lays pictures out by their exact pixel size, older JPEG decoders choke on
// progressive files, and icon loaders want well-formed 16 and 32 pixel entries.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

namespace {

std::string readAsset(const std::string& name) {
    std::ifstream in(std::filesystem::path(QUIVRA_ASSETS_DIR) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

unsigned byteAt(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes.at(at));
}

unsigned be16(const std::string& bytes, std::size_t at) {
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

// Width, height and colour components of a JFIF file's frame, walking the segments up to the
// first scan; nothing when the file is not JFIF or its frame is not baseline.
std::string baselineFrame(const std::string& jpeg) {
    std::string frame;
    bool jfif = false;
    for (std::size_t i = 2; jpeg.starts_with("\xFF\xD8") && i + 4 <= jpeg.size() &&
                            byteAt(jpeg, i) == 0xFF && byteAt(jpeg, i + 1) != 0xDA;
         i += 2 + be16(jpeg, i + 2)) {
        const unsigned marker = byteAt(jpeg, i + 1);
        jfif |= marker == 0xE0 && jpeg.compare(i + 4, 5, std::string("JFIF\0", 5)) == 0;
        if (marker == 0xC0) {
            frame = std::to_string(be16(jpeg, i + 7)) + "x" + std::to_string(be16(jpeg, i + 5)) +
                    "x" + std::to_string(byteAt(jpeg, i + 9));
        } else if (marker > 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC) {
            return "not baseline";
        }
    }
    return jfif ? frame : "not JFIF";
}

// Each picture at its own size and at twice that for high-density screens. The beach is
// larger than the window shows; the window clips it.
TEST(Artwork, ScenesAreBaselineColourJpegsOfTheirSize) {
    const std::tuple<const char*, unsigned, unsigned> pictures[] = {
        {"pic_1_0", 421, 221}, {"pic_2_0_2", 438, 230}, {"pic_2_2", 421, 221},
        {"pic_4_0", 421, 221}, {"pic_4_2", 421, 221},   {"pic_4_4", 421, 221},
        {"pic_4_6", 421, 221}};
    for (const auto& [name, width, height] : pictures) {
        for (const unsigned scale : {1U, 2U}) {
            const std::string file = std::string{name} + (scale == 2 ? "@2x" : "") + ".jpg";
            EXPECT_EQ(baselineFrame(readAsset(file)),
                      std::to_string(scale * width) + "x" + std::to_string(scale * height) + "x3")
                << file;
        }
    }
}

// Button bitmaps are drawn as stored, on the button face; the icons keep their transparency.
TEST(Artwork, ButtonImagesAndIconsArePngsOfTheirSize) {
    const std::tuple<const char*, unsigned, unsigned, bool> images[] = {
        {"abrir", 16, 15, false},   {"guardar", 16, 15, false}, {"nuevo", 24, 22, false},
        {"salir-32", 32, 32, true}, {"salir-16", 16, 16, true}, {"quivra-32", 32, 32, true},
        {"quivra-16", 16, 16, true}};
    for (const auto& [name, width, height, transparent] : images) {
        for (const unsigned scale : {1U, 2U}) {
            const std::string file = std::string{name} + (scale == 2 ? "@2x" : "") + ".png";
            const std::string png = readAsset(file);
            ASSERT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n") && png.compare(12, 4, "IHDR") == 0)
                << file;
            EXPECT_EQ(be16(png, 18), scale * width) << file;
            EXPECT_EQ(be16(png, 22), scale * height) << file;
            EXPECT_EQ(byteAt(png, 25) == 4 || byteAt(png, 25) == 6, transparent) << file;
        }
    }
}

TEST(Artwork, IconFilesHoldSixteenColourEntriesOfSixteenAndThirtyTwoPixels) {
    for (const char* file : {"quivra.ico", "salir.ico"}) {
        const std::string ico = readAsset(file);
        ASSERT_TRUE(ico.starts_with(std::string("\0\0\1\0", 4))) << file;
        std::set<unsigned> sizes;
        for (std::size_t at = 6; at < 6 + 16 * std::size_t{byteAt(ico, 4)}; at += 16) {
            EXPECT_EQ(byteAt(ico, at), byteAt(ico, at + 1)) << file << " has a non-square entry";
            EXPECT_EQ(byteAt(ico, at + 6), 4U) << file << ": sixteen colours";
            sizes.insert(byteAt(ico, at));
        }
        EXPECT_EQ(sizes, (std::set<unsigned>{16, 32})) << file;
    }
}

} // namespace
