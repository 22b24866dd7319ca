// Windows hidden by a run that could not give them back: killed, crashed or
// ended by std::terminate. The run is a separate program (RescueChild.cpp);
// the windows belong to the helper program.
#include "tray/HiddenWindowRescue.h"
#include "windows/WindowWorker.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HelperClient.h"
#include "ui/Handles.h"

namespace {

struct Child {
    ui::OwnedHandle process;
    DWORD id = 0;
};

// Starts the child and waits until it has hidden the windows.
Child StartChild(const std::string& mode, const std::vector<HWND>& windows) {
    std::string event = "PelmoraRescueTest" + std::to_string(GetCurrentProcessId()) + mode;
    ui::OwnedHandle ready(CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
    std::string exe = "Z:" PELMORA_RESCUE_CHILD_EXE;
    std::string command = "\"" + exe + "\" " + mode + " " + event;
    for (HWND wnd : windows) command += " " + std::to_string(reinterpret_cast<UINT_PTR>(wnd));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("cannot start " + exe);
    CloseHandle(pi.hThread);
    Child child{ui::OwnedHandle(pi.hProcess), pi.dwProcessId};
    HANDLE waits[] = {ready.get(), child.process.get()};
    WaitForMultipleObjects(2, waits, FALSE, 20000);
    return child;
}

void Kill(Child& child) {
    TerminateProcess(child.process.get(), 9);
    WaitForSingleObject(child.process.get(), 10000);
}

LONG_PTR ExStyle(HWND wnd) {
    return GetWindowLongPtrA(wnd, GWL_EXSTYLE);
}

class RescueTest : public ::testing::Test {
protected:
    // Windows with different extended styles, and what they had before.
    void MakeWindows() {
        for (DWORD exStyle : {0ul, static_cast<unsigned long>(WS_EX_ACCEPTFILES),
                              static_cast<unsigned long>(WS_EX_TOOLWINDOW)}) {
            windows.push_back(client.NewWindow({.title = "rescued", .exStyle = exStyle}));
            styles.push_back(ExStyle(windows.back()));
        }
    }
    void ExpectAllBack() {
        for (size_t i = 0; i < windows.size(); ++i) {
            EXPECT_TRUE(IsWindowVisible(windows[i])) << i;
            EXPECT_EQ(ExStyle(windows[i]), styles[i]) << i;
            EXPECT_FALSE(ReadHiddenMark(windows[i])) << i;
        }
    }

    helper::HelperClient client;
    std::vector<HWND> windows;
    std::vector<LONG_PTR> styles;
};

TEST_F(RescueTest, WindowsOfAKilledRunComeBackAtTheNextStart) {
    MakeWindows();
    Child child = StartChild("wait", windows);
    for (HWND wnd : windows) {
        ASSERT_FALSE(IsWindowVisible(wnd));
        std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
        ASSERT_TRUE(mark);
        EXPECT_EQ(mark->processId, child.id);
    }
    // While the run that hid them lives, nobody else touches them.
    RestoreOrphanedWindows();
    for (HWND wnd : windows) EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(RestoreOwnHiddenWindows(), 0);

    Kill(child);
    for (HWND wnd : windows) EXPECT_FALSE(IsWindowVisible(wnd));  // the system gives nothing back
    EXPECT_GE(RestoreOrphanedWindows(), 3);
    ASSERT_TRUE(window_worker::WaitIdle(10000));
    ExpectAllBack();
    EXPECT_EQ(RestoreOrphanedWindows(), 0);
}

TEST_F(RescueTest, TaskbarButtonsOfAKilledRunComeBack) {
    HWND wnd = client.NewWindow({.title = "minimised only"});
    helper::TaskbarChain bar = client.MakeTaskbar({wnd});
    Child child = StartChild("minimize", {wnd});
    EXPECT_TRUE(IsIconic(wnd));
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{TBSTATE_HIDDEN});
    Kill(child);
    EXPECT_GE(RestoreOrphanedWindows(), 1);
    ASSERT_TRUE(window_worker::WaitIdle(10000));
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{TBSTATE_ENABLED});
    EXPECT_FALSE(ReadHiddenMark(wnd));
    client.Destroy(bar.tray);
}

TEST_F(RescueTest, ACrashGivesTheWindowsBack) {
    MakeWindows();
    Child child = StartChild("crash", windows);
    ASSERT_EQ(WaitForSingleObject(child.process.get(), 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.process.get(), &code);
    EXPECT_EQ(code, 3u);  // the filter installed before the rescue ran after it
    ExpectAllBack();
}

TEST_F(RescueTest, TerminateGivesTheWindowsBack) {
    MakeWindows();
    Child child = StartChild("terminate", windows);
    ASSERT_EQ(WaitForSingleObject(child.process.get(), 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.process.get(), &code);
    EXPECT_EQ(code, 4u);
    ExpectAllBack();
}

}  // namespace
