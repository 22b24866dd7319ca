// Prints how the real pelmora.exe behaves while another program's window in
// its tray is busy: the window's thread stops pumping for 5 s while the user
// clicks the window's icon and a rule (into the tray, always on top, 80 %)
// reaches it again. Figures: the main window's worst answer to a message in
// that time (another thread asks every 10 ms), how soon the window is back,
// on top and at 80 % once its program answers, and, in a second round, how
// long the program takes to exit while the window's program is busy. Not a
// test: it prints figures and passes or fails nothing.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "Harness.h"
#include "HelperClient.h"
#include "ProgramContract.h"
#include "Timing.h"
#include "hook/HookContract.h"
#include "rules/RegistWindowsText.h"

namespace {

constexpr double kBusyMs = 5000;

std::string SettingsWithRule(const std::string& file) {
    StoredRule rule;
    rule.FileName = file;
    rule.Tray = true;
    rule.TopMost = true;
    rule.Transparency = 80;
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           WriteRegistWindows({rule}, IsAnsiLeadByte) + "\"/>\r\n  </appSettings>\r\n</configuration>\r\n";
}

// Asks the main window every 10 ms and keeps the longest wait for its answer.
class AnswerTimer {
public:
    explicit AnswerTimer(HWND main)
        : thread_([this, main] {
              while (!stop_) {
                  double start = bench::NowMs();
                  DWORD_PTR ignored = 0;
                  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
                  double took = bench::NowMs() - start;
                  if (took > worst_) worst_ = took;
                  Sleep(10);
              }
          }) {}
    double Stop() {
        stop_ = true;
        thread_.join();
        return worst_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<double> worst_{0};
    std::thread thread_;
};

BYTE Alpha(HWND wnd) {
    BYTE alpha = 255;
    DWORD flags = 0;
    if (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags);
    return alpha;
}

}  // namespace

int main() {
    helper::HelperClient app;
    e2e::ProgramFolder folder;
    folder.WriteSettings(SettingsWithRule(e2e::ImagePath(app.ProcessId())));
    const UINT hookMessage = RegisterWindowMessageA(hook::kHookMessageName);

    auto program = std::make_unique<e2e::Program>(folder);
    HWND main = program->MainWindow();
    if (!main || !e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) {
        std::printf("the program did not start\n");
        return 1;
    }
    auto notify = [&](WPARAM code, HWND wnd) { PostMessageW(main, hookMessage, code, reinterpret_cast<LPARAM>(wnd)); };

    // Round 1: a click and a rule while the program is busy, then it answers again.
    HWND wnd = app.NewWindow({.title = "Busy for five seconds", .ownThread = true});
    notify(hook::HookWindowCreated, wnd);  // listed, ruled: tray entry, on top, 80 %
    notify(hook::HookTrayWindow, wnd);     // into the tray
    e2e::WaitUntil([&] { return !IsWindowVisible(wnd); });
    app.Hang(wnd);
    const double busySince = bench::NowMs();
    AnswerTimer timer(main);
    PostMessageW(main, WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);  // the user wants it back
    notify(hook::HookWindowCreated, wnd);                   // the rule reaches it again
    Sleep(static_cast<DWORD>(kBusyMs - (bench::NowMs() - busySince)));
    app.Unhang(wnd);
    const double answered = bench::NowMs();
    bool back = e2e::WaitUntil(
        [&] { return IsWindowVisible(wnd) && Alpha(wnd) == 204 && (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST); });
    const double backMs = bench::NowMs() - answered;
    if (!back)
        std::printf("state: visible %d, alpha %d, on top %d\n", IsWindowVisible(wnd) != FALSE, Alpha(wnd),
                    (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    const double worst = timer.Stop();

    // Round 2: the user quits while the program is busy.
    notify(hook::HookTrayWindow, wnd);
    e2e::WaitUntil([&] { return !IsWindowVisible(wnd); });
    app.Hang(wnd);
    const double quit = bench::NowMs();
    int code = program->Close();
    const double exitMs = bench::NowMs() - quit;
    app.Unhang(wnd);
    program.reset();

    std::printf("window busy for %.0f ms while its icon was clicked and a rule reached it\n", kBusyMs);
    std::printf("main window's worst answer meanwhile   %8.1f ms (goal under 100)\n", worst);
    std::printf("window back, on top, 80 %% after its program answered %s %8.1f ms\n", back ? "" : "(NOT SEEN)",
                backMs);
    std::printf("exit with the busy window in the tray  %8.1f ms (goal under 1000), exit code %d\n", exitMs, code);
    return 0;
}
