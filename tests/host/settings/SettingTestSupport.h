// Test support: a fresh temporary folder per test, whole-file helpers and a
// fixture that loads a store from given bytes.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <memory>
#include <string>

#include "settings/Setting.h"

// A folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir() {
        static std::atomic<unsigned> counter{0};
        const std::string unique = std::to_string(std::random_device{}()) + "_" + std::to_string(++counter);
        path_ = std::filesystem::temp_directory_path() / ("pelmora_settings_" + unique);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A path in the folder as the narrow string the store takes.
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SettingFileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir_.File("Pelmora.xml"); }

    std::unique_ptr<TSetting> Load(const std::string& bytes) {
        WriteBytes(Path(), bytes);
        return TSetting::Create(Path());
    }

    std::string SaveAndRead(TSetting& setting) {
        setting.Save();
        return ReadBytes(Path());
    }

    TempDir dir_;
};
