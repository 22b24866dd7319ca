// The library's thread with the WinEvent source, inside the test process. Wine raises
// only object creation (and focus) by itself, so the helper's windows raise the other
// events Windows would raise for them, through the system (NotifyWinEvent on the
// window's own thread): they travel the whole way, from another process through the
// system's callback and the translation to the posted code.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "HelperClient.h"
#include "HookRecorder.h"
#include "hook/HookContract.h"
#include "hooklib/HookThread.h"

namespace {

using hooktest::HookRecorder;
using Codes = std::map<WPARAM, int>;

class WinEventSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(hooklib::StartHookThread(recorder.Window(), hooklib::EventSourceKind::WinEvents));
    }
    void TearDown() override { hooklib::StopHookThread(); }

    HWND NewWindow(const std::string& title, const std::string& show) {
        helper::WindowSpec request;
        request.title = title;
        request.show = show;
        return app.NewWindow(request);
    }

    HookRecorder recorder;
    helper::HelperClient app;
};

TEST_F(WinEventSourceTest, TheEventsOfAWindowsLifeArriveAsCodesOnceEach) {
    struct Step {
        const char* what;
        int showCommand;  // what the helper does first (0: nothing)
        DWORD event;      // then the event Windows raises for it
        WPARAM code;
    };
    const Step steps[] = {
        {"shown", SW_SHOWNOACTIVATE, EVENT_OBJECT_SHOW, hook::HookWindowCreated},
        {"minimised", SW_MINIMIZE, EVENT_SYSTEM_MINIMIZESTART, hook::HookHideWindow},
        {"foreground", SW_RESTORE, EVENT_SYSTEM_FOREGROUND, hook::HookWindowActivated},
    };
    HWND wnd = NewWindow("Through WinEvents", "hidden");
    Codes expected;
    for (const Step& step : steps) {
        if (step.showCommand) app.Show(wnd, step.showCommand);
        app.Notify(wnd, step.event);
        ++expected[step.code];
        EXPECT_TRUE(recorder.WaitFor(step.code, wnd, expected[step.code])) << step.what;
    }
    app.Notify(wnd, EVENT_OBJECT_SHOW);     // shown again: not new
    app.Notify(wnd, EVENT_OBJECT_DESTROY);  // raised while the window is destroyed
    app.Destroy(wnd);
    ++expected[hook::HookWindowGone];
    EXPECT_TRUE(recorder.WaitFor(hook::HookWindowGone, wnd));
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(wnd), expected);
}

TEST_F(WinEventSourceTest, OneThreadAtATimeAndNothingAfterTheStop) {
    EXPECT_FALSE(hooklib::StartHookThread(recorder.Window(), hooklib::EventSourceKind::WinEvents));
    HWND wnd = NewWindow("After the stop", "hidden");
    hooklib::StopHookThread();
    app.Show(wnd, SW_SHOWNOACTIVATE);
    app.Notify(wnd, EVENT_OBJECT_SHOW);
    app.Notify(wnd, EVENT_SYSTEM_FOREGROUND);
    recorder.Settle();
    EXPECT_EQ(recorder.CodesFor(wnd), Codes{});
}

}  // namespace
