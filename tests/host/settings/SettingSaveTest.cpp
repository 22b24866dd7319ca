// Save replaces the file as a whole; when it cannot, the old file stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "SettingTestSupport.h"

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

}  // namespace
