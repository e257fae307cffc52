// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quivra {

enum class PathKind { Nothing, RegularFile, Other };

// Why reading or writing a progress file failed.
enum class FileError {
    None,
    NotAFile,    // a folder, a pipe, a device, or a path that cannot be looked at
    CannotRead,  // missing, unreadable, or it failed while being read
    ReadOnly,    // an existing file the player may not change
    CannotWrite, // the folder or the disk refused the new bytes
};

// Progress files, by the paths the dialogs give, in UTF-8.
class Files {
public:
    virtual ~Files() = default;

    virtual PathKind whatIsAt(const std::string& path) = 0;
    // The first `limit` bytes of the file at most.
    virtual FileError read(const std::string& path, std::size_t limit, std::string& bytes) = 0;
    // All of `bytes` in place of the file's content, or, on failure, the old file untouched.
    virtual FileError write(const std::string& path, std::string_view bytes) = 0;
};

// The files of this computer's disk.
class DiskFiles : public Files {
public:
    PathKind whatIsAt(const std::string& path) override;
    FileError read(const std::string& path, std::size_t limit, std::string& bytes) override;
    FileError write(const std::string& path, std::string_view bytes) override;
};

} // namespace quivra
