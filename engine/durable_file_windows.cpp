// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "durable_file.hpp"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <algorithm>
#include <windows.h>

namespace quivra::platform {
namespace {

std::error_code lastError() {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) {
        return std::make_error_code(std::errc::file_exists);
    }
    if (code == ERROR_ACCESS_DENIED) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {static_cast<int>(code), std::system_category()};
}

std::error_code writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return lastError();
        }
        if (written == 0) {
            return std::make_error_code(std::errc::io_error);
        }
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code writeAndClose(HANDLE file, std::string_view bytes) {
    std::error_code error = writeAll(file, bytes);
    if (!error && !::FlushFileBuffers(file)) {
        error = lastError();
    }
    if (!::CloseHandle(file) && !error) {
        error = lastError();
    }
    return error;
}

HANDLE openForWriting(const std::filesystem::path& path, DWORD disposition) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::error_code writeNewFile(const std::filesystem::path& path, std::string_view bytes) {
    const HANDLE file = openForWriting(path, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    const std::error_code error = writeAndClose(file, bytes);
    if (error) {
        ::DeleteFileW(path.c_str());
    }
    return error;
}

std::error_code overwriteFile(const std::filesystem::path& path, std::string_view bytes) {
    const HANDLE file = openForWriting(path, TRUNCATE_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    return writeAndClose(file, bytes);
}

std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Stated outright rather than left to std::filesystem::rename: the save must replace
    // the old file, and must be on the disk when this returns.
    if (!::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return lastError();
    }
    return {};
}

} // namespace quivra::platform
