#include "disk_files.hpp"
#include "progress_file.hpp"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The administrator may write anywhere, so the save runs in a child that gives that up.
bool saveAsAnOrdinaryUser(const fs::path& file, const quivra::Progress& progress) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || ::setgroups(0, nullptr) != 0 ||
                ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) {
                ::_exit(2);
            }
        }
        ::_exit(quivra::writeFile(file, quivra::encodeProgress(progress)) == quivra::FileError::None
                    ? 0
                    : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// A shared folder the player may not add files to, holding a save the player may write.
TEST(SaveInPlace, WritesAFileWhoseFolderTakesNoNewFile) {
    std::string name = (fs::temp_directory_path() / "quivra-shared-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    const fs::path folder = name;
    const fs::path file = folder / "partida.txt";
    std::ofstream(file, std::ios::binary) << "\"_2_1\"\r\n\"Una partida mucho más larga\"\r\n";
    fs::permissions(file, static_cast<fs::perms>(0666));
    fs::permissions(folder, static_cast<fs::perms>(0555));
    const ino_t before = inodeOf(file);
    const quivra::Progress progress{"_3_0", "¿Otra vez?"};

    const bool saved = saveAsAnOrdinaryUser(file, progress);

    fs::permissions(folder, fs::perms::owner_all);
    std::ifstream read(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(read), {}};
    EXPECT_TRUE(saved);
    EXPECT_EQ(bytes, quivra::encodeProgress(progress));
    EXPECT_EQ(inodeOf(file), before) << "written in place, not replaced";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "no temporary left";
    fs::remove_all(folder);
}

} // namespace
