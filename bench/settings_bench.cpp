// Prints how long the settings store takes to read and write a settings file
// with many rules, the size a heavy user's file could reach. Not a test.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "settings/Setting.h"

namespace {

std::string RuleText(int rules) {
    std::string text;
    for (int i = 0; i < rules; ++i)
        text += "C:\\Program Files\\\x83\x5C\x83\x74\x83\x67\\app" + std::to_string(i) + ".exe,1,0,80,0\r\n";
    return text;
}

template <typename F>
double Millis(int repeat, F f) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i) f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
           repeat;
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    fs::path file = fs::temp_directory_path() / "pelmora-bench.xml";
    std::printf("%8s %10s %12s %12s\n", "rules", "bytes", "Create ms", "Save ms");
    for (int rules : {10, 100, 1000, 10000}) {
        fs::remove(file);
        {
            auto s = TSetting::Create(file.string());
            for (int k = 0; k < 10; ++k) s->SetValue("Key" + std::to_string(k), std::to_string(k));
            s->SetValue("RegistWindows", RuleText(rules));
            s->Save();
        }
        int repeat = rules >= 10000 ? 5 : 50;
        double create = Millis(repeat, [&] { TSetting::Create(file.string()); });
        auto s = TSetting::Create(file.string());
        double save = Millis(repeat, [&] { s->Save(); });
        std::printf("%8d %10ju %12.3f %12.3f\n", rules, static_cast<uintmax_t>(fs::file_size(file)), create,
                    save);
    }
    fs::remove(file);
}
