// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "files.hpp"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quivra {

// What is at `path`, links followed, found without opening it: opening a pipe would wait.
// A path that cannot be looked at is Other.
PathKind whatIsAt(const std::filesystem::path& path);

// The first `limit` bytes of the regular file at `path` at most.
FileError readFile(const std::filesystem::path& path, std::size_t limit, std::string& bytes);

// Replaces the file at `path` (or the file a link there points to) in one step: it holds
// either its old or its new content. Where the folder lets no new file be made beside an
// existing one, that file is written in place. On failure an old file is left as it was.
FileError writeFile(const std::filesystem::path& path, std::string_view bytes);

// A path as the dialogs give it, in UTF-8, as the file system takes it.
std::filesystem::path pathFromUtf8(std::string_view utf8);

} // namespace quivra
