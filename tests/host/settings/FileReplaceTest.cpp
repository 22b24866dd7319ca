// Replacing the settings file as a whole, also where no temporary file can be
// made beside it and the file is written in place.
#include "settings/FileReplace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SettingTestSupport.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace {

namespace fs = std::filesystem;

std::string Content(std::size_t size, char fill) {
    std::string bytes = "<configuration>" + std::string(size, fill) + "</configuration>";
    return bytes;
}

class FileReplaceTest : public ::testing::Test {
protected:
    // A settings file whose name fits the system while its ".tmp" name does
    // not: the save then has to write the file in place. Empty when this
    // system takes the longer name too, or not the shorter one.
    std::string PathRefusingTemporaryFile() const {
        const std::string path = dir_.File(std::string(252 - 4, 'p') + ".xml");
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) return "";
        std::fclose(file);
        std::remove(path.c_str());
        if (std::FILE* probe = std::fopen((path + ".tmp").c_str(), "wb")) {
            std::fclose(probe);
            std::remove((path + ".tmp").c_str());
            return "";
        }
        return path;
    }

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()));
    }

    TempDir dir_;
};

// Written over, the file must end where the new content ends, and hold
// nothing of the old one.
TEST_F(FileReplaceTest, InPlaceTheFileHoldsExactlyTheNewBytes) {
    const std::string path = PathRefusingTemporaryFile();
    if (path.empty()) GTEST_SKIP() << "this system takes or refuses both names alike";
    struct Case {
        const char* name;
        std::size_t oldSize, newSize;
    } cases[] = {{"shorter", 500, 20}, {"as long", 100, 100}, {"longer", 20, 5000}, {"from empty", 0, 30}};
    for (const Case& c : cases) {
        WriteBytes(path, c.oldSize ? Content(c.oldSize, 'o') : "");
        const std::string bytes = Content(c.newSize, 'n');
        EXPECT_TRUE(settingsfile::WriteWholeFile(path, bytes)) << c.name;
        EXPECT_EQ(ReadBytes(path), bytes) << c.name;
        EXPECT_EQ(FilesInFolder(), 1u) << c.name;
    }
}

#ifndef _WIN32
// Saves bytes to path in a child process that may not make any file larger
// than limit bytes, as on a full disk. Returns 0 saved, 1 not saved, -1 when
// the child did not end normally.
int SaveWithFileSizeLimit(const std::string& path, const std::string& bytes, rlim_t limit) {
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        rlimit rl{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(2);
        _exit(settingsfile::WriteWholeFile(path, bytes) ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// A save that runs out of room is reported and leaves the old file whole,
// whether it went through the temporary file or wrote in place.
TEST_F(FileReplaceTest, SaveThatRunsOutOfRoomKeepsTheOldFile) {
    const std::string old = Content(200, 'o');
    const std::string bytes = Content(50000, 'n');
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {{"through the temporary file", dir_.File("Pelmora.xml")},
                 {"in place", PathRefusingTemporaryFile()}};
    for (const Case& c : cases) {
        if (c.path.empty()) continue;  // no name here refuses only the temporary file
        WriteBytes(c.path, old);
        EXPECT_EQ(SaveWithFileSizeLimit(c.path, bytes, old.size() + 4096), 1) << c.name;
        const std::string kept = ReadBytes(c.path);
        EXPECT_TRUE(kept == old) << c.name << ": " << kept.size() << " bytes, the old file had "
                                 << old.size();
        EXPECT_EQ(FilesInFolder(), 1u) << c.name;
        fs::remove(c.path);
    }
}
#endif

}  // namespace
