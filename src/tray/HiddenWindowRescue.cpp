#include "tray/HiddenWindowRescue.h"

#include <cstdlib>
#include <exception>

#include "tray/TaskbarButton.h"
#include "windows/WindowHelpers.h"

namespace {

enum class Whose { Orphaned, Own };

struct Sweep {
    Whose whose;
    int restored = 0;
};

bool Wanted(const HiddenMark& mark, Whose whose) {
    if (whose == Whose::Own) return mark.processId == GetCurrentProcessId();
    return mark.processId != GetCurrentProcessId() && !IsMarkHolderRunning(mark);
}

BOOL CALLBACK SweepWindow(HWND wnd, LPARAM param) {
    auto& sweep = *reinterpret_cast<Sweep*>(param);
    std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
    if (mark && Wanted(*mark, sweep.whose) && GiveBackMarkedWindow(wnd, *mark)) ++sweep.restored;
    return TRUE;
}

int SweepWindows(Whose whose) {
    Sweep sweep{whose};
    EnumWindows(SweepWindow, reinterpret_cast<LPARAM>(&sweep));
    return sweep.restored;
}

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

LONG WINAPI RescueOnCrash(EXCEPTION_POINTERS* info) {
    RestoreOwnHiddenWindows();
    return previousFilter ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void RescueOnTerminate() {
    RestoreOwnHiddenWindows();
    if (previousTerminate) previousTerminate();
    std::abort();
}

}  // namespace

bool GiveBackMarkedWindow(HWND wnd, const HiddenMark& mark) {
    if (!IsWindowAnswering(wnd)) return false;
    if (mark.how & kHiddenWithToolStyle) {
        SetWindowLongPtrA(wnd, GWL_EXSTYLE, mark.exStyle);
        ShowWindow(wnd, SW_SHOWNA);
    }
    if (mark.how & kButtonHidden) SetTaskbarButton(wnd, true);
    UnmarkHidden(wnd, mark.how);
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
