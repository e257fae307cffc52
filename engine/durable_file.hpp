// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

// The two steps of a safe save that need the operating system: CMake builds the file for
// this platform, durable_file_posix.cpp or durable_file_windows.cpp.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace quivra::platform {

// Creates `path`, which must not exist yet (std::errc::file_exists if it does), writes
// `bytes` into it and waits until they are on the disk. On any other failure nothing is
// left at `path`.
std::error_code writeNewFile(const std::filesystem::path& path, std::string_view bytes);

// Empties the existing regular file at `path` and writes `bytes` into it, then waits until
// they are on the disk. Not atomic: kept for the file a folder will not let us write beside.
std::error_code overwriteFile(const std::filesystem::path& path, std::string_view bytes);

// Puts `from` in the place of `to` in one step, replacing the file there: after a crash
// `to` holds the old file or the new one.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace quivra::platform
