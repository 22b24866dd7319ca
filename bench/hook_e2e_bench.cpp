// Prints how fast the real pelmora.exe, with the real pelmora.dll, follows the windows of
// another process, and whether it keeps up and gives everything back under churn. Not a test.
// Each figure starts when this process first sees the helper's window visible (polled every
// fifth of a millisecond while another thread asks the helper to show it):
//  1. the library alone, loaded here: until its code 3 reaches a window of this process;
//  2. the program with a library that reports nothing: the main window's own work on a
//     code 3 and a code 2 sent to it directly, for windows without a rule, ruled always on
//     top at 80 %, and ruled into the tray as well;
//  3. the program with the real library: until the window's row is in the list (the row
//     count polled as closely), and until each rule has taken effect;
//  4. churn: 1,000 windows created, shown, minimised and destroyed, then 1,000 more of the
//     program whose rule puts them into the tray, while another thread times the main
//     window's answers; the rows left for destroyed windows and what the program holds
//     before and after (after a warm-up of 100 of each).
// Run with "noactivate" to show the windows without activating them.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Harness.h"
#include "ProgramContract.h"
#include "HelperClient.h"
#include "Timing.h"
#include "ProgramHoldings.h"
#include "RemoteList.h"
#include "hook/HookContract.h"

namespace {

constexpr int kRuns = 100;
constexpr double kGiveUpMs = 2000;
int g_showCommand = SW_SHOW;

void Print(const char* what, std::vector<double> ms) {
    if (ms.empty()) return (void)std::printf("%-50s no samples\n", what);
    std::sort(ms.begin(), ms.end());
    std::printf("%-50s median %7.3f  p90 %7.3f  worst %7.3f ms  (n=%zu)\n", what, ms[ms.size() / 2],
                ms[ms.size() * 9 / 10], ms.back(), ms.size());
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Gives way for a moment between two looks. A look at the list is a message sent to the
// program, and sent messages are handed over before posted ones: looks sent back to back
// keep the program from ever reaching the library's posted notification (rows then came
// seconds late under Wine), so the poll leaves the program a gap of a fifth of a millisecond.
void GiveWay() {
    const double until = bench::NowMs() + 0.2;
    while (bench::NowMs() < until) SwitchToThread();
}

// Shows a hidden window from another thread (the helper answers when it is done) while this
// one watches closely; `seen(visibleAt)` returns true once what it waits for is there.
// A window not seen in time is reported with what happened to it meanwhile.
template <typename Seen>
bool ShowAndWatch(helper::HelperClient& app, HWND wnd, Seen seen) {
    double answeredAt = 0;
    std::thread show([&] {
        app.Show(wnd, g_showCommand);
        answeredAt = bench::NowMs();
    });
    double visibleAt = 0;
    bool done = false;
    const double start = bench::NowMs();
    while (!done && bench::NowMs() - start < kGiveUpMs) {
        if (!visibleAt && IsWindowVisible(wnd)) visibleAt = bench::NowMs();
        if (visibleAt) done = seen(visibleAt);
        if (!done) GiveWay();
    }
    show.join();
    if (!done) {
        std::printf(
            "   window %p not seen within %.0f ms: visible after %.1f ms, show request answered after "
            "%.1f ms\n",
            static_cast<void*>(wnd), kGiveUpMs, visibleAt ? visibleAt - start : -1.0, answeredAt - start);
    }
    return done;
}

// Receives the library's notifications on a thread of its own, as a main window would,
// and notes when each window's code 3 arrived.
class CodeReceiver {
public:
    CodeReceiver() : thread_([this] { Run(); }) {
        while (!window_) Sleep(1);
    }
    ~CodeReceiver() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_; }
    double CreatedAt(HWND wnd) {
        std::lock_guard lock(mutex_);
        auto it = created_.find(wnd);
        return it == created_.end() ? 0 : it->second;
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<CodeReceiver*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (m == WM_CLOSE) return PostQuitMessage(0), 0;
        if (self && m == self->message_ && wp == hook::HookWindowCreated) {
            std::lock_guard lock(self->mutex_);
            self->created_.emplace(reinterpret_cast<HWND>(lp), bench::NowMs());
        }
        return DefWindowProcW(w, m, wp, lp);
    }
    void Run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = L"PelmoraE2EBenchReceiver";
        RegisterClassW(&wc);
        HWND w =
            CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = w;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        DestroyWindow(w);
    }

    const UINT message_ = RegisterWindowMessageA(hook::kHookMessageName);
    std::mutex mutex_;
    std::map<HWND, double> created_;
    std::atomic<HWND> window_ = nullptr;
    std::thread thread_;
};

void LibraryAlone() {
    HMODULE library = LoadLibraryA(WindowsPath(PELMORA_HOOK_DLL).c_str());
    auto start = reinterpret_cast<hook::StartHookFunc>(
        reinterpret_cast<void*>(GetProcAddress(library, hook::kStartHookName)));
    auto stop = reinterpret_cast<hook::StopHookFunc>(
        reinterpret_cast<void*>(GetProcAddress(library, hook::kStopHookName)));
    if (!start || !stop) return (void)std::printf("pelmora.dll or its exports are missing\n");
    helper::HelperClient app;
    CodeReceiver receiver;
    if (!start(receiver.Window())) return (void)std::printf("StartHook failed\n");
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        HWND wnd = app.NewWindow({.title = "Library bench " + std::to_string(i), .show = "hidden"});
        ShowAndWatch(app, wnd, [&](double visibleAt) {
            const double at = receiver.CreatedAt(wnd);
            if (at) ms.push_back(at - visibleAt);
            return at != 0;
        });
        app.Destroy(wnd);
    }
    stop();
    FreeLibrary(library);
    Print("1. library alone: visible -> code 3 here", ms);
}

// Copies of the helper that rules name, in the program's folder.
struct RuledHelpers {
    std::string onTop;     // always on top, 80 %
    std::string intoTray;  // into the tray, always on top, 80 %: the road of one event
};

std::string SettingsWithRules(const RuledHelpers& ruled) {
    // A rule line: file, transparency, tray, topmost, hide icon.
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
           "    <add key=\"ShowWindow\" value=\"0\"/>\r\n"
           "    <add key=\"RegistWindows\" value=\"" +
           ruled.onTop + ",80,0,-1,0\r\n" + ruled.intoTray +
           ",80,-1,-1,0\r\n\"/>\r\n  </appSettings>\r\n</configuration>\r\n";
}

// The program, started in its folder, and its list of current windows.
struct Running {
    explicit Running(const e2e::ProgramFolder& folder)
        : program(folder), main(program.MainWindow()), list(GetDlgItem(main, kIdCurrWin)) {}
    std::vector<std::string> Titles() { return e2e::ColumnTexts(program.Pid(), list, 0); }
    e2e::Program program;
    HWND main;
    HWND list;
};

double TimedSend(HWND main, WPARAM code, HWND wnd) {
    static const UINT message = RegisterWindowMessageA(hook::kHookMessageName);
    const double t0 = bench::NowMs();
    SendMessageW(main, message, code, reinterpret_cast<LPARAM>(wnd));
    return bench::NowMs() - t0;
}

void HandlerAlone(Running& pelmora, const RuledHelpers& ruled) {
    helper::HelperClient plainApp, onTopApp(ruled.onTop), intoTrayApp(ruled.intoTray);
    const struct {
        const char* created;
        const char* gone;
        helper::HelperClient& app;
    } kinds[] = {
        {"2. main window: code 3, window without rule", "2. main window: code 2, window without rule",
         plainApp},
        {"2. main window: code 3, ruled on top, 80 %", "2. main window: code 2, ruled on top, 80 %",
         onTopApp},
        {"2. main window: code 3, ruled into tray, on top", "2. main window: code 2, ruled into tray, on top",
         intoTrayApp},
    };
    for (const auto& kind : kinds) {
        std::vector<double> created, gone;
        for (int i = 0; i < kRuns; ++i) {
            HWND wnd = kind.app.NewWindow({.title = "Handler bench " + std::to_string(i)});
            created.push_back(TimedSend(pelmora.main, hook::HookWindowCreated, wnd));
            kind.app.Destroy(wnd);
            gone.push_back(TimedSend(pelmora.main, hook::HookWindowGone, wnd));
        }
        Print(kind.created, created);
        Print(kind.gone, gone);
    }
}

void RowLatency(Running& pelmora) {
    helper::HelperClient app;
    std::vector<double> ms;
    int wrongRow = 0;
    for (int i = 0; i < kRuns; ++i) {
        const std::string title = "Row bench " + std::to_string(i);
        HWND wnd = app.NewWindow({.title = title, .show = "hidden"});
        const int before = e2e::RowCount(pelmora.list);
        const bool listed = ShowAndWatch(app, wnd, [&](double visibleAt) {
            if (e2e::RowCount(pelmora.list) <= before) return false;
            ms.push_back(bench::NowMs() - visibleAt);
            return true;
        });
        if (!listed) {
            const bool late = e2e::WaitUntil([&] { return e2e::RowCount(pelmora.list) > before; }, 5000);
            std::printf("   its row: %s\n", late ? "came later" : "still missing 5 s later");
        }
        if (pelmora.Titles().back() != title) ++wrongRow;
        app.Destroy(wnd);
        e2e::WaitUntil([&] { return e2e::RowCount(pelmora.list) == before; }, 5000);
    }
    Print("3. program: visible -> its row in the list", ms);
    std::printf("   %zu of %d windows listed within %.0f ms; %d last rows of another title\n", ms.size(),
                kRuns, kGiveUpMs, wrongRow);
}

bool HasRuleAlpha(HWND wnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) && alpha == 204;
}

void RuleLatency(const std::string& ruledExe, const char* topmostLabel, const char* alphaLabel) {
    helper::HelperClient app(ruledExe);
    std::vector<double> topmost, alpha;
    for (int i = 0; i < kRuns; ++i) {
        HWND wnd = app.NewWindow({.title = "Rule bench " + std::to_string(i), .show = "hidden"});
        double topmostAt = 0, alphaAt = 0;
        ShowAndWatch(app, wnd, [&](double visibleAt) {
            if (!topmostAt && (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
                topmost.push_back((topmostAt = bench::NowMs()) - visibleAt);
            if (!alphaAt && HasRuleAlpha(wnd)) alpha.push_back((alphaAt = bench::NowMs()) - visibleAt);
            return topmostAt && alphaAt;
        });
        app.Destroy(wnd);
    }
    Print(topmostLabel, topmost);
    Print(alphaLabel, alpha);
}

// Times the main window's answers on a thread of its own until told to stop.
class Responsiveness {
public:
    explicit Responsiveness(HWND main) : thread_([this, main] { Run(main); }) {}
    void Stop() {
        stop_ = true;
        thread_.join();
        Print("   main window's answer to WM_NULL meanwhile", ms_);
        if (timeouts_) std::printf("   %d questions unanswered within 5 s\n", timeouts_);
    }

private:
    void Run(HWND main) {
        while (!stop_) {
            DWORD_PTR result = 0;
            const double t0 = bench::NowMs();
            if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++timeouts_;
            ms_.push_back(bench::NowMs() - t0);
            Sleep(2);
        }
    }

    std::atomic<bool> stop_ = false;
    std::vector<double> ms_;
    int timeouts_ = 0;
    std::thread thread_;
};

int ChurnRowsLeft(Running& pelmora) {
    const std::vector<std::string> titles = pelmora.Titles();
    return static_cast<int>(std::count_if(titles.begin(), titles.end(),
                                          [](const std::string& t) { return t.rfind("Churn ", 0) == 0; }));
}

// The ruled program's windows go into the tray: their first minimising must leave one more icon.
void CheckFirstGoesToTray(int iconsBefore) {
    const bool shown = e2e::WaitUntil([&] { return bench::TrayIcons() > iconsBefore; }, 2000);
    std::printf("   first window: %s\n", shown ? "its tray icon appeared" : "no tray icon appeared");
}

void Churn(Running& pelmora, helper::HelperClient& app, int windows, const char* label, bool intoTray) {
    const int iconsBefore = bench::TrayIcons();
    Responsiveness answers(pelmora.main);
    const double start = bench::NowMs();
    for (int i = 0; i < windows; ++i) {
        HWND wnd = app.NewWindow({.title = "Churn " + std::to_string(i)});
        app.Show(wnd, SW_MINIMIZE);
        if (intoTray && i == 0) CheckFirstGoesToTray(iconsBefore);
        app.Destroy(wnd);
    }
    const double driven = bench::NowMs() - start;
    const bool settled = e2e::WaitUntil([&] { return ChurnRowsLeft(pelmora) == 0; }, 20000);
    std::printf("4. %s: %d windows in %.0f ms; rows of destroyed windows left: %d%s\n", label, windows,
                driven, ChurnRowsLeft(pelmora), settled ? "" : " (after waiting 20 s)");
    answers.Stop();
}

void Churns(Running& pelmora, const std::string& hostPid, const std::string& intoTrayExe) {
    helper::HelperClient plainApp, ruledApp(intoTrayExe);
    auto hold = [&] {
        Sleep(1000);
        return bench::HoldingsOf(pelmora.program.Pid(), pelmora.list, hostPid);
    };
    const bench::Holdings start = hold();
    Churn(pelmora, plainApp, 100, "warm-up, plain windows", false);
    Churn(pelmora, ruledApp, 100, "warm-up, windows ruled into the tray", true);
    const bench::Holdings warm = hold();
    Churn(pelmora, plainApp, 1000, "plain windows", false);
    const bench::Holdings plain = hold();
    Churn(pelmora, ruledApp, 1000, "windows ruled into the tray", true);
    const bench::Holdings ruled = hold();
    bench::PrintHoldings("   at the start", start);
    bench::PrintHoldings("   after the warm-up (200)", warm);
    bench::PrintHoldings("   after 1,000 plain", plain);
    bench::PrintHoldings("   after 1,000 into the tray", ruled);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "noactivate") g_showCommand = SW_SHOWNOACTIVATE;
    std::printf("helper windows shown with %s; host load average %s\n",
                g_showCommand == SW_SHOW ? "SW_SHOW" : "SW_SHOWNOACTIVATE", bench::HostLoad().c_str());
    LibraryAlone();

    e2e::ProgramFolder folder("-e2ebench-" + std::to_string(GetTickCount()));
    const RuledHelpers ruled{folder.Path() + "on_top_helper.exe", folder.Path() + "into_tray_helper.exe"};
    for (const std::string& exe : {ruled.onTop, ruled.intoTray})
        if (!helper::HelperClient::CopyHelperTo(exe)) return std::printf("cannot copy the helper\n"), 1;
    {
        folder.UseLibrary(WindowsPath(FAKE_NO_START_PATH));
        folder.WriteSettings(SettingsWithRules(ruled));
        Running pelmora(folder);
        HandlerAlone(pelmora, ruled);
    }
    folder.UseLibrary(WindowsPath(PELMORA_HOOK_DLL));
    folder.WriteSettings(SettingsWithRules(ruled));
    Running pelmora(folder);
    if (!pelmora.list) return std::printf("the program's window list was not found\n"), 1;
    const std::string hostPid = bench::HostPidOf(folder.Exe());
    std::printf("pelmora.exe: Windows pid %lu, host pid %s\n",
                static_cast<unsigned long>(pelmora.program.Pid()),
                hostPid.empty() ? "(not found)" : hostPid.c_str());
    RowLatency(pelmora);
    RuleLatency(ruled.onTop, "3. on top, 80 %: visible -> WS_EX_TOPMOST",
                "3. on top, 80 %: visible -> alpha 204");
    RuleLatency(ruled.intoTray, "3. into tray too: visible -> WS_EX_TOPMOST",
                "3. into tray too: visible -> alpha 204");
    Churns(pelmora, hostPid, ruled.intoTray);
    std::printf("program's exit code: %d; host load average %s\n", pelmora.program.Close(),
                bench::HostLoad().c_str());
}
