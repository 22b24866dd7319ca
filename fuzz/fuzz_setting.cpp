// Feeds arbitrary bytes to the settings store. Whatever reads must save, and
// what was saved must read back and save again to the very same bytes.
#include <unistd.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/Setting.h"

namespace {

// Three files in a folder of this process, reused for every input.
class FuzzFiles {
public:
    FuzzFiles()
        : dir_(std::filesystem::temp_directory_path() / ("pelmora_fuzz_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
    }
    ~FuzzFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string File(const char* name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The values the checks follow through save and load.
std::string WatchedValues(const TSetting& setting) {
    return setting.GetValue("RegistWindows", "none") + '\n' +
           setting.GetSectionValue("Rules", "RegistWindows", "none");
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_setting: %s\n", what.c_str());
    std::abort();
}

// Reads path and saves the document to target.
void Resave(const std::string& path, const std::string& target) {
    std::unique_ptr<TSetting> setting;
    try {
        setting = TSetting::Create(path);
    } catch (const SettingError& error) {
        Fail("a saved file does not read back: " + std::string(error.what()));
    }
    setting->FileName = target;
    setting->Save();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFiles files;
    const std::string input = files.File("input.xml");
    const std::string second = files.File("second.xml");
    const std::string third = files.File("third.xml");

    WriteBytes(input, data, size);
    std::unique_ptr<TSetting> setting;
    try {
        setting = TSetting::Create(input);
    } catch (const SettingError&) {
        return 0;  // not well formed: rejecting it is all that is asked
    }
    // Odd first bytes also rewrite entries, which removes and appends elements
    // among whatever the input held.
    if (size > 0 && data[0] % 2 == 1) {
        setting->SetValue("Left", "1");
        setting->SetSectionValue("Rules", "RegistWindows", "C:\\\x90\xDD.exe,1\r\n\"&'<>");
    }
    const std::string values = WatchedValues(*setting);
    setting->FileName = second;
    setting->Save();

    Resave(second, third);
    if (ReadBytes(second) != ReadBytes(third)) Fail("saving a saved file changed it");
    if (WatchedValues(*TSetting::Create(second)) != values) Fail("a value changed on the way");
    return 0;
}
