// Checks the rendered artwork the game embeds: the window lays pictures out by
// their exact pixel size, older JPEG decoders choke on progressive files, and
// the Windows icon loader needs well-formed 16 and 32 pixel entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#ifndef QUIVRA_ASSETS_DIR
#error "QUIVRA_ASSETS_DIR must name the directory holding the rendered artwork"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAsset(const std::string& name)
{
    const auto path = std::filesystem::path(QUIVRA_ASSETS_DIR) / name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t be16(const Bytes& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }
std::uint32_t be32(const Bytes& b, std::size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }
std::uint32_t le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t le32(const Bytes& b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

bool startsWith(const Bytes& b, std::size_t at, std::string_view s)
{
    return b.size() >= at + s.size()
        && std::equal(s.begin(), s.end(), b.begin() + at,
                      [](char want, std::uint8_t got) { return static_cast<std::uint8_t>(want) == got; });
}

std::string testName(std::string file)
{
    std::replace_if(file.begin(), file.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return file;
}

// ---- JPEG -------------------------------------------------------------------

struct JpegInfo {
    bool reachedScan = false;
    bool jfif = false;
    int baselineFrames = 0;    // SOF0
    int progressiveFrames = 0; // SOF2
    int otherFrames = 0;       // extended, lossless, arithmetic...
    std::uint32_t width = 0, height = 0, components = 0;
    int lumaTableSum = -1;
};

// Walks the marker segments up to the first scan.
JpegInfo scanJpeg(const Bytes& b)
{
    JpegInfo info;
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return info;
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (b[i] != 0xFF)
            return info;
        const std::uint8_t marker = b[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const std::size_t length = be16(b, i + 2);
        if (length < 2 || i + 2 + length > b.size())
            return info;
        const std::size_t body = i + 4, end = i + 2 + length;
        if (marker == 0xDA) {
            info.reachedScan = true;
            return info;
        }
        if (marker == 0xE0 && startsWith(b, body, std::string_view("JFIF\0", 5)))
            info.jfif = true;
        if (marker == 0xDB) {
            for (std::size_t t = body; t < end;) {
                const bool wide = b[t] >> 4, luma = (b[t] & 0x0F) == 0;
                const std::size_t next = t + 1 + 64 * (wide ? 2 : 1);
                if (next > end)
                    return info;
                if (luma) {
                    info.lumaTableSum = 0;
                    for (int k = 0; k < 64; ++k)
                        info.lumaTableSum += wide ? static_cast<int>(be16(b, t + 1 + 2 * k)) : b[t + 1 + k];
                }
                t = next;
            }
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 8) {
            if (marker == 0xC0)
                ++info.baselineFrames;
            else if (marker == 0xC2)
                ++info.progressiveFrames;
            else
                ++info.otherFrames;
            info.height = be16(b, body + 1);
            info.width = be16(b, body + 3);
            info.components = b[body + 5];
        }
        i = end;
    }
    return info;
}

// libjpeg scales the standard luminance table by quality; coarser steps (a
// larger sum) than at quality 90 mean the picture was saved below it.
int lumaTableSumAtQuality90()
{
    constexpr std::array<int, 64> standard = {
        16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
        14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
        18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    int sum = 0;
    for (int v : standard)
        sum += std::clamp((v * 20 + 50) / 100, 1, 255);
    return sum;
}

struct PictureCase {
    std::string file;
    std::uint32_t width, height;
};

// Names the file when a case fails, instead of dumping its bytes.
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.file; }

class Picture : public testing::TestWithParam<PictureCase> {};

TEST_P(Picture, IsABaselineJfifColourJpegOfTheLaidOutSize)
{
    const auto& c = GetParam();
    const Bytes data = readAsset(c.file);
    ASSERT_FALSE(data.empty()) << c.file << " is missing or empty";
    const JpegInfo info = scanJpeg(data);
    ASSERT_TRUE(info.reachedScan) << c.file << " is not a well-formed JPEG";
    EXPECT_TRUE(info.jfif) << c.file << " has no JFIF APP0 segment";
    EXPECT_EQ(info.baselineFrames, 1) << c.file << " needs exactly one SOF0 frame";
    EXPECT_EQ(info.progressiveFrames, 0) << c.file << " is progressive";
    EXPECT_EQ(info.otherFrames, 0) << c.file << " uses a non-baseline coding";
    EXPECT_EQ(info.components, 3u) << c.file << " is not 24-bit colour";
    EXPECT_EQ(info.width, c.width) << c.file;
    EXPECT_EQ(info.height, c.height) << c.file;
    ASSERT_GE(info.lumaTableSum, 0) << c.file << " has no luminance quantisation table";
    EXPECT_LE(info.lumaTableSum, lumaTableSumAtQuality90()) << c.file << " was saved below quality 90";
}

// The beach picture is larger than the window shows; the window crops it.
INSTANTIATE_TEST_SUITE_P(Scenes, Picture,
    testing::Values(
        PictureCase{"pic_1_0.jpg", 421, 221}, PictureCase{"pic_1_0@2x.jpg", 842, 442},
        PictureCase{"pic_2_0_2.jpg", 438, 230}, PictureCase{"pic_2_0_2@2x.jpg", 876, 460},
        PictureCase{"pic_2_2.jpg", 421, 221}, PictureCase{"pic_2_2@2x.jpg", 842, 442},
        PictureCase{"pic_4_0.jpg", 421, 221}, PictureCase{"pic_4_0@2x.jpg", 842, 442},
        PictureCase{"pic_4_2.jpg", 421, 221}, PictureCase{"pic_4_2@2x.jpg", 842, 442},
        PictureCase{"pic_4_4.jpg", 421, 221}, PictureCase{"pic_4_4@2x.jpg", 842, 442},
        PictureCase{"pic_4_6.jpg", 421, 221}, PictureCase{"pic_4_6@2x.jpg", 842, 442}),
    [](const auto& info) { return testName(info.param.file); });

// ---- PNG --------------------------------------------------------------------

struct PngInfo {
    bool valid = false;
    std::uint32_t width = 0, height = 0;
    int colourType = -1;
    bool transparencyChunk = false;
};

PngInfo scanPng(const Bytes& b)
{
    PngInfo info;
    if (!startsWith(b, 0, "\x89PNG\r\n\x1a\n") || !startsWith(b, 12, "IHDR") || b.size() < 33)
        return info;
    info.width = be32(b, 16);
    info.height = be32(b, 20);
    info.colourType = b[25];
    for (std::size_t i = 8; i + 12 <= b.size();) {
        const std::size_t length = be32(b, i);
        if (i + 12 + length > b.size())
            return info;
        if (startsWith(b, i + 4, "tRNS"))
            info.transparencyChunk = true;
        if (startsWith(b, i + 4, "IEND")) {
            info.valid = true;
            return info;
        }
        i += 12 + length;
    }
    return info;
}

struct ImageCase {
    std::string file;
    std::uint32_t width, height;
    bool transparent;
};

// Names the file when a case fails, instead of dumping its bytes.
void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.file; }

class Image : public testing::TestWithParam<ImageCase> {};

TEST_P(Image, HasTheButtonOrIconSizeAndTheRightTransparency)
{
    const auto& c = GetParam();
    const Bytes data = readAsset(c.file);
    ASSERT_FALSE(data.empty()) << c.file << " is missing or empty";
    const PngInfo info = scanPng(data);
    ASSERT_TRUE(info.valid) << c.file << " is not a well-formed PNG";
    EXPECT_EQ(info.width, c.width) << c.file;
    EXPECT_EQ(info.height, c.height) << c.file;
    const bool transparent = info.colourType == 4 || info.colourType == 6 || info.transparencyChunk;
    EXPECT_EQ(transparent, c.transparent)
        << c.file << (c.transparent ? " must keep its transparent background" : " is drawn on the button face and must be opaque");
}

INSTANTIATE_TEST_SUITE_P(Buttons, Image,
    testing::Values(
        ImageCase{"abrir.png", 16, 15, false}, ImageCase{"abrir@2x.png", 32, 30, false},
        ImageCase{"guardar.png", 16, 15, false}, ImageCase{"guardar@2x.png", 32, 30, false},
        ImageCase{"nuevo.png", 24, 22, false}, ImageCase{"nuevo@2x.png", 48, 44, false},
        ImageCase{"salir-32.png", 32, 32, true}, ImageCase{"salir-32@2x.png", 64, 64, true},
        ImageCase{"salir-16.png", 16, 16, true}, ImageCase{"salir-16@2x.png", 32, 32, true}),
    [](const auto& info) { return testName(info.param.file); });

INSTANTIATE_TEST_SUITE_P(WindowIcon, Image,
    testing::Values(
        ImageCase{"quivra-32.png", 32, 32, true}, ImageCase{"quivra-32@2x.png", 64, 64, true},
        ImageCase{"quivra-16.png", 16, 16, true}, ImageCase{"quivra-16@2x.png", 32, 32, true}),
    [](const auto& info) { return testName(info.param.file); });

// ---- ICO --------------------------------------------------------------------

struct IcoEntry {
    int width = 0, height = 0, bitCount = 0;
    bool dataInFile = false;
    bool png = false;
    int dataWidth = 0, dataHeight = 0, dataBitCount = 0;
};

struct IcoInfo {
    bool valid = false;
    std::vector<IcoEntry> entries;
};

IcoInfo scanIco(const Bytes& b)
{
    IcoInfo info;
    if (b.size() < 6 || le16(b, 0) != 0 || le16(b, 2) != 1)
        return info;
    const std::size_t count = le16(b, 4);
    if (b.size() < 6 + 16 * count)
        return info;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t dir = 6 + 16 * k;
        IcoEntry e;
        e.width = b[dir] == 0 ? 256 : b[dir];
        e.height = b[dir + 1] == 0 ? 256 : b[dir + 1];
        e.bitCount = static_cast<int>(le16(b, dir + 6));
        const std::size_t size = le32(b, dir + 8), offset = le32(b, dir + 12);
        e.dataInFile = size >= 40 && offset >= 6 + 16 * count && offset + size <= b.size();
        if (e.dataInFile) {
            if (startsWith(b, offset, "\x89PNG\r\n\x1a\n")) {
                e.png = true;
                e.dataWidth = static_cast<int>(be32(b, offset + 16));
                e.dataHeight = static_cast<int>(be32(b, offset + 20));
            } else if (le32(b, offset) == 40) {
                // A BMP entry stores the colour image and its mask stacked, so twice the height.
                e.dataWidth = static_cast<int>(le32(b, offset + 4));
                e.dataHeight = static_cast<int>(le32(b, offset + 8)) / 2;
                e.dataBitCount = static_cast<int>(le16(b, offset + 14));
            }
        }
        info.entries.push_back(e);
    }
    info.valid = true;
    return info;
}

struct IconCase {
    std::string file;
    int bitCount; // 4: sixteen colours, readable by every icon loader
};

// Names the file when a case fails, instead of dumping its bytes.
void PrintTo(const IconCase& c, std::ostream* os) { *os << c.file; }

class Icon : public testing::TestWithParam<IconCase> {};

TEST_P(Icon, HoldsSixteenAndThirtyTwoPixelEntries)
{
    const auto& c = GetParam();
    const Bytes data = readAsset(c.file);
    ASSERT_FALSE(data.empty()) << c.file << " is missing or empty";
    const IcoInfo info = scanIco(data);
    ASSERT_TRUE(info.valid) << c.file << " is not an icon file";
    ASSERT_EQ(info.entries.size(), 2u) << c.file;

    std::set<int> sizes;
    for (const IcoEntry& e : info.entries) {
        SCOPED_TRACE(c.file + " entry " + std::to_string(e.width) + "x" + std::to_string(e.height));
        sizes.insert(e.width);
        EXPECT_EQ(e.width, e.height);
        ASSERT_TRUE(e.dataInFile) << "image data lies outside the file";
        EXPECT_EQ(e.dataWidth, e.width);
        EXPECT_EQ(e.dataHeight, e.height);
        if (!e.png) {
            EXPECT_EQ(e.dataBitCount, e.bitCount) << "directory and bitmap disagree on the depth";
            EXPECT_EQ(e.dataBitCount, c.bitCount);
        }
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32})) << c.file;
}

INSTANTIATE_TEST_SUITE_P(Icons, Icon,
    testing::Values(IconCase{"quivra.ico", 4}, IconCase{"salir.ico", 4}),
    [](const auto& info) { return testName(info.param.file); });

TEST(ScalableIcon, IsAnSvgWithAViewBox)
{
    const Bytes data = readAsset("quivra.svg");
    ASSERT_FALSE(data.empty()) << "quivra.svg is missing or empty";
    const std::string text(data.begin(), data.end());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("viewBox=\"0 0 32 32\""), std::string::npos) << "the icon is drawn on a 32 unit square";
}

} // namespace
