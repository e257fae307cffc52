// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "durable_file.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace quivra::platform {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::error_code writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        if (written == 0) {
            return std::make_error_code(std::errc::io_error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code writeAndClose(int fd, std::string_view bytes) {
    std::error_code error = writeAll(fd, bytes);
    if (!error && ::fsync(fd) != 0) {
        error = lastError();
    }
    if (::close(fd) != 0 && !error) {
        error = lastError();
    }
    return error;
}

} // namespace

std::error_code writeNewFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return lastError();
    }
    const std::error_code error = writeAndClose(fd, bytes);
    if (error) {
        ::unlink(path.c_str());
    }
    return error;
}

std::error_code overwriteFile(const std::filesystem::path& path, std::string_view bytes) {
    // O_NONBLOCK: should the file have become a pipe since it was looked at, fail, not wait.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    return writeAndClose(fd, bytes);
}

// The new file's bytes are already on the disk, so whatever a power cut leaves under `to`
// is the old save or the new one, whole. Flushing the folder as well would only make the new
// name durable sooner, at twice the cost of a save.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return lastError();
    }
    return {};
}

} // namespace quivra::platform
