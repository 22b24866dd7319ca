// Taskbar buttons through a taskbar window chain built in the helper process,
// with the toolbar records in this build's 64-bit layout.
#include "tray/TaskbarButton.h"

#include <commctrl.h>

#include "TrayFixture.h"
#include "tray/HiddenWindowMarks.h"

namespace {

constexpr int kShown = TBSTATE_ENABLED;
constexpr int kHidden = TBSTATE_HIDDEN;

class TaskbarButtonTest : public TrayFixture {
protected:
    ~TaskbarButtonTest() override {
        if (bar.tray) client.Destroy(bar.tray);
    }
    helper::TaskbarChain bar;
};

TEST_F(TaskbarButtonTest, FindsTheChainBuiltByAnotherProcess) {
    bar = client.MakeTaskbar({});
    EXPECT_EQ(FindTaskbarToolbar(), bar.toolbar);
}

TEST_F(TaskbarButtonTest, EveryButtonOfTheWindowChangesAndNoOther) {
    HWND a = client.NewWindow({.title = "a"});
    HWND b = client.NewWindow({.title = "b"});
    bar = client.MakeTaskbar({a, b, a, b});
    EXPECT_EQ(SetTaskbarButton(a, false), TaskbarButtonMethod::Toolbar);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kHidden, kShown, kHidden, kShown}));
    SetTaskbarButton(b, false);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kHidden, kHidden, kHidden, kHidden}));
    SetTaskbarButton(a, true);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kShown, kHidden, kShown, kHidden}));
    SetTaskbarButton(a, true);  // showing again sets the same state
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kShown, kHidden, kShown, kHidden}));
}

TEST_F(TaskbarButtonTest, AWindowWithoutButtonChangesNothing) {
    HWND a = client.NewWindow({.title = "a"});
    HWND none = client.NewWindow({.title = "no button"});
    bar = client.MakeTaskbar({a});
    EXPECT_EQ(SetTaskbarButton(none, false), TaskbarButtonMethod::Toolbar);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{kShown});
    EXPECT_EQ(SetTaskbarButton(nullptr, false), TaskbarButtonMethod::Toolbar);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{kShown});
}

TEST_F(TaskbarButtonTest, ZeroButtons) {
    HWND a = client.NewWindow({.title = "a"});
    bar = client.MakeTaskbar({});
    EXPECT_EQ(SetTaskbarButton(a, false), TaskbarButtonMethod::Toolbar);
    EXPECT_TRUE(client.ButtonStates(bar.toolbar).empty());
}

// Without the toolbar (Windows 7 and later, Wine) the shell's tab list is used.
TEST_F(TaskbarButtonTest, WithoutToolbarTheShellsTabListIsAsked) {
    ASSERT_EQ(FindTaskbarToolbar(), nullptr);
    HWND a = client.NewWindow({.title = "a"});
    EXPECT_EQ(SetTaskbarButton(a, false), TaskbarButtonMethod::TaskbarList);
    EXPECT_EQ(SetTaskbarButton(a, true), TaskbarButtonMethod::TaskbarList);
}

// A taskbar that does not answer costs one bounded wait, and changes nothing.
TEST_F(TaskbarButtonTest, AHungTaskbarDoesNotStopTheProgram) {
    HWND a = client.NewWindow({.title = "a"});
    bar = client.MakeTaskbar({a}, true);
    client.Hang(bar.toolbar);
    EXPECT_EQ(SetTaskbarButton(a, false), TaskbarButtonMethod::Toolbar);
    client.Unhang(bar.toolbar);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{kShown});
}

TEST_F(TaskbarButtonTest, MinimiseOnlyHidesTheButtonAndKeepsTheStyle) {
    HWND wnd = client.NewWindow({.title = "minimise only", .exStyle = WS_EX_ACCEPTFILES});
    HWND other = client.NewWindow({.title = "other"});
    bar = client.MakeTaskbar({wnd, other, wnd});
    LONG_PTR before = ExStyle(wnd);
    int index = tray->AddWnd(wnd, false, true);
    Settle();
    ASSERT_TRUE(tray->HideItem(index, true, true));
    Settle();
    EXPECT_TRUE(IsIconic(wnd));
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(ExStyle(wnd), before);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kHidden, kShown, kHidden}));
    ASSERT_TRUE(ReadHiddenMark(wnd));
    EXPECT_EQ(ReadHiddenMark(wnd)->how, static_cast<UINT>(kButtonHidden));

    EXPECT_TRUE(tray->RestoreItem(index, false, false, SW_RESTORE, false));
    Settle();
    EXPECT_EQ(client.ButtonStates(bar.toolbar),
              (std::vector<int>{kHidden, kShown, kHidden}));  // not asked to
    tray->RestoreItem(index, false, false, SW_RESTORE, true);
    Settle();
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kShown, kShown, kShown}));
    EXPECT_FALSE(ReadHiddenMark(wnd));
    EXPECT_FALSE(IsIconic(wnd));
}

TEST_F(TaskbarButtonTest, RegisteringAMinimisedWindowWithMinimiseOnly) {
    HWND wnd = client.NewWindow({.title = "minimised", .show = "min"});
    bar = client.MakeTaskbar({wnd});
    int index = tray->AddWnd(wnd, false, true);
    Settle();
    EXPECT_TRUE(tray->Item(index).Hidden);
    EXPECT_EQ(client.ButtonStates(bar.toolbar), std::vector<int>{kHidden});
}

// A new taskbar (Explorer restarted) shows every button: the ones this
// program hid are hidden again.
TEST_F(TaskbarButtonTest, ANewTaskbarHidesTheHiddenButtonsAgain) {
    HWND wnd = client.NewWindow({.title = "hidden button"});
    HWND other = client.NewWindow({.title = "other"});
    int index = tray->AddWnd(wnd, false, true);
    Settle();
    ASSERT_TRUE(tray->HideItem(index, true, true));
    Settle();
    bar = client.MakeTaskbar({wnd, other});
    ASSERT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kShown, kShown}));
    SendMessageW(tray->TrayHandle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Settle();
    EXPECT_EQ(client.ButtonStates(bar.toolbar), (std::vector<int>{kHidden, kShown}));
}

}  // namespace
