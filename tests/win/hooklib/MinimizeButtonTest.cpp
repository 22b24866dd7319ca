// The right click on a window's minimise button, made as input through the system (it
// passes the low-level mouse hook as a real click does) on a window of another process.
// Wine draws the captions itself in this prefix, so the button exists on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HelperClient.h"
#include "HookLibrary.h"
#include "HookRecorder.h"
#include "hook/HookContract.h"

namespace {

using hooktest::HookLibrary;
using hooktest::HookRecorder;

// A screen point of `wnd` that answers a hit test with `area`, searched along the caption
// row (or the middle row for the client area); fails the test if there is none.
POINT PointAnswering(HWND wnd, LRESULT area) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const int captionY = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    const int y = area == HTCLIENT ? (r.top + r.bottom) / 2 : captionY;
    int first = -1, last = -1;
    for (int x = r.right - 1; x >= r.left; --x) {
        if (SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == area) {
            if (last < 0) last = x;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    EXPECT_GE(last, 0) << "no point of the window answers " << area;
    return {(first + last) / 2, y};
}

void Click(POINT at, DWORD down, DWORD up) {
    SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
}

void RightClick(POINT at) {
    Click(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

class MinimizeButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.Loaded());
        ASSERT_TRUE(library.Start(recorder.Window()));
        helper::WindowSpec request;
        request.title = "Right click me";
        request.ownThread = true;  // so one test can stop its thread
        wnd = app.NewWindow(request);
        app.Activate(wnd);  // on top of anything else at its place
        recorder.Settle();
        recorder.Clear();
    }
    void TearDown() override { library.Stop(); }

    helper::HelperClient app;
    HookRecorder recorder;
    // Pumps until the window has received exactly `count` mouse-button
    // messages; false when it has not within ten seconds or got more.
    bool WaitForClicks(int count) {
        for (int i = 0; i < 400; ++i) {
            int clicks = app.Clicks(wnd);
            if (clicks >= count) return clicks == count;
            recorder.Settle(25);
        }
        return false;
    }

    HookLibrary library;
    HWND wnd = nullptr;
};

TEST_F(MinimizeButtonTest, ARightClickOnTheMinimiseButtonIsReportedAndNeverReachesTheWindow) {
    RightClick(PointAnswering(wnd, HTMINBUTTON));
    ASSERT_TRUE(recorder.WaitFor(hook::HookTrayWindow, wnd));
    // A left click in the client area comes after it: once its press and
    // release have arrived, whatever the right click let through has too.
    Click(PointAnswering(wnd, HTCLIENT), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitForClicks(2)) << "neither the press nor the release of the right click reached the window";
    EXPECT_EQ(recorder.Count(hook::HookTrayWindow, wnd), 1);
    EXPECT_FALSE(IsIconic(wnd));
}

TEST_F(MinimizeButtonTest, OtherClicksPassThrough) {
    struct Case {
        const char* what;
        LRESULT area;
        DWORD down, up;
    };
    const Case cases[] = {
        {"right click in the client area", HTCLIENT, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
        {"left click in the client area", HTCLIENT, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    };
    for (const Case& c : cases) {
        const int before = app.Clicks(wnd);
        Click(PointAnswering(wnd, c.area), c.down, c.up);
        EXPECT_TRUE(WaitForClicks(before + 2)) << c.what << ": press and release reach the window";
        EXPECT_EQ(recorder.Count(hook::HookTrayWindow, wnd), 0) << c.what;
    }
}

TEST_F(MinimizeButtonTest, ALeftClickOnTheMinimiseButtonMinimisesAsUsual) {
    Click(PointAnswering(wnd, HTMINBUTTON), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(recorder.WaitFor(hook::HookHideWindow, wnd));
    // Reported as the minimising begins, on the window's thread: once that
    // thread answers a request, the window is minimised or never will be.
    app.Clicks(wnd);
    EXPECT_TRUE(IsIconic(wnd));
    EXPECT_EQ(recorder.Count(hook::HookTrayWindow, wnd), 0);
}

TEST_F(MinimizeButtonTest, AWindowThatDoesNotAnswerIsLeftAlone) {
    const POINT button = PointAnswering(wnd, HTMINBUTTON);
    app.Hang(wnd);
    const DWORD start = GetTickCount();
    RightClick(button);
    const DWORD spent = GetTickCount() - start;
    recorder.Settle();
    app.Unhang(wnd);
    EXPECT_EQ(recorder.Count(hook::HookTrayWindow, wnd), 0);
    // Not a speed goal: only that the hit test gave up instead of waiting for the window.
    EXPECT_LT(spent, 2000u);
}

}  // namespace
