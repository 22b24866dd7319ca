// The program's own notification-area icon, seen from another process: the
// shell's record of it, and the notifications the shell sends it.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "Harness.h"
#include "ui/NotifyIcon.h"

using namespace e2e;

namespace {

// What the shell posts for a mouse action on the icon.
void Mouse(HWND iconWindow, std::initializer_list<UINT> messages) {
    for (UINT m : messages)
        PostMessageW(iconWindow, ui::NotifyIcon::kCallbackMessage, ui::NotifyIcon::kIconId, m);
}

bool OnScreen(HWND w) {
    return IsWindowVisible(w) && !IsIconic(w);
}

// Counts the icon windows Wine's shell makes in its notification area, one per
// icon added, from the system's report of each window made in any process.
class TrayIconsMade {
public:
    TrayIconsMade() {
        made_ = 0;
        hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnCreate, 0, 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~TrayIconsMade() {
        if (hook_) UnhookWinEvent(hook_);
    }
    bool Watching() const { return hook_ != nullptr; }
    // The reports queued for this thread so far are handled first: the shell
    // makes an icon's window while the adding program waits for it.
    int Count() const {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        return made_;
    }

private:
    static void CALLBACK OnCreate(HWINEVENTHOOK, DWORD, HWND wnd, LONG object, LONG, DWORD, DWORD) {
        if (object == OBJID_WINDOW && IsTrayIconWindow(wnd)) ++made_;
    }
    static inline int made_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace

TEST(OwnIcon, HideIconSwitchNeedsDashOrSlash) {
    struct Case {
        const char* args;
        bool iconShown;
    };
    const Case cases[] = {
        {"", true}, {"/HIDEICON", false}, {"-hideicon", false}, {"hideicon", true}, {"/hideicons", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        ProgramFolder folder;
        TrayIconsMade made;
        ASSERT_TRUE(made.Watching());
        Program p(folder, c.args);
        HWND icon = p.IconWindow();
        ASSERT_NE(icon, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
        EXPECT_EQ(OwnIconShown(icon), c.iconShown);
        // Asked to keep its icon away, the program never shows it, not even for a moment.
        EXPECT_EQ(made.Count(), c.iconShown ? 1 : 0);
        EXPECT_EQ(p.Close(), 0);
    }
}

TEST(OwnIcon, LeftOrMiddleClickTogglesTheMainWindow) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    HWND icon = p.IconWindow();
    ASSERT_TRUE(WaitUntil([&] { return OnScreen(main); }));

    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "hidden, no taskbar button";
    {
        ForegroundWatch foreground;
        Mouse(icon, {WM_MBUTTONDOWN, WM_MBUTTONUP});
        EXPECT_TRUE(WaitUntil([&] { return OnScreen(main); }));
        EXPECT_TRUE(foreground.Became(main));
    }

    // A double click is one click: the second press arrives as a double-click message.
    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    ASSERT_TRUE(p.HandledEverythingPosted());
    EXPECT_FALSE(IsWindowVisible(main));
    // A release without its press is no click.
    Mouse(icon, {WM_LBUTTONUP});
    ASSERT_TRUE(p.HandledEverythingPosted());
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(p.Close(), 0);
}

TEST(OwnIcon, MinimisingHidesTheProgramIntoTheTray) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return OnScreen(main); }));
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    Mouse(p.IconWindow(), {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(main); })) << "restored from its minimised state";
    EXPECT_EQ(p.Close(), 0);
}

TEST(OwnIcon, ComesBackWhenTheTaskbarIsCreatedAgain) {
    ProgramFolder folder;
    Program p(folder);
    HWND icon = p.IconWindow();
    ASSERT_TRUE(WaitUntil([&] { return OwnIconShown(icon); }));
    // The shell forgets the icon, as when Explorer restarts, then announces itself.
    NOTIFYICONDATAW nid = OwnIconRecord(icon);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    ASSERT_FALSE(OwnIconShown(icon));
    PostMessageW(icon, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return OwnIconShown(icon); }));
    EXPECT_EQ(p.Close(), 0);
}

TEST(OwnIcon, RemovedAtExit) {
    ProgramFolder folder;
    const int before = TrayIconCount();
    Program p(folder);
    HWND main = p.MainWindow();
    // Start-up is over (the settings were read) once the window shows.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    ASSERT_TRUE(WaitUntil([&] { return OwnIconShown(p.IconWindow()); }));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; }));
    // A save that fails keeps the ending program on its error box: the icon
    // has to be gone by then, while its window still exists.
    ASSERT_TRUE(CreateDirectoryA(folder.SettingsFile().c_str(), nullptr));
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindow(p.IconWindow()));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before; }));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_EQ(TrayIconCount(), before);
    RemoveDirectoryA(folder.SettingsFile().c_str());
}

TEST(OwnIcon, HiddenMaximisedWindowComesBackMaximisedOnTheFirstClick) {
    ProgramFolder folder;
    folder.WriteSettings(
        "<configuration><appSettings><add key=\"Left\" value=\"130\"/><add key=\"Top\" value=\"170\"/>"
        "<add key=\"Width\" value=\"520\"/><add key=\"Height\" value=\"310\"/>"
        "<add key=\"Maximized\" value=\"-1\"/><add key=\"ShowWindow\" value=\"0\"/>"
        "</appSettings></configuration>");
    {
        Program p(folder);
        HWND main = p.MainWindow();
        HWND icon = p.IconWindow();
        ASSERT_TRUE(WaitUntil([&] { return OwnIconShown(icon); }));
        // Start-up is over once the program takes messages from its queue.
        ASSERT_TRUE(p.HandledEverythingPosted());
        ASSERT_FALSE(IsWindowVisible(main));
        Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && IsZoomed(main); }));
        EXPECT_EQ(p.Close(), 0);
    }
    std::string xml = folder.ReadSettings();
    EXPECT_EQ(Value(xml, "Maximized"), "-1");
    EXPECT_EQ(Value(xml, "Left"), "130");
    EXPECT_EQ(Value(xml, "Top"), "170");
    EXPECT_EQ(Value(xml, "Width"), "520");
    EXPECT_EQ(Value(xml, "Height"), "310");
}

TEST(OwnIcon, RightClickMenuEndsTheProgramInOrder) {
    ProgramFolder folder;
    Program p(folder);
    HWND icon = p.IconWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
    Mouse(icon, {WM_RBUTTONDOWN, WM_RBUTTONUP});
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }));
    // The mnemonic of "終了(&X)", the menu's last item.
    PostMessageW(menu, WM_KEYDOWN, 'X', 0);
    PostMessageW(menu, WM_CHAR, 'x', 0);
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_EQ(Keys(folder.ReadSettings()).size(), 10u) << "shut down in order: the settings were saved";
}
