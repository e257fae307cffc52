// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <map>
#include <set>
#include <string>

// Files kept in memory: what the commands read and wrote, and what they could not.
class MemoryFiles : public quivra::Files {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;      // anything that is there but not a regular file
    std::set<std::string> refuseWrites; // paths whose writes fail

    quivra::PathKind whatIsAt(const std::string& path) override {
        using enum quivra::PathKind;
        return folders.contains(path) ? Other : files.contains(path) ? RegularFile : Nothing;
    }
    quivra::FileError read(const std::string& path, std::size_t limit,
                           std::string& bytes) override {
        if (!files.contains(path)) {
            return quivra::FileError::CannotRead;
        }
        bytes = files[path].substr(0, limit);
        return quivra::FileError::None;
    }
    quivra::FileError write(const std::string& path, std::string_view bytes) override {
        if (refuseWrites.contains(path) || folders.contains(path)) {
            return quivra::FileError::CannotWrite;
        }
        files[path] = bytes;
        return quivra::FileError::None;
    }
};
