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
        if (folders.contains(path)) {
            return quivra::PathKind::Other;
        }
        return files.contains(path) ? quivra::PathKind::RegularFile : quivra::PathKind::Nothing;
    }
    quivra::FileError read(const std::string& path, std::size_t limit,
                           std::string& bytes) override {
        const auto file = files.find(path);
        if (file == files.end()) {
            return quivra::FileError::CannotRead;
        }
        bytes = file->second.substr(0, limit);
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
