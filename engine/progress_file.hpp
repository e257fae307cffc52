#pragma once

#include "game_state.hpp"
#include "view.hpp"
#include "windows1252.hpp"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quivra {

// A saved position: the scene code and the narrative of the scene box, in UTF-8.
struct Progress {
    std::string strEstado;
    std::string strRelato;

    bool operator==(const Progress&) const = default;
};

// Fields that have not ended within this many bytes make the file a failure: a real
// progress file is a few kilobytes at most.
inline constexpr std::size_t kMaxProgressBytes = std::size_t{1} << 20;

// The file's bytes for `progress`: two quoted fields in Windows-1252, each followed by
// CR LF. Nothing inside a field is escaped.
std::string encodeProgress(const Progress& progress);

// Reads the scene code, then the narrative; whatever follows them is ignored. nullopt when
// the bytes end before both fields start, or when a field runs past kMaxProgressBytes.
// A field whose closing quote is missing takes the rest of the bytes.
std::optional<Progress> decodeProgress(std::string_view bytes);

// Replaces the file at `path` (or the file a link there points to) in one step: it holds
// either its old or its new content. Where the folder lets no new file be made beside it,
// an existing file is written in place. Returns false, leaving any old file as it was, when
// the file cannot be written, is read-only or is not a regular file.
bool writeProgress(const std::filesystem::path& path, const Progress& progress);

enum class PathKind { Nothing, RegularFile, Other };

// What is at `path`, links followed, found without opening it: opening a pipe would wait.
// A path that cannot be looked at is Other.
PathKind whatIsAt(const std::filesystem::path& path);

// All or nothing: nullopt when `path` is not a regular file or cannot be read as a
// progress file. Reads no more than kMaxProgressBytes + 1 bytes, whatever the file's size.
std::optional<Progress> readProgress(const std::filesystem::path& path);

// Shows the position just read: the scene's picture, or its narrative in the scene box.
void restoreDisplay(const GameState& state, View& view);

} // namespace quivra
