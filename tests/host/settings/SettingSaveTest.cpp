// Save replaces the file as a whole; when it cannot, the old file stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "SettingTestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using SettingSaveTest = SettingFileTest;

std::string SaveError(TSetting& setting) {
    try {
        setting.Save();
    } catch (const SettingError& error) {
        return error.what();
    }
    return "no error";
}

TEST_F(SettingSaveTest, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    WriteBytes(Path(),
               "<configuration><appSettings><add key=\"A\" value=\"old\"/></appSettings></configuration>");
    auto setting = TSetting::Create(Path());
    setting->SetValue("A", "new");
    setting->Save();
    EXPECT_EQ(TSetting::Create(Path())->GetValue("A"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

TEST_F(SettingSaveTest, DestroyWithoutSaveWritesNothing) {
    const std::string old = "<configuration/>";
    WriteBytes(Path(), old);
    TSetting::Create(Path())->SetValue("A", "1");
    EXPECT_EQ(ReadBytes(Path()), old);
}

TEST_F(SettingSaveTest, MissingFolderIsReportedAsCannotCreate) {
    const std::string path = dir_.File("missing") + "/Pelmora.xml";
    auto setting = TSetting::Create(path);
    setting->SetValue("A", "1");
    EXPECT_EQ(SaveError(*setting), "Cannot create file " + path);
    EXPECT_FALSE(fs::exists(dir_.Path() / "missing"));
}

TEST_F(SettingSaveTest, TargetThatIsAFolderIsReportedAsCannotOpenAndStaysIntact) {
    auto setting = TSetting::Create(Path());
    fs::create_directory(Path());
    WriteBytes(Path() + "/inside.txt", "kept");
    setting->SetValue("A", "1");
    EXPECT_EQ(SaveError(*setting), "Cannot open file " + Path());
    EXPECT_EQ(ReadBytes(Path() + "/inside.txt"), "kept");
    EXPECT_FALSE(fs::exists(Path() + ".tmp"));
}

TEST_F(SettingSaveTest, FailureBeforeTheReplaceLeavesTheOldFileAsItWas) {
    const std::string old =
        "<configuration><appSettings><add key=\"A\" value=\"old\"/></appSettings></configuration>";
    WriteBytes(Path(), old);
    auto setting = TSetting::Create(Path());
    setting->SetValue("A", "new");
    fs::create_directory(Path() + ".tmp");  // the temporary file cannot be created
    EXPECT_EQ(SaveError(*setting), "Cannot open file " + Path());
    EXPECT_EQ(ReadBytes(Path()), old);
}

TEST_F(SettingSaveTest, FileNameIsPassedOnAsAnsiBytes) {
    const std::string path = dir_.Path().string() + "/\x90\xDD\x92\xE8.xml";  // a Shift-JIS name
    if (std::FILE* probe = std::fopen((path + ".probe").c_str(), "wb")) {
        std::fclose(probe);
        std::remove((path + ".probe").c_str());
    } else {
        GTEST_SKIP() << "this file system cannot hold the name (Wine without a matching Unix locale)";
    }
    auto setting = TSetting::Create(path);
    setting->SetValue("A", "1");
    setting->Save();
    EXPECT_EQ(TSetting::Create(path)->GetValue("A"), "1");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

// The safe replace needs a new file beside the old one; a path whose temporary
// name is too long for the system refuses it while the file itself can be
// written (also under Wine, where folder permissions are not enforced for root).
TEST_F(SettingSaveTest, TemporaryNameTheSystemRefusesMeansTheFileIsRewrittenInPlace) {
    // Names are held to 255 characters: the settings file's fits, its ".tmp" name does not.
    const std::string path = dir_.File(std::string(252 - 4, 'p') + ".xml");
    const std::string old =
        "<configuration><appSettings><add key=\"A\" value=\"old\"/></appSettings></configuration>";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fclose(file);
    } else {
        GTEST_SKIP() << "this system cannot hold a path of " << path.size() << " characters";
    }
    WriteBytes(path, old);
    if (std::FILE* probe = std::fopen((path + ".tmp").c_str(), "wb")) {
        std::fclose(probe);
        GTEST_SKIP() << "this system accepts a name of 256 characters";
    }
    auto setting = TSetting::Create(path);
    setting->SetValue("A", "new");
    EXPECT_EQ(SaveError(*setting), "no error");
    EXPECT_EQ(TSetting::Create(path)->GetValue("A"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

#ifndef _WIN32
// Runs body in a child process as a user the permission bits hold for: this
// one, or "nobody" when the tests run as root, for whom they do not. Returns
// the body's exit code, or -1 when no such user can be had.
int RunAsRestrictedUser(int (*body)(const std::string&), const std::string& arg) {
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        _exit(body(arg));
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status) == 100 ? -1 : WEXITSTATUS(status);
}

// 0 saved, 1 the save failed, 2 the folder accepts new files after all.
int SaveInFolderThatRefusesNewFiles(const std::string& path) {
    const std::string probe = path + ".probe";
    if (std::FILE* file = std::fopen(probe.c_str(), "wb")) {
        std::fclose(file);
        std::remove(probe.c_str());
        return 2;
    }
    auto setting = TSetting::Create(path);
    setting->SetValue("A", "new");
    try {
        setting->Save();
    } catch (const SettingError&) {
        return 1;
    }
    return 0;
}

TEST_F(SettingSaveTest, FolderThatRefusesNewFilesGetsAWritableFileRewrittenInPlace) {
    WriteBytes(Path(),
               "<configuration><appSettings><add key=\"A\" value=\"old\"/></appSettings></configuration>");
    ASSERT_EQ(chmod(Path().c_str(), 0666), 0);
    ASSERT_EQ(chmod(dir_.Path().c_str(), 0555), 0);
    const int result = RunAsRestrictedUser(SaveInFolderThatRefusesNewFiles, Path());
    chmod(dir_.Path().c_str(), 0755);
    if (result == -1)
        GTEST_SKIP() << "running as root, and cannot become another user to make permissions hold";
    if (result == 2) GTEST_SKIP() << "this file system lets the user create files in a read-only folder";
    EXPECT_EQ(result, 0) << "the save failed";
    EXPECT_EQ(TSetting::Create(Path())->GetValue("A"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

TEST_F(SettingSaveTest, FolderThatRefusesNewFilesAndAReadOnlyFileIsReportedAndKept) {
    const std::string old =
        "<configuration><appSettings><add key=\"A\" value=\"old\"/></appSettings></configuration>";
    WriteBytes(Path(), old);
    ASSERT_EQ(chmod(Path().c_str(), 0444), 0);
    ASSERT_EQ(chmod(dir_.Path().c_str(), 0555), 0);
    const int result = RunAsRestrictedUser(SaveInFolderThatRefusesNewFiles, Path());
    chmod(dir_.Path().c_str(), 0755);
    if (result == -1)
        GTEST_SKIP() << "running as root, and cannot become another user to make permissions hold";
    if (result == 2) GTEST_SKIP() << "this file system lets the user create files in a read-only folder";
    EXPECT_EQ(result, 1) << "the save should have failed";
    EXPECT_EQ(ReadBytes(Path()), old);
}
#endif

}  // namespace
