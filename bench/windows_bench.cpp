// What reading other programs' windows costs: a title read of a window whose
// thread is hung against one that answers, and the executable path of a
// process read both ways (QueryFullProcessImageNameA and a module snapshot),
// plus the taskbar-button change through a toolbar chain and a hung one.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "HelperClient.h"
#include "tray/TaskbarButton.h"
#include "windows/WinInfo.h"
#include "windows/WindowFileName.h"
#include "windows/WindowHelpers.h"

namespace {

// Milliseconds per call, averaged over `runs` calls.
double Time(int runs, const std::function<void()>& call) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) call();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / runs;
}

void Report(const char* what, int runs, double ms) {
    std::printf("%-58s %9.3f ms per call (%d calls)\n", what, ms, runs);
}

void TitleReads(helper::HelperClient& client) {
    HWND answering = client.NewWindow({.title = "answering window", .ownThread = true});
    HWND hung = client.NewWindow({.title = "hung window", .ownThread = true});
    client.Hang(hung);
    Report("title read (TWinInfo::ReadTitle), window answers", 200,
           Time(200, [&] { TWinInfo(answering, 0).ReadTitle(); }));
    Report("title read (TWinInfo::ReadTitle), hung window", 10,
           Time(10, [&] { TWinInfo(hung, 0).ReadTitle(); }));
    Report("full caption (GetWindowCaption), hung window", 10, Time(10, [&] { GetWindowCaption(hung); }));
    Report("IsWindowAnswering, hung window", 10, Time(10, [&] { IsWindowAnswering(hung); }));
    client.Unhang(hung);
}

void PathQueries(helper::HelperClient& client) {
    DWORD pid = client.ProcessId();
    HWND wnd = client.NewWindow({.title = "path"});
    Report("path: OpenProcess + QueryFullProcessImageNameA", 500,
           Time(500, [&] { QueryProcessImagePath(pid); }));
    Report("path: toolhelp module snapshot + Module32First", 50, Time(50, [&] { ModuleSnapshotPath(pid); }));
    Report("path: GetWindowFileName (both, first one answers)", 500,
           Time(500, [&] { GetWindowFileName(wnd); }));
}

void TaskbarButtons(helper::HelperClient& client) {
    std::vector<HWND> windows;
    for (int i = 0; i < 20; ++i) windows.push_back(client.NewWindow({.title = "button"}));
    helper::TaskbarChain bar = client.MakeTaskbar(windows, true);
    Report("SetTaskbarButton, toolbar with 20 buttons", 50,
           Time(50, [&] { SetTaskbarButton(windows[3], false); }));
    client.Hang(bar.toolbar);
    Report("SetTaskbarButton, toolbar whose thread is hung", 5,
           Time(5, [&] { SetTaskbarButton(windows[3], true); }));
    client.Unhang(bar.toolbar);
    client.Destroy(bar.tray);
    Report("SetTaskbarButton, no toolbar (ITaskbarList)", 20,
           Time(20, [&] { SetTaskbarButton(windows[3], true); }));
}

}  // namespace

int main() {
    helper::HelperClient client;
    TitleReads(client);
    PathQueries(client);
    TaskbarButtons(client);
    return 0;
}
