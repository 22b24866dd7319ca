// Prints what the hook library costs and how fast its notifications come, under Wine
// (or on Windows), against the windows of the helper process. Not a test.
//  1. the mouse hook's own work per mouse event, timed directly: a move, a right press
//     on a client area, a right press on a minimise button (hit test of another process);
//  2. one mouse move through the system (SendInput) without and with the library running;
//  3. from a helper window being shown to the code 3 arriving at a window (100 windows);
//  4. churn: 1,000 windows created, shown, minimised and destroyed with the library
//     running: codes received and this process's memory before and after.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "HelperClient.h"
#include "Timing.h"
#include "hook/HookContract.h"
#include "hooklib/MinimizeButtonClick.h"

namespace {

void Print(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %8.4f ms  worst %8.4f ms  (n=%zu)\n", what, ms[ms.size() / 2], ms.back(),
                ms.size());
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

// Receives the library's notifications, as the main window does, with their time of arrival.
struct Receiver {
    UINT message = RegisterWindowMessageA(hook::kHookMessageName);
    HWND window = nullptr;
    std::map<HWND, double> created;  // arrival of code 3 per window
    std::map<WPARAM, int> counts;

    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (!self || m != self->message) return DefWindowProcW(w, m, wp, lp);
        ++self->counts[wp];
        if (wp == hook::HookWindowCreated) self->created.emplace(reinterpret_cast<HWND>(lp), bench::NowMs());
        return 0;
    }
    Receiver() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = L"PelmoraHookBench";
        RegisterClassW(&wc);
        window =
            CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
};

struct Library {
    HMODULE module = nullptr;
    hook::StartHookFunc start = nullptr;
    hook::StopHookFunc stop = nullptr;
    Library() {
        std::string path = PELMORA_HOOK_DLL;
        if (path[0] == '/') path = "Z:" + path;
        std::replace(path.begin(), path.end(), '/', '\\');
        module = LoadLibraryA(path.c_str());
        start = reinterpret_cast<hook::StartHookFunc>(
            reinterpret_cast<void*>(GetProcAddress(module, "StartHook")));
        stop =
            reinterpret_cast<hook::StopHookFunc>(reinterpret_cast<void*>(GetProcAddress(module, "StopHook")));
    }
    ~Library() { FreeLibrary(module); }
};

POINT PointAnswering(HWND wnd, LRESULT area) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const int y = area == HTCLIENT
                      ? (r.top + r.bottom) / 2
                      : r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = r.right - 1; x >= r.left; --x)
        if (SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == area) return {x - 2, y};
    return {r.left, r.top};
}

void MouseHookWork(HWND wnd) {
    hooklib::MinimizeButtonClick click;
    const POINT client = PointAnswering(wnd, HTCLIENT), button = PointAnswering(wnd, HTMINBUTTON);
    struct Case {
        const char* what;
        WPARAM message;
        POINT at;
        int runs;
    } cases[] = {
        {"hook work: mouse move", WM_MOUSEMOVE, client, 100000},
        {"hook work: right press on a client area", WM_RBUTTONDOWN, client, 300},
        {"hook work: right press on a minimise button", WM_RBUTTONDOWN, button, 300},
    };
    for (const Case& c : cases) {
        std::vector<double> ms;
        for (int i = 0; i < c.runs; ++i) {
            const double t0 = bench::NowMs();
            click.OnMouse(c.message, c.at);
            ms.push_back(bench::NowMs() - t0);
            click.OnMouse(WM_RBUTTONUP, c.at);
        }
        Print(c.what, ms);
    }
}

std::vector<double> SendMoves(int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = (i % 2) ? 1 : -1;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        const double t0 = bench::NowMs();
        SendInput(1, &in, sizeof in);
        ms.push_back(bench::NowMs() - t0);
    }
    return ms;
}

}  // namespace

int main() {
    helper::HelperClient app;
    Receiver receiver;
    Library library;
    if (!library.start || !library.stop) return std::printf("pelmora.dll or its exports are missing\n"), 1;
    helper::WindowSpec request;
    request.title = "Bench window";
    HWND wnd = app.NewWindow(request);
    app.Activate(wnd);
    SetCursorPos(400, 600);

    MouseHookWork(wnd);
    Print("SendInput mouse move, library not running", SendMoves(2000));
    library.start(receiver.window);
    Print("SendInput mouse move, library running", SendMoves(2000));
    Pump(300);

    // The helper is driven from a thread of its own, so this thread pumps the whole time
    // and times the arrival, not the end of the request.
    std::vector<HWND> windows(100);
    std::vector<double> shownAt(windows.size());
    std::atomic<bool> done = false;
    std::thread driver([&] {
        for (size_t i = 0; i < windows.size(); ++i) {
            request.show = "hidden";
            windows[i] = app.NewWindow(request);
            shownAt[i] = bench::NowMs();
            app.Show(windows[i], SW_SHOWNOACTIVATE);
            Sleep(5);
        }
        done = true;
    });
    while (!done) Pump(1);
    driver.join();
    Pump(500);
    std::vector<double> latency;
    for (size_t i = 0; i < windows.size(); ++i)
        if (receiver.created.count(windows[i])) latency.push_back(receiver.created[windows[i]] - shownAt[i]);
    std::printf("code 3 arrived for %zu of %zu windows shown\n", latency.size(), windows.size());
    if (!latency.empty()) Print("show request sent -> code 3 arrived", latency);
    for (HWND w : windows) app.Destroy(w);
    Pump(500);

    PROCESS_MEMORY_COUNTERS before{}, after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    receiver.counts.clear();
    const double churnStart = bench::NowMs();
    for (int i = 0; i < 1000; ++i) {
        request.show = "normal";
        HWND w = app.NewWindow(request);
        app.Show(w, SW_MINIMIZE);
        app.Destroy(w);
        if (i % 50 == 0) Pump(1);
    }
    Pump(1000);
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    std::printf("churn of 1000 windows: %.0f ms; codes 3: %d, 1: %d, 2: %d\n", bench::NowMs() - churnStart,
                receiver.counts[hook::HookWindowCreated], receiver.counts[hook::HookHideWindow],
                receiver.counts[hook::HookWindowGone]);
    std::printf("this process's working set: %lu KiB before, %lu KiB after\n",
                static_cast<unsigned long>(before.WorkingSetSize / 1024),
                static_cast<unsigned long>(after.WorkingSetSize / 1024));
    library.stop();
    Print("SendInput mouse move, library stopped again", SendMoves(2000));
}
