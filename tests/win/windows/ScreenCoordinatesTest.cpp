// Work-area and screen coordinates: the conversion for taskbars on every side
// and monitors left of the primary, and the normal position the system gives
// for a window of another process.
#include "windows/ScreenCoordinates.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "HelperClient.h"

namespace {

std::tuple<LONG, LONG, LONG, LONG> Corners(RECT r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST(WorkAreaToScreen, MovesByTheTaskbarAtTheTopOrLeftOnly) {
    const RECT window{100, 100, 500, 400};
    struct Case {
        const char* layout;
        RECT monitor, work, onScreen;
    } cases[] = {
        {"taskbar at the bottom", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {100, 100, 500, 400}},
        {"taskbar on the right", {0, 0, 1920, 1080}, {0, 0, 1860, 1080}, {100, 100, 500, 400}},
        {"taskbar at the top", {0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {100, 140, 500, 440}},
        {"taskbar on the left", {0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {160, 100, 560, 400}},
        {"second monitor left, taskbar at the bottom",
         {-1280, 0, 0, 1024},
         {-1280, 0, 0, 984},
         {100, 100, 500, 400}},
        {"second monitor left, taskbar on its left",
         {-1280, 0, 0, 1024},
         {-1220, 0, 0, 1024},
         {160, 100, 560, 400}},
        {"second monitor above, taskbar at its top",
         {0, -1080, 1920, 0},
         {0, -1040, 1920, 0},
         {100, 140, 500, 440}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Corners(WorkAreaToScreen(window, c.monitor, c.work)), Corners(c.onScreen)) << c.layout;
        EXPECT_EQ(Corners(ScreenToWorkArea(c.onScreen, c.monitor, c.work)), Corners(window)) << c.layout;
    }
}

// Sets the primary monitor's work area for one test and puts it back.
class WorkArea {
public:
    explicit WorkArea(RECT area) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0);
        set_ = SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0) != FALSE;
    }
    ~WorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, 0); }
    // True when the monitor reports the area as its work area.
    bool Took(RECT area) const {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        return set_ && Corners(info.rcWork) == Corners(area);
    }

private:
    RECT saved_{};
    bool set_ = false;
};

class PlacementTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

TEST_F(PlacementTest, NormalPositionOfAnotherProcessesWindowIsWhereItIsOnScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* layout;
        RECT work;
    } cases[] = {
        {"whole screen", {0, 0, width, height}},
        {"taskbar at the top", {0, 40, width, height}},
        {"taskbar on the left", {60, 0, width, height}},
    };
    std::string notTaken;
    for (const Case& c : cases) {
        WorkArea area(c.work);
        if (!area.Took(c.work)) {
            notTaken += std::string(" ") + c.layout + ";";
            continue;
        }
        HWND wnd = client.NewWindow({.title = c.layout, .style = WS_POPUP});
        RECT onScreen{};
        ASSERT_TRUE(GetWindowRect(wnd, &onScreen));
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ASSERT_TRUE(GetWindowPlacement(wnd, &placement));
        EXPECT_EQ(Corners(PlacementToScreen(placement.rcNormalPosition)), Corners(onScreen)) << c.layout;
        EXPECT_EQ(Corners(ScreenToPlacement(onScreen)), Corners(placement.rcNormalPosition)) << c.layout;
        client.Destroy(wnd);
    }
    // Wine keeps the monitor's work area whatever is set.
    if (!notTaken.empty()) GTEST_SKIP() << "the system did not take the work area for" << notTaken;
}

}  // namespace
