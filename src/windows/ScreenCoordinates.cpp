#include "windows/ScreenCoordinates.h"

namespace {

RECT Moved(RECT r, LONG dx, LONG dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The monitor's rectangle and work area; the rectangle itself for both when
// the system cannot say, so that nothing is moved.
void MonitorAreas(const RECT& r, RECT& monitor, RECT& work) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
        monitor = info.rcMonitor;
        work = info.rcWork;
    } else {
        monitor = work = r;
    }
}

}  // namespace

// The origin of work-area coordinates is the work area's top-left corner
// shifted back by the monitor's: only what the taskbar takes at the top or
// left counts, whichever monitor it is.
RECT WorkAreaToScreen(RECT r, RECT monitor, RECT work) {
    return Moved(r, work.left - monitor.left, work.top - monitor.top);
}

RECT ScreenToWorkArea(RECT r, RECT monitor, RECT work) {
    return Moved(r, monitor.left - work.left, monitor.top - work.top);
}

RECT PlacementToScreen(RECT normalPosition) {
    RECT monitor, work;
    MonitorAreas(normalPosition, monitor, work);
    return WorkAreaToScreen(normalPosition, monitor, work);
}

RECT ScreenToPlacement(RECT screen) {
    RECT monitor, work;
    MonitorAreas(screen, monitor, work);
    return ScreenToWorkArea(screen, monitor, work);
}
