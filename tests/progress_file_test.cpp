#include "progress_file.hpp"
#include "recording_view.hpp"
#include "story.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
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

// A fresh folder per test, removed afterwards.
class ProgressFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::ranges::replace(name, '/', '-');
        dir = fs::temp_directory_path() /
              ("quivra-progress-" + name + "-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir / "partida.txt", fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }

    fs::path dir;
};

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

fs::path withBytes(const fs::path& dir, const std::string& bytes) {
    put(dir / "partida.txt", bytes);
    return dir / "partida.txt";
}

std::string bytesOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::set<fs::path> entries(const fs::path& dir) {
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename());
    }
    return names;
}

std::string joined(Passage passage) {
    std::string text;
    for (const std::string_view piece : passage) {
        text += piece;
    }
    return text;
}

// What the window does with "Abrir": nothing changes unless the whole file was read.
void loadInto(const fs::path& path, GameState& state, RecordingView& view) {
    if (const std::optional<Progress> progress = readProgress(path)) {
        state.strEstado = progress->strEstado;
        state.strRelato = progress->strRelato;
        restoreDisplay(state, view);
    }
}

TEST(CodePage, EveryByteSurvivesReadThenWrite) {
    std::string every;
    for (int byte = 0; byte < 256; ++byte) {
        every += static_cast<char>(byte);
    }
    EXPECT_EQ(toWindows1252(fromWindows1252(every)), every);
}

TEST(CodePage, BytesAndCharactersMatchBothWays) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"A", "A"},         {"\xE1", "á"},      {"\xF1", "ñ"},      {"\xBF", "¿"},
        {"\xFF", "ÿ"},      {"\xA0", "\u00A0"}, {"\x80", "€"},      {"\x85", "…"},
        {"\x8C", "Œ"},      {"\x93", "“"},      {"\x99", "™"},      {"\x9F", "Ÿ"},
        {"\x81", "\u0081"}, {"\x8D", "\u008D"}, {"\x8F", "\u008F"}, {"\x90", "\u0090"},
        {"\x9D", "\u009D"}, {"\r\n", "\r\n"},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(fromWindows1252(bytes), utf8);
        EXPECT_EQ(toWindows1252(utf8), bytes);
    }
}

TEST(CodePage, WhatItCannotHoldBecomesQuestionMarks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Ωmega", "?mega"}, {"😀!", "?!"},
        {"\u0080", "?"},    {"\u0101", "?"},
        {"a\xFFz", "a?z"},  {"\xC3", "?"},
        {"\xC0\x80", "??"}, {"\xED\xA0\x80", "???"},
        {"\xE2\x82", "??"}, {"\xF4\x90\x80\x80", "????"},
    };
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(toWindows1252(utf8), bytes) << utf8;
    }
}

TEST(EncodeProgress, WritesTwoQuotedLinesInTheCodePage) {
    EXPECT_EQ(encodeProgress({"_1_0", "Escenario 1\r\n"}), kStartUpSave);
    EXPECT_EQ(kStartUpSave.size(), 25U);
    EXPECT_EQ(encodeProgress({"_2_2", ""}), "\"_2_2\"\r\n\"\"\r\n");
    EXPECT_EQ(encodeProgress({"_2_0", "Sí, señor…"}), "\"_2_0\"\r\n\"S\xED, se\xF1or\x85\"\r\n");
}

template <typename Case>
std::string nameOf(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct Decoding {
    const char* name;
    std::string bytes;
    std::optional<Progress> read;
};

void PrintTo(const Decoding& c, std::ostream* out) {
    *out << c.name;
}

class DecodeProgressTest : public testing::TestWithParam<Decoding> {};

TEST_P(DecodeProgressTest, ReadsTheTwoFields) {
    EXPECT_EQ(decodeProgress(GetParam().bytes), GetParam().read);
}

const std::string kLong(kMaxProgressBytes, 'a');

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeProgressTest,
    testing::Values(
        Decoding{"StartUpNarrativeOnTwoLines", kStartUpSave, Progress{"_1_0", "Escenario 1\r\n"}},
        Decoding{"CommasAndAccents", "\"_3_0\"\r\n\"a, b y \xE1\"\r\n",
                 Progress{"_3_0", "a, b y á"}},
        Decoding{"EmptyNarrative", "\"_2_2\"\r\n\"\"\r\n", Progress{"_2_2", ""}},
        Decoding{"UnknownScene", "\"_9_9\"\r\n\"x\"\r\n", Progress{"_9_9", "x"}},
        Decoding{"TwoFieldsOnOneLine", "\"_2_1\",\"texto\"\r\n", Progress{"_2_1", "texto"}},
        Decoding{"UnquotedFields", "_3_0\r\ntexto, m\xE1s\r\n", Progress{"_3_0", "texto"}},
        Decoding{"EmptyUnquotedNarrative", "\"_3_0\",,\r\n", Progress{"_3_0", ""}},
        Decoding{"BlanksBeforeFields", "\r\n  \"_3_0\"\r\n\r\n \"x\"", Progress{"_3_0", "x"}},
        Decoding{"LineFeedsOnly", "\"_3_0\"\n\"x\"\n", Progress{"_3_0", "x"}},
        Decoding{"NoLastLineEnd", "\"_3_0\"\r\n\"x\"", Progress{"_3_0", "x"}},
        Decoding{"TextAfterClosingQuoteSkipped", "\"_3_0\" sobra\r\n\"x\"sobra,\"y\"",
                 Progress{"_3_0", "x"}},
        Decoding{"QuoteAfterSkippedTextIgnored", "\"_3_0\" \"z\"\r\n\"x\"\r\n",
                 Progress{"_3_0", "x"}},
        Decoding{"LinesAfterTheFieldsIgnored", "\"_3_0\"\r\n\"x\"\r\n\"y\"\r\n",
                 Progress{"_3_0", "x"}},
        Decoding{"NarrativeMissingItsQuoteKeepsTheRest", "\"_1_0\"\r\n\"Escenario 1\r\n",
                 Progress{"_1_0", "Escenario 1\r\n"}},
        Decoding{"SceneMissingItsQuote", "\"_1_0\r\n\"x\"\r\n", std::nullopt},
        Decoding{"Empty", "", std::nullopt}, Decoding{"OnlyBlanks", " \r\n \r\n", std::nullopt},
        Decoding{"OneLine", "\"_1_0\"\r\n", std::nullopt},
        Decoding{"NarrativeEndsAtTheLimit", "\"_1_0\"\r\n\"" + kLong.substr(10) + "\"\r\n",
                 Progress{"_1_0", kLong.substr(10)}},
        Decoding{"NarrativeEndsPastTheLimit", "\"_1_0\"\r\n\"" + kLong.substr(9) + "\"\r\n",
                 std::nullopt},
        Decoding{"UnquotedNarrativeEndsWithFileAtTheLimit", "_1_0\r\n" + kLong.substr(6),
                 Progress{"_1_0", kLong.substr(6)}},
        Decoding{"UnquotedNarrativeRunsPastTheLimit", "_1_0\r\n" + kLong.substr(5), std::nullopt},
        Decoding{"UnclosedNarrativePastTheLimit", "\"_1_0\"\r\n\"" + kLong, std::nullopt},
        Decoding{"LongTailAfterTheFields", kStartUpSave + kLong + kLong,
                 Progress{"_1_0", "Escenario 1\r\n"}}),
    nameOf<Decoding>);

TEST_F(ProgressFileTest, WritesTheStartUpSaveByteForByte) {
    const fs::path file = dir / "partida.txt";
    ASSERT_TRUE(writeProgress(file, {"_1_0", "Escenario 1\r\n"}));
    EXPECT_EQ(bytesOf(file), kStartUpSave);
    ASSERT_TRUE(writeProgress(file, {"_2_2", ""}));
    EXPECT_EQ(bytesOf(file), "\"_2_2\"\r\n\"\"\r\n") << "an old longer save leaves nothing behind";
    EXPECT_EQ(entries(dir), std::set<fs::path>{"partida.txt"});
}

TEST_F(ProgressFileTest, EveryPositionOfTheStoryReadsBackAsWritten) {
    std::vector<Progress> positions = {{"_1_0", "Escenario 1\r\n"}, {"_9_9", "?"}};
    for (const Row& row : storyTable()) {
        positions.push_back({std::string{row.scene}, joined(row.narrative)});
        positions.push_back({std::string{row.next}, joined(row.narrative)});
    }
    const fs::path file = dir / "partida.txt";
    for (const Progress& position : positions) {
        SCOPED_TRACE(position.strEstado);
        ASSERT_TRUE(writeProgress(file, position));
        EXPECT_EQ(bytesOf(file), encodeProgress(position));
        EXPECT_EQ(readProgress(file), position);
    }
}

TEST_F(ProgressFileTest, UnusualFileNamesWork) {
    fs::create_directory(dir / fs::path(u8"Partidas de Iñaki"));
    for (const fs::path& file : {dir / fs::path(u8"Partidas de Iñaki/Ñandú en el mar, canción.txt"),
                                 dir / (std::string(250, 'x') + ".txt")}) {
        ASSERT_TRUE(writeProgress(file, {"_3_0", "¿Sí?"})) << file;
        EXPECT_EQ(readProgress(file), (Progress{"_3_0", "¿Sí?"}));
    }
}

// A file or folder made in the test's folder; an empty path means "not on this system".
struct Prepared {
    const char* name;
    std::function<fs::path(const fs::path& dir)> make;
};

void PrintTo(const Prepared& c, std::ostream* out) {
    *out << c.name;
}

class BrokenFileTest : public ProgressFileTest, public testing::WithParamInterface<Prepared> {};

// Opening a file that is not a whole progress file changes nothing, and gives up quickly.
TEST_P(BrokenFileTest, LoadingItChangesNothing) {
    const fs::path path = GetParam().make(dir);
    if (path.empty()) {
        GTEST_SKIP() << "not on this system";
    }
    GameState state{"_3_1", "acampar", "Relato"};
    RecordingView view;
    view.sceneText = "Relato";
    view.sceneTextVisible = true;
    const GameState stateBefore = state;
    const RecordingView viewBefore = view;

    const auto start = std::chrono::steady_clock::now();
    loadInto(path, state, view);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    EXPECT_EQ(state.strEstado, stateBefore.strEstado);
    EXPECT_EQ(state.strRelato, stateBefore.strRelato);
    EXPECT_TRUE(view == viewBefore);
    EXPECT_EQ(view.changes, 0U);
}

fs::path existingOnly(const fs::path& path) {
    return fs::exists(path) ? path : fs::path{};
}

fs::path fifoIn([[maybe_unused]] const fs::path& dir) {
#ifdef _WIN32
    return {};
#else
    const fs::path path = dir / "tuberia";
    return ::mkfifo(path.c_str(), 0600) == 0 ? path : fs::path{};
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFileTest,
    testing::Values(
        Prepared{"Empty", [](const fs::path& d) { return withBytes(d, ""); }},
        Prepared{"OneLine", [](const fs::path& d) { return withBytes(d, "\"_2_1\"\r\n"); }},
        Prepared{"Missing", [](const fs::path& d) { return d / "no-existe.txt"; }},
        Prepared{"Directory", [](const fs::path& d) { return d; }},
        Prepared{
            "JustOverTheLimit",
            [](const fs::path& d) { return withBytes(d, "\"_1_0\"\r\n\"" + kLong + "\"\r\n"); }},
        Prepared{"SparseFourGigabytes",
                 [](const fs::path& d) {
                     const fs::path path = withBytes(d, "");
                     fs::resize_file(path, std::uintmax_t{4} << 30);
                     return path;
                 }},
        Prepared{"DevZero", [](const fs::path&) { return existingOnly("/dev/zero"); }},
        Prepared{"DevUrandom", [](const fs::path&) { return existingOnly("/dev/urandom"); }},
        Prepared{"Fifo", fifoIn}),
    nameOf<Prepared>);

class RefusedSaveTest : public ProgressFileTest, public testing::WithParamInterface<Prepared> {};

TEST_P(RefusedSaveTest, KeepsTheOldFileAndLeavesNoTemporary) {
    put(dir / "vieja.txt", kStartUpSave);
    const fs::path path = GetParam().make(dir);
    const std::set<fs::path> before = entries(dir);

    EXPECT_FALSE(writeProgress(path, {"_3_0", "Nuevo"}));

    EXPECT_EQ(entries(dir), before);
    EXPECT_EQ(bytesOf(dir / "vieja.txt"), kStartUpSave);
    if (fs::is_regular_file(path)) {
        EXPECT_EQ(bytesOf(path), "\"_2_1\"\r\n\"Viejo\"\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedSaveTest,
    testing::Values(
        Prepared{"ReadOnlyFile",
                 [](const fs::path& d) {
                     const fs::path path = withBytes(d, "\"_2_1\"\r\n\"Viejo\"\r\n");
                     fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
                     return path;
                 }},
        Prepared{"Directory",
                 [](const fs::path& d) {
                     fs::create_directory(d / "carpeta");
                     return d / "carpeta";
                 }},
        Prepared{"MissingFolder", [](const fs::path& d) { return d / "falta" / "p.txt"; }},
        Prepared{"FolderAsFile", [](const fs::path& d) { return d / "vieja.txt" / "p.txt"; }},
        Prepared{"NoFileName", [](const fs::path& d) { return d / ""; }}),
    nameOf<Prepared>);

TEST_F(ProgressFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
    const fs::path real = withBytes(dir, kStartUpSave);
    const fs::path link = dir / "enlace.txt";
    try {
        fs::create_symlink("partida.txt", link);
    } catch (const fs::filesystem_error&) {
        GTEST_SKIP() << "links need privileges here";
    }
    ASSERT_TRUE(writeProgress(link, {"_3_0", "x"}));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(bytesOf(real), encodeProgress({"_3_0", "x"}));
    EXPECT_EQ(entries(dir), (std::set<fs::path>{"partida.txt", "enlace.txt"}));
}

TEST_F(ProgressFileTest, SavingKeepsThePermissionBits) {
    const fs::path file = withBytes(dir, kStartUpSave);
    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, shared);
    if (fs::status(file).permissions() != shared) {
        GTEST_SKIP() << "this file system keeps no such bits";
    }
    ASSERT_TRUE(writeProgress(file, {"_3_0", "x"}));
    EXPECT_EQ(fs::status(file).permissions(), shared);
}

TEST(RestoreDisplay, PictureScenesShowTheirPictureOnly) {
    const std::vector<std::pair<std::string, Picture>> scenes = {
        {"_1_0", Picture::pic_1_0},    {"_2_2", Picture::pic_2_2}, {"_4_0", Picture::pic_4_0},
        {"_4_2", Picture::pic_4_2},    {"_4_4", Picture::pic_4_4}, {"_4_6", Picture::pic_4_6},
        {"_2_0_2", Picture::pic_2_0_2}};
    for (const auto& [scene, shown] : scenes) {
        SCOPED_TRACE(scene);
        RecordingView view;
        view.pictures.fill(true); // so a picture touched by mistake shows up as hidden
        view.sceneTextVisible = true;
        restoreDisplay(GameState{scene, "", "Relato guardado"}, view);

        EXPECT_FALSE(view.sceneTextVisible);
        EXPECT_EQ(view.sceneText, "Escenario 1\r\n");
        for (const Picture picture : kAllPictures) {
            EXPECT_EQ(view.shows(picture), picture == shown || picture != Picture::pic_1_0);
        }
    }
}

TEST(RestoreDisplay, OtherScenesShowTheirNarrative) {
    for (const std::string scene : {"_3_0", "_4_7", "_2_0_1", "_9_9"}) {
        SCOPED_TRACE(scene);
        RecordingView view;
        restoreDisplay(GameState{scene, "", "Relato guardado"}, view);

        EXPECT_TRUE(view.sceneTextVisible);
        EXPECT_EQ(view.sceneText, "Relato guardado");
        EXPECT_EQ(view.picturesShown(), 0U);
    }
}

} // namespace
