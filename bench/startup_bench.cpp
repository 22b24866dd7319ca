// Start-up of pelmora.exe side by side with a bare program that opens one
// window and adds one notification icon (bare_program.exe), interleaved: the
// time from the start until the main window is on screen, the working set 2 s
// after the start, and the start-up of each started and killed ten times in
// a row, a second apart (it should not grow). For Pelmora also the time until
// its window list holds its rows (this benchmark shows a window of its own, so
// there is always one): the list is filled once the main window is on screen.
// Run under Wine (or on Windows). Not a test.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Harness.h"
#include "Identity.h"
#include "ProgramContract.h"

#include "Timing.h"

namespace {

constexpr int kRuns = 10;

// One started program: Pelmora through the harness, or the bare program.
class Started {
public:
    Started(const e2e::ProgramFolder* folder, const std::string& bareExe) : startMs_(bench::NowMs()) {
        if (folder) {
            program_ = std::make_unique<e2e::Program>(*folder);
            pid_ = program_->Pid();
            className_ = identity::kMainWindowClass;
        } else {
            std::string cmd = "\"" + bareExe + "\"";
            STARTUPINFOA si{};
            si.cb = sizeof si;
            if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                               &bare_)) {
                WaitForInputIdle(bare_.hProcess, 10000);
                pid_ = bare_.dwProcessId;
            }
            className_ = L"PelmoraBareProgram";
        }
    }
    ~Started() {
        if (!bare_.hProcess) return;
        if (WaitForSingleObject(bare_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(bare_.hProcess, 1);
        CloseHandle(bare_.hThread);
        CloseHandle(bare_.hProcess);
    }

    // Milliseconds from the start until the main window is visible, polled
    // finely; -1 when it never shows.
    double UntilVisible() {
        for (; bench::NowMs() - startMs_ < 30000; Sleep(1))
            if ((main_ = VisibleWindow())) return bench::NowMs() - startMs_;
        return -1;
    }
    // Milliseconds from the start until Pelmora's window list has a row; -1 when
    // it never has (call after UntilVisible).
    double UntilListed() {
        HWND list = main_ ? GetDlgItem(main_, kIdCurrWin) : nullptr;
        for (; list && bench::NowMs() - startMs_ < 30000; Sleep(1))
            if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0) return bench::NowMs() - startMs_;
        return -1;
    }
    // The working set once `ms` have passed since the start, in MiB.
    double WorkingSetAt(double ms) {
        while (bench::NowMs() - startMs_ < ms) Sleep(10);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid_);
        PROCESS_MEMORY_COUNTERS counters{};
        bool known = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
        if (process) CloseHandle(process);
        return known ? static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0) : 0;
    }
    void Close() {
        if (program_) {
            program_->Close();
        } else if (bare_.hProcess) {
            PostMessageW(main_, WM_CLOSE, 0, 0);
            WaitForSingleObject(bare_.hProcess, 10000);
        }
    }
    void Kill() {
        if (program_) program_->Kill();
        if (bare_.hProcess) {
            TerminateProcess(bare_.hProcess, 1);
            WaitForSingleObject(bare_.hProcess, 10000);
        }
    }

private:
    HWND VisibleWindow() const {
        for (HWND w = FindWindowW(className_, nullptr); w;
             w = FindWindowExW(nullptr, w, className_, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid_ && IsWindowVisible(w)) return w;
        }
        return nullptr;
    }

    double startMs_;
    std::unique_ptr<e2e::Program> program_;
    PROCESS_INFORMATION bare_{};
    DWORD pid_ = 0;
    const wchar_t* className_ = nullptr;
    HWND main_ = nullptr;
};

void Print(const char* name, const std::vector<double>& values, double base, const char* unit) {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    double median = bench::Median(values);
    std::printf("  %-8s median %7.1f %s  min %7.1f  max %7.1f", name, median, unit, sorted.front(),
                sorted.back());
    if (base > 0) std::printf("  (%.2f x)", median / base);
    std::printf("\n");
}

}  // namespace

int main() {
    e2e::ProgramFolder folder;
    const std::string bareExe = "Z:" BARE_PROGRAM_PATH;
    std::vector<double> pelmoraStart, bareStart, pelmoraSet, bareSet, pelmoraListed;
    // A window of another program for the list to show, on a thread that answers it.
    DWORD ownThread = 0;
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread own([&ownThread, created] {
        ownThread = GetCurrentThreadId();
        CreateWindowExW(0, L"STATIC", L"startup bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                        nullptr, nullptr, nullptr);
        SetEvent(created);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(created, INFINITE);
    CloseHandle(created);
    for (int run = -1; run < kRuns; ++run) {  // run -1 warms the file cache
        for (bool pelmora : {true, false}) {
            Started started(pelmora ? &folder : nullptr, bareExe);
            double visible = started.UntilVisible();
            double listed = pelmora ? started.UntilListed() : 0;
            double set = started.WorkingSetAt(2000);
            started.Close();
            if (run < 0 || visible < 0) continue;
            (pelmora ? pelmoraStart : bareStart).push_back(visible);
            (pelmora ? pelmoraSet : bareSet).push_back(set);
            if (pelmora && listed >= 0) pelmoraListed.push_back(listed);
        }
    }
    if (pelmoraStart.empty() || bareStart.empty()) return std::printf("a program did not start\n"), 1;
    std::printf("start to visible main window, %d runs each, interleaved (the real hook library):\n", kRuns);
    Print("bare", bareStart, 0, "ms");
    Print("pelmora", pelmoraStart, bench::Median(bareStart), "ms");
    std::printf("start to a filled window list (the bare program has none):\n");
    Print("pelmora", pelmoraListed, bench::Median(bareStart), "ms");
    std::printf("working set 2 s after the start:\n");
    Print("bare", bareSet, 0, "MiB");
    Print("pelmora", pelmoraSet, bench::Median(bareSet), "MiB");
    std::printf("started and killed %d times in a row, start to visible main window in ms:\n", kRuns);
    for (bool pelmora : {true, false}) {
        std::printf("  %-8s", pelmora ? "pelmora" : "bare");
        for (int run = 0; run < kRuns; ++run) {
            Started started(pelmora ? &folder : nullptr, bareExe);
            std::printf(" %.0f", started.UntilVisible());
            started.Kill();
            // Wine takes a while to clean up after a killed process, and a start
            // made meanwhile, of either program, takes up to twice as long: that
            // is the system's, so each start comes a second after the kill.
            Sleep(1000);
        }
        std::printf("\n");
    }
    PostThreadMessageW(ownThread, WM_QUIT, 0, 0);
    own.join();
}
