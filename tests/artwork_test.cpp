// The window lays pictures out by their exact pixel size, older JPEG decoders choke on
// progressive files, and icon loaders want well-formed 16 and 32 pixel entries.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
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
std::uint32_t be32(const Bytes& b, std::size_t at) {
    return (be16(b, at) << 16) | be16(b, at + 2);
}
std::uint32_t le16(const Bytes& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}

bool holds(const Bytes& b, std::size_t at, std::string_view text) {
    return b.size() >= at + text.size() &&
           std::equal(
               text.begin(), text.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
               [](char c, std::uint8_t byte) { return static_cast<std::uint8_t>(c) == byte; });
}

struct Jpeg {
    bool jfif = false;
    std::set<std::uint8_t> frames; // SOF0 is baseline, SOF2 progressive
    std::uint32_t width = 0, height = 0, components = 0;
};

// Walks the marker segments up to the first scan.
Jpeg readJpeg(const Bytes& b) {
    Jpeg jpeg;
    for (std::size_t i = 2; holds(b, 0, "\xFF\xD8") && i + 4 <= b.size() && b[i] == 0xFF;) {
        const std::uint8_t marker = b[i + 1];
        const std::size_t body = i + 4;
        if (marker == 0xDA) {
            break;
        }
        jpeg.jfif |= marker == 0xE0 && holds(b, body, std::string_view("JFIF\0", 5));
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            jpeg.frames.insert(marker);
            jpeg.height = be16(b, body + 1);
            jpeg.width = be16(b, body + 3);
            jpeg.components = b.at(body + 5);
        }
        i += 2 + be16(b, i + 2);
    }
    return jpeg;
}

struct Picture {
    const char* file;
    std::uint32_t width, height;
};

class PictureTest : public testing::TestWithParam<Picture> {};

TEST_P(PictureTest, IsABaselineJfifColourJpegOfItsSize) {
    const Picture& picture = GetParam();
    const Jpeg jpeg = readJpeg(readAsset(picture.file));
    EXPECT_TRUE(jpeg.jfif) << picture.file;
    EXPECT_EQ(jpeg.frames, std::set<std::uint8_t>{0xC0}) << picture.file << " is not baseline";
    EXPECT_EQ(jpeg.components, 3U) << picture.file;
    EXPECT_EQ(jpeg.width, picture.width) << picture.file;
    EXPECT_EQ(jpeg.height, picture.height) << picture.file;
}

// The beach picture is larger than the window shows; the window clips it.
INSTANTIATE_TEST_SUITE_P(
    Scenes, PictureTest,
    testing::Values(Picture{"pic_1_0.jpg", 421, 221}, Picture{"pic_1_0@2x.jpg", 842, 442},
                    Picture{"pic_2_0_2.jpg", 438, 230}, Picture{"pic_2_0_2@2x.jpg", 876, 460},
                    Picture{"pic_2_2.jpg", 421, 221}, Picture{"pic_2_2@2x.jpg", 842, 442},
                    Picture{"pic_4_0.jpg", 421, 221}, Picture{"pic_4_0@2x.jpg", 842, 442},
                    Picture{"pic_4_2.jpg", 421, 221}, Picture{"pic_4_2@2x.jpg", 842, 442},
                    Picture{"pic_4_4.jpg", 421, 221}, Picture{"pic_4_4@2x.jpg", 842, 442},
                    Picture{"pic_4_6.jpg", 421, 221}, Picture{"pic_4_6@2x.jpg", 842, 442}));

struct Image {
    const char* file;
    std::uint32_t width, height;
    bool transparent; // button bitmaps are drawn as stored, on the button face
};

class ImageTest : public testing::TestWithParam<Image> {};

TEST_P(ImageTest, IsAPngOfItsSizeAndTransparency) {
    const Image& image = GetParam();
    const Bytes png = readAsset(image.file);
    ASSERT_TRUE(holds(png, 0, "\x89PNG\r\n\x1a\n") && holds(png, 12, "IHDR")) << image.file;
    EXPECT_EQ(be32(png, 16), image.width) << image.file;
    EXPECT_EQ(be32(png, 20), image.height) << image.file;
    const std::uint8_t colourType = png.at(25);
    const bool alpha = colourType == 4 || colourType == 6;
    EXPECT_EQ(alpha, image.transparent) << image.file;
}

INSTANTIATE_TEST_SUITE_P(
    ButtonsAndIcons, ImageTest,
    testing::Values(Image{"abrir.png", 16, 15, false}, Image{"abrir@2x.png", 32, 30, false},
                    Image{"guardar.png", 16, 15, false}, Image{"guardar@2x.png", 32, 30, false},
                    Image{"nuevo.png", 24, 22, false}, Image{"nuevo@2x.png", 48, 44, false},
                    Image{"salir-32.png", 32, 32, true}, Image{"salir-32@2x.png", 64, 64, true},
                    Image{"salir-16.png", 16, 16, true}, Image{"salir-16@2x.png", 32, 32, true},
                    Image{"quivra-32.png", 32, 32, true}, Image{"quivra-32@2x.png", 64, 64, true},
                    Image{"quivra-16.png", 16, 16, true}, Image{"quivra-16@2x.png", 32, 32, true}));

TEST(IconFiles, HoldSixteenColourEntriesOfSixteenAndThirtyTwoPixels) {
    for (const char* file : {"quivra.ico", "salir.ico"}) {
        const Bytes ico = readAsset(file);
        ASSERT_TRUE(holds(ico, 0, std::string_view("\0\0\1\0", 4))) << file;
        std::set<std::uint32_t> sizes;
        for (std::size_t entry = 0; entry < le16(ico, 4); ++entry) {
            const std::size_t at = 6 + 16 * entry;
            EXPECT_EQ(ico.at(at), ico.at(at + 1)) << file << " has a non-square entry";
            EXPECT_EQ(le16(ico, at + 6), 4U) << file << ": sixteen colours";
            sizes.insert(ico.at(at));
        }
        EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 32})) << file;
    }
}

} // namespace
