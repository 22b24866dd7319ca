// Prints how long pelmora.exe takes from its start until its main window is on
// screen with no stored rules and with 1,000, while 200 windows of helper
// processes are there to be listed, and how long its exit takes (the rules are
// written back then). The runs of both kinds alternate, so that a slow moment
// of the machine does not fall on one kind only. Run under Wine (or on
// Windows). Not a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Harness.h"
#include "HelperClient.h"

#include "Timing.h"

namespace {

constexpr int kRuns = 15;
constexpr int kHelpers = 4;
constexpr int kWindowsPerHelper = 50;
constexpr int kRules = 1000;

// The program's main window once it is visible, polled finely.
HWND VisibleMainWindow(DWORD pid) {
    for (double start = bench::NowMs(); bench::NowMs() - start < 60000;) {
        for (HWND w = FindWindowW(identity::kMainWindowClass, nullptr); w;
             w = FindWindowExW(nullptr, w, identity::kMainWindowClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w)) return w;
        }
        Sleep(1);
    }
    return nullptr;
}

// Rules for programs that are not running (their files need not exist: a
// stored rule is kept all the same), so that the figures show what the rules
// cost the start-up, not what treating windows costs.
std::string SettingsWithRules(const std::string& folder, int count) {
    std::string rules;
    for (int i = 0; i < count; ++i) rules += folder + "Program" + std::to_string(i) + ".exe,80,-1,-1,0\r\n";
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           rules + "\"/>\r\n  </appSettings>\r\n</configuration>\r\n";
}

struct Figures {
    std::vector<double> start, exit;
};

void RunOnce(const e2e::ProgramFolder& folder, Figures& figures) {
    double t0 = bench::NowMs();
    e2e::Program program(folder);
    HWND main = VisibleMainWindow(program.Pid());
    double t1 = bench::NowMs();
    if (!main) {
        std::printf("the main window did not come\n");
        return;
    }
    figures.start.push_back(t1 - t0);
    double t2 = bench::NowMs();
    program.Close();
    figures.exit.push_back(bench::NowMs() - t2);
}

void Print(const char* name, std::vector<double> millis, double base) {
    std::sort(millis.begin(), millis.end());
    if (millis.empty()) return;
    double median = millis[millis.size() / 2];
    std::printf("  %-13s median %7.1f ms  min %7.1f  max %7.1f", name, median, millis.front(), millis.back());
    if (base > 0) std::printf("  (%.2f x)", median / base);
    std::printf("\n");
}

}  // namespace

int main() {
    std::vector<std::unique_ptr<helper::HelperClient>> helpers;
    for (int h = 0; h < kHelpers; ++h) {
        helpers.push_back(std::make_unique<helper::HelperClient>());
        for (int i = 0; i < kWindowsPerHelper; ++i)
            helpers.back()->NewWindow({.title = "Listed " + std::to_string(h) + "." + std::to_string(i)});
    }
    e2e::ProgramFolder none("-norules"), many("-rules");
    // The stand-in library that sends nothing: the helpers' windows raise no
    // notifications into the figures.
    for (const e2e::ProgramFolder* folder : {&none, &many}) folder->UseLibrary(e2e::SilentLibrary());
    none.WriteSettings(SettingsWithRules(none.Path(), 0));
    many.WriteSettings(SettingsWithRules(many.Path(), kRules));

    Figures noRules, withRules;
    RunOnce(none, noRules);  // warms the file cache and the shell's icon cache
    RunOnce(many, withRules);
    noRules = withRules = Figures{};
    for (int run = 0; run < kRuns; ++run) {
        RunOnce(none, noRules);
        RunOnce(many, withRules);
    }
    std::printf("%d windows of %d helper processes listed; %d runs of each kind, alternating\n",
                kHelpers * kWindowsPerHelper, kHelpers, kRuns);
    std::printf("start to visible main window:\n");
    Print("no rules", noRules.start, 0);
    Print("1,000 rules", withRules.start, bench::Median(noRules.start));
    std::printf("exit (the rules written back):\n");
    Print("no rules", noRules.exit, 0);
    Print("1,000 rules", withRules.exit, bench::Median(noRules.exit));
}
