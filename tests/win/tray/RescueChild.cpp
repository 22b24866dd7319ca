// tray_rescue_child.exe MODE EVENT HWND...: a program that hides the given
// windows with a tray registry, signals the named event, and then ends the
// way MODE says, without giving the windows back itself:
//   wait       waits to be killed
//   minimize   hides by minimising and hiding the taskbar buttons, then waits
//   crash      dies of an access violation after installing the rescue
//   terminate  dies through std::terminate after installing the rescue
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "tray/HiddenWindowRescue.h"
#include "tray/TrayControl.h"
#include "windows/WindowWorker.h"

namespace {

// Stands for the system's crash handling: ends the process without a dialog.
LONG WINAPI EndQuietly(EXCEPTION_POINTERS*) {
    ExitProcess(3);
}

void EndQuietlyOnTerminate() {
    ExitProcess(4);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string mode = argv[1];
    SetUnhandledExceptionFilter(EndQuietly);
    std::set_terminate(EndQuietlyOnTerminate);
    if (mode == "crash" || mode == "terminate") InstallHiddenWindowRescue();

    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    auto* tray = new TTrayControl(owner, nullptr, nullptr);  // never destroyed: nothing is given back
    for (int i = 3; i < argc; ++i) {
        HWND wnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[i], nullptr, 0)));
        tray->AddWnd(wnd, false, false);
        tray->HideWnd(wnd, true, mode == "minimize");
    }
    window_worker::WaitIdle(10000);  // the windows are hidden now
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready) SetEvent(ready);

    if (mode == "crash") *static_cast<volatile int*>(nullptr) = 1;
    if (mode == "terminate") std::terminate();
    Sleep(INFINITE);
    return 0;
}
