// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "disk_files.hpp"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using quivra::FileError;

namespace {

// The administrator may write anywhere, so the save runs in a child that gives that up.
FileError saveAsAnOrdinaryUser(const fs::path& file, std::string_view bytes) {
    const pid_t child = ::fork();
    if (child == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (::getuid() == 0 && (nobody == nullptr || ::setgroups(0, nullptr) != 0 ||
                                ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
            ::_exit(100);
        }
        ::_exit(static_cast<int>(quivra::writeFile(file, bytes)));
    }
    int status = 0;
    const bool exited = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
    return exited && WEXITSTATUS(status) < 100 ? static_cast<FileError>(WEXITSTATUS(status))
                                               : FileError::CannotWrite;
}

struct Folder {
    const char* name;
    unsigned folderMode;
    unsigned fileMode;
    FileError saved;
    bool needsAnotherOwner; // the file must not be the saver's own
};

// Saves in folders the player may not add files to, or may not replace others' files in: a
// file the player may write is written in place; one the player may not is left as it was,
// with no temporary file beside it.
TEST(SaveInPlace, WritesWhatThePlayerMayWriteAndNothingElse) {
    const Folder folders[] = {{"shared", 0555, 0666, FileError::None, false},
                              {"notTheirs", 0555, 0644, FileError::CannotWrite, true},
                              {"sticky", 01777, 0666, FileError::CannotWrite, true}};
    for (const Folder& folder : folders) {
        if (folder.needsAnotherOwner && ::getuid() != 0) {
            continue; // only the administrator can give the file to someone else
        }
        std::string name = (fs::temp_directory_path() / "quivra-shared-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        const fs::path file = fs::path(name) / "partida.txt";
        const std::string old = "\"_2_1\"\r\n\"Una partida mucho más larga\"\r\n";
        std::ofstream(file, std::ios::binary) << old;
        ::chmod(file.c_str(), folder.fileMode);
        ::chmod(name.c_str(), folder.folderMode);
        struct stat before {};
        ::stat(file.c_str(), &before);

        EXPECT_EQ(saveAsAnOrdinaryUser(file, "nuevo"), folder.saved) << folder.name;

        ::chmod(name.c_str(), 0700);
        struct stat after {};
        ::stat(file.c_str(), &after);
        std::ifstream read(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(read), {}),
                  folder.saved == FileError::None ? "nuevo" : old)
            << folder.name;
        EXPECT_EQ(after.st_ino, before.st_ino) << folder.name << ": written in place or not at all";
        EXPECT_EQ(std::distance(fs::directory_iterator(name), {}), 1) << "a temporary was left";
        fs::remove_all(name);
    }
}

} // namespace
