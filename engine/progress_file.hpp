// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
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

} // namespace quivra
