// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "disk_files.hpp"

#include "durable_file.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <system_error>

namespace quivra {
namespace fs = std::filesystem;

namespace {

// The file a save must replace: links are followed so that the link stays a link.
std::optional<fs::path> saveTarget(const fs::path& path) {
    constexpr int kMaxLinks = 40;
    fs::path target = path;
    std::error_code error;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, error)); ++links) {
        const fs::path pointee = fs::read_symlink(target, error);
        if (error || links == kMaxLinks) {
            return std::nullopt;
        }
        target = pointee.is_absolute() ? pointee : target.parent_path() / pointee;
    }
    if (error && error != std::errc::no_such_file_or_directory) {
        return std::nullopt;
    }
    if (!target.has_filename()) {
        return std::nullopt;
    }
    return target;
}

// A name in the folder of `target` that no file has yet, as far as one can tell; a clash
// costs another try. Kept short so that a long file name still leaves room for it.
fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    return target.parent_path() / (".quivra-" + std::to_string(tick % 1'000'000) + "-" +
                                   std::to_string(counter++) + ".tmp");
}

bool refusedByPermissions(std::error_code error) {
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

// Writes `bytes` beside `target` and puts them in its place.
FileError replaceAtomically(const fs::path& target, std::string_view bytes,
                            std::optional<fs::perms> oldPermissions) {
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path temporary = temporaryBeside(target);
        std::error_code error = platform::writeNewFile(temporary, bytes);
        if (error == std::errc::file_exists) {
            continue;
        }
        if (oldPermissions && refusedByPermissions(error)) {
            // A folder that lets the player write this file but not add one beside it (a
            // shared folder, a save prepared by someone else): write it in place instead.
            return platform::overwriteFile(target, bytes) ? FileError::CannotWrite
                                                          : FileError::None;
        }
        if (error) {
            return FileError::CannotWrite;
        }
        if (oldPermissions) {
            // Worth keeping, not worth failing the save for.
            fs::permissions(temporary, *oldPermissions, error);
        }
        if (platform::replaceFile(temporary, target)) {
            fs::remove(temporary, error);
            return FileError::CannotWrite;
        }
        return FileError::None;
    }
    return FileError::CannotWrite;
}

} // namespace

PathKind whatIsAt(const fs::path& path) {
    std::error_code error;
    switch (fs::status(path, error).type()) {
    case fs::file_type::not_found:
        return PathKind::Nothing;
    case fs::file_type::regular:
        return PathKind::RegularFile;
    default:
        return PathKind::Other;
    }
}

FileError readFile(const fs::path& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    // Only a regular file has an end: a device or a pipe could keep the reader waiting.
    switch (whatIsAt(path)) {
    case PathKind::Nothing:
        return FileError::CannotRead;
    case PathKind::Other:
        return FileError::NotAFile;
    case PathKind::RegularFile:
        break;
    }
    std::ifstream file(path, std::ios::binary);
    char chunk[1 << 14];
    while (file && bytes.size() < limit) {
        file.read(chunk,
                  static_cast<std::streamsize>(std::min(sizeof chunk, limit - bytes.size())));
        bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
    }
    return !file.is_open() || file.bad() ? FileError::CannotRead : FileError::None;
}

FileError writeFile(const fs::path& path, std::string_view bytes) {
    const std::optional<fs::path> target = saveTarget(path);
    if (!target) {
        return FileError::NotAFile;
    }
    std::error_code error;
    const fs::file_status old = fs::status(*target, error);
    if (error && old.type() != fs::file_type::not_found) {
        return FileError::CannotWrite;
    }
    if (!fs::exists(old)) {
        return replaceAtomically(*target, bytes, std::nullopt);
    }
    if (!fs::is_regular_file(old)) {
        return FileError::NotAFile;
    }
    // Checked here because an administrator's account may write a read-only file anyway.
    if ((old.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return FileError::ReadOnly;
    }
    return replaceAtomically(*target, bytes, old.permissions());
}

fs::path pathFromUtf8(std::string_view utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

PathKind DiskFiles::whatIsAt(const std::string& path) {
    return quivra::whatIsAt(pathFromUtf8(path));
}

FileError DiskFiles::read(const std::string& path, std::size_t limit, std::string& bytes) {
    return readFile(pathFromUtf8(path), limit, bytes);
}

FileError DiskFiles::write(const std::string& path, std::string_view bytes) {
    return writeFile(pathFromUtf8(path), bytes);
}

} // namespace quivra
