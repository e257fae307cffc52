// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "disk_files.hpp"
#include "progress_file.hpp"
#include "story.hpp"
#include "windows1252.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace quivra;
namespace fs = std::filesystem;

namespace {

const std::string kStartUpSave = "\"_1_0\"\r\n\"Escenario 1\r\n\"\r\n";

// Every byte survives a read then a write.
TEST(CodePage, BytesAndCharactersMatchAndTheRestBecomesQuestionMarks) {
    std::string every(256, '\0');
    std::iota(every.begin(), every.end(), '\0');
    EXPECT_EQ(toWindows1252(fromWindows1252(every)), every);
    const std::pair<std::string, std::string> bothWays[] = {
        {"A\r\n\xA0\xE1\xF1\xBF\xFF", "A\r\n\u00A0áñ¿ÿ"},
        {"\x80\x85\x8C\x93\x99\x9F", "€…Œ“™Ÿ"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"}};
    for (const auto& [bytes, utf8] : bothWays) {
        EXPECT_EQ(std::pair(fromWindows1252(bytes), toWindows1252(utf8)), std::pair(utf8, bytes));
    }
    const std::pair<std::string, std::string> unmappable[] = {
        {"Ωmega", "?mega"},      {"😀!", "?!"},
        {"\u0080\u0101", "??"},  {"a\xFFz", "a?z"},
        {"\xC3", "?"},           {"\xC0\x80", "??"},
        {"\xED\xA0\x80", "???"}, {"\xF4\x90\x80\x80", "????"}};
    for (const auto& [utf8, bytes] : unmappable) {
        EXPECT_EQ(toWindows1252(utf8), bytes) << utf8;
    }
}

// Two quoted lines in the code page are written, and read forgivingly.
TEST(ProgressFormat, WritesTwoQuotedLinesAndReadsThemForgivingly) {
    EXPECT_EQ(encodeProgress({"_1_0", "Escenario 1\r\n"}), kStartUpSave);
    EXPECT_EQ(encodeProgress({"_2_2", ""}), "\"_2_2\"\r\n\"\"\r\n");
    EXPECT_EQ(encodeProgress({"_2_0", "Sí, señor…"}), "\"_2_0\"\r\n\"S\xED, se\xF1or\x85\"\r\n");
    const std::string kLong(kMaxProgressBytes, 'a');
    const std::pair<std::string, std::optional<Progress>> cases[] = {
        {"\"_3_0\"\r\n\"a, b y \xE1\"\r\n", Progress{"_3_0", "a, b y á"}},
        {"\"_2_1\",\"texto\"\r\n", Progress{"_2_1", "texto"}},
        {"_3_0\r\ntexto, m\xE1s\r\n", Progress{"_3_0", "texto"}},
        {"\"_3_0\",,\r\n", Progress{"_3_0", ""}},
        {"\r\n  \"_3_0\"\r\n\r\n \"x\"", Progress{"_3_0", "x"}},
        {"\"_3_0\"\n\"x\"\n", Progress{"_3_0", "x"}},
        {"\"_3_0\" sobra\r\n\"x\"sobra,\"y\"", Progress{"_3_0", "x"}},
        {"\"_3_0\" \"z\"\r\n\"x\"\r\n\"y\"\r\n", Progress{"_3_0", "x"}},
        {"\"_1_0\"\r\n\"Escenario 1\r\n", Progress{"_1_0", "Escenario 1\r\n"}},
        {"\"_1_0\r\n\"x\"\r\n", std::nullopt},
        {"", std::nullopt},
        {" \r\n \r\n", std::nullopt},
        {"\"_1_0\"\r\n", std::nullopt},
        {"\"_1_0\"\r\n\"" + kLong.substr(10) + "\"\r\n", Progress{"_1_0", kLong.substr(10)}},
        {"\"_1_0\"\r\n\"" + kLong.substr(9) + "\"\r\n", std::nullopt},
        {"_1_0\r\n" + kLong.substr(6), Progress{"_1_0", kLong.substr(6)}},
        {"_1_0\r\n" + kLong.substr(5), std::nullopt},
        {"\"_1_0\"\r\n\"" + kLong, std::nullopt},
        {kStartUpSave + kLong + kLong, Progress{"_1_0", "Escenario 1\r\n"}},
    };
    for (const auto& [bytes, read] : cases) {
        EXPECT_EQ(decodeProgress(bytes), read) << bytes.substr(0, 40);
    }
}

// A fresh folder per test, removed afterwards.
class DiskTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path put(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }
    std::set<fs::path> entries() const { return {fs::directory_iterator(dir), {}}; }
    static std::string bytesOf(const fs::path& path) {
        std::string bytes;
        return readFile(path, kMaxProgressBytes, bytes) == FileError::None ? bytes : "<unread>";
    }

    fs::path dir = fs::temp_directory_path() / ("quivra-" + std::to_string(std::random_device{}()));
};

// Every position the story can reach, under a name with letters of the code page and under
// a long one, is written byte for byte and reads back the same.
TEST_F(DiskTest, EveryPositionReadsBackAsWritten) {
    std::vector<Progress> positions = {{"_1_0", "Escenario 1\r\n"}, {"_9_9", "¿Sí?"}};
    for (const Row& row : storyTable()) {
        positions.push_back({std::string{row.next}, {}});
        std::ranges::for_each(row.narrative,
                              [&](auto piece) { positions.back().strRelato += piece; });
    }
    fs::create_directory(dir / pathFromUtf8("Partidas de Iñaki"));
    const fs::path names[] = {dir / pathFromUtf8("Partidas de Iñaki/Ñandú en el mar, canción.txt"),
                              dir / (std::string(250, 'x') + ".txt")};
    for (const fs::path& file : names) {
        for (const Progress& position : positions) {
            ASSERT_EQ(writeFile(file, encodeProgress(position)), FileError::None) << file;
            EXPECT_EQ(bytesOf(file), encodeProgress(position));
            EXPECT_EQ(decodeProgress(bytesOf(file)), position);
        }
    }
    EXPECT_EQ(entries().size(), 2U) << "no temporary left behind";
}

// Whatever is at the path, the reader answers at once with its reason and reads no more than
// it was asked to.
TEST_F(DiskTest, ReadingSaysWhyItFailed) {
    const fs::path sparse = put("grande.txt", "");
    fs::resize_file(sparse, std::uintmax_t{4} << 30);
    std::string bytes;
    EXPECT_EQ(readFile(sparse, 100, bytes), FileError::None);
    EXPECT_EQ(bytes.size(), 100U);

    std::vector<std::pair<fs::path, FileError>> cases = {
        {dir / "no-existe.txt", FileError::CannotRead}, {dir, FileError::NotAFile}};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "tuberia").c_str(), 0600), 0);
    cases.insert(cases.end(),
                 {{dir / "tuberia", FileError::NotAFile}, {"/dev/zero", FileError::NotAFile}});
#endif
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(readFile(path, kMaxProgressBytes + 1, bytes), reason) << path;
        EXPECT_EQ(whatIsAt(path),
                  reason == FileError::CannotRead ? PathKind::Nothing : PathKind::Other);
    }
    EXPECT_EQ(whatIsAt(sparse), PathKind::RegularFile);
}

// A refused save says why, leaves the old files as they were and no temporary behind.
TEST_F(DiskTest, SavesKeepLinksAndBitsAndRefusedOnesKeepTheOldFile) {
    const fs::path readOnly = put("protegida.txt", kStartUpSave);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const std::set<fs::path> before = entries();
    const std::pair<fs::path, FileError> cases[] = {
        {readOnly, FileError::ReadOnly},
        {dir, FileError::NotAFile},
        {dir / "", FileError::NotAFile},
        {dir / "falta" / "p.txt", FileError::CannotWrite}};
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(writeFile(path, "nuevo"), reason) << path;
        EXPECT_EQ(entries(), before) << path;
        EXPECT_EQ(bytesOf(readOnly), kStartUpSave);
    }
    fs::permissions(readOnly, fs::perms::owner_all); // else Windows cannot remove it

    // A save that goes through keeps links and permission bits.
    const fs::path real = put("partida.txt", kStartUpSave);
    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, shared);
    const bool keepsBits = fs::status(real).permissions() == shared; // not on Windows
    std::error_code noLinks;
    fs::create_symlink("partida.txt", dir / "enlace.txt", noLinks);
    const fs::path target = noLinks ? real : dir / "enlace.txt"; // links need privileges on Windows

    ASSERT_EQ(writeFile(target, "nuevo"), FileError::None);
    EXPECT_EQ(bytesOf(real), "nuevo");
    EXPECT_EQ(fs::is_symlink(dir / "enlace.txt"), !noLinks);
    EXPECT_TRUE(!keepsBits || fs::status(real).permissions() == shared);
}

} // namespace
