#include "tray/HiddenWindowRescue.h"

#include <cstdlib>
#include <exception>

#include "tray/TaskbarButton.h"
#include "windows/WindowHelpers.h"
#include "windows/WindowWorker.h"

namespace {

// Waits for the window's thread as long as it takes: it runs on the worker.
void GiveBack(HWND wnd, const HiddenMark& mark) {
    if (mark.how & kHiddenWithToolStyle) {
        SetWindowLongPtrA(wnd, GWL_EXSTYLE, mark.exStyle);
        ShowWindow(wnd, SW_SHOWNA);
    }
    if (mark.how & kButtonHidden) SetTaskbarButton(wnd, true);
    UnmarkHidden(wnd, mark.how);
}

enum class Whose { Orphaned, Own };

struct Sweep {
    Whose whose;
    int restored = 0;
};

bool Wanted(const HiddenMark& mark, Whose whose) {
    if (whose == Whose::Own) return mark.processId == GetCurrentProcessId();
    return mark.processId != GetCurrentProcessId() && !IsMarkHolderRunning(mark);
}

// Each window found is handed to the window worker, which gives it back as
// soon as its program answers.
BOOL CALLBACK SweepWindow(HWND wnd, LPARAM param) {
    auto& sweep = *reinterpret_cast<Sweep*>(param);
    std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
    if (mark && Wanted(*mark, sweep.whose)) {
        HiddenMark found = *mark;
        window_worker::Post(wnd, [wnd, found] { GiveBack(wnd, found); });
        ++sweep.restored;
    }
    return TRUE;
}

int SweepWindows(Whose whose) {
    Sweep sweep{whose};
    EnumWindows(SweepWindow, reinterpret_cast<LPARAM>(&sweep));
    return sweep.restored;
}

constexpr DWORD kCrashWaitMs = 1000;

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

// A crashed program gives back what it can within a bound, then ends: it
// never waits for a busy program, nor for a debugger, while it holds the
// single-instance mutex and its icon.
LONG WINAPI RescueOnCrash(EXCEPTION_POINTERS* info) {
    RestoreOwnHiddenWindows();
    window_worker::WaitIdle(kCrashWaitMs);
    LONG result = previousFilter ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
    if (result == EXCEPTION_CONTINUE_SEARCH)
        TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return result;
}

[[noreturn]] void RescueOnTerminate() {
    RestoreOwnHiddenWindows();
    window_worker::WaitIdle(kCrashWaitMs);
    if (previousTerminate) previousTerminate();
    TerminateProcess(GetCurrentProcess(), 3);
    std::abort();
}

}  // namespace

bool GiveBackMarkedWindow(HWND wnd, const HiddenMark& mark) {
    if (!IsWindowAnswering(wnd)) return false;
    GiveBack(wnd, mark);
    return true;
}

int RestoreOrphanedWindows() {
    return SweepWindows(Whose::Orphaned);
}

int RestoreOwnHiddenWindows() {
    return SweepWindows(Whose::Own);
}

void InstallHiddenWindowRescue() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    previousFilter = SetUnhandledExceptionFilter(RescueOnCrash);
    previousTerminate = std::set_terminate(RescueOnTerminate);
}
