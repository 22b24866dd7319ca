// The tray subsystem's operations on windows of the helper program: the
// restore-all item of the own icon's menu and bringing back the window that
// went into the tray last.
#include <windows.h>

#include <gtest/gtest.h>

#include "HelperClient.h"
#include "MenuDescription.h"
#include "tray/Tray.h"
#include "ui/Handles.h"
#include "windows/WindowWorker.h"

namespace {

class QuietHost : public TTrayHost {
public:
    void ShowMainWindow(bool) override {}
    void HideApplication() override {}
    bool IsMainWindowOnScreen() const override { return false; }
    void NExitClick() override {}
};

class TrayTest : public ::testing::Test {
protected:
    TrayTest()
        : owner(CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)),
          tray(host, owner.get(), GetModuleHandleW(nullptr), LoadIconW(nullptr, IDI_APPLICATION), options, [] {}) {
        tray.Start();
    }
    static void Settle() { ASSERT_TRUE(window_worker::WaitIdle(10000)); }
    bool RestoreAllEnabled() {
        tray.UpdateTrayMenu();
        return (GetMenuState(tray.TrayMenu(), ID_NRestoreAll, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }

    helper::HelperClient client;
    QuietHost host;
    TOptions options;
    ui::OwnedWindow owner;
    TTray tray;
};

bool OnScreen(HWND wnd) {
    return IsWindowVisible(wnd) && !IsIconic(wnd);
}

TEST_F(TrayTest, RestoreAllShowsEveryHiddenWindowAndIsThereOnlyWhileOneIsHidden) {
    HWND a = client.NewWindow({.title = "A"});
    HWND b = client.NewWindow({.title = "B"});
    HWND onScreen = client.NewWindow({.title = "On screen"});
    EXPECT_FALSE(RestoreAllEnabled()) << "nothing is hidden yet";
    tray.AddToTray(onScreen);
    tray.SendToTray(a);
    tray.SendToTray(b);
    Settle();
    ASSERT_FALSE(IsWindowVisible(a));
    ASSERT_FALSE(IsWindowVisible(b));
    ASSERT_TRUE(RestoreAllEnabled());
    tray.OnCommand(ID_NRestoreAll);
    Settle();
    EXPECT_TRUE(OnScreen(a));
    EXPECT_TRUE(OnScreen(b));
    EXPECT_TRUE(OnScreen(onScreen));
    EXPECT_FALSE(RestoreAllEnabled());
    // The entries stay: each window can go into the tray again.
    EXPECT_TRUE(tray.Contains(a) && tray.Contains(b) && tray.Contains(onScreen));
}

TEST_F(TrayTest, BringBackTakesTheWindowHiddenLastThenTheOneBefore) {
    HWND a = client.NewWindow({.title = "A"});
    HWND b = client.NewWindow({.title = "B"});
    HWND c = client.NewWindow({.title = "C"});
    for (HWND wnd : {b, a, c}) tray.SendToTray(wnd);
    Settle();
    // Brought back in turn and hidden again: the order goes by the last hide.
    ASSERT_TRUE(tray.BringBackLastHidden());
    Settle();
    EXPECT_TRUE(OnScreen(c));
    tray.SendToTray(c);
    ASSERT_TRUE(tray.BringBackLastHidden());
    Settle();
    EXPECT_TRUE(OnScreen(c));
    EXPECT_FALSE(IsWindowVisible(a));
    ASSERT_TRUE(tray.BringBackLastHidden());
    Settle();
    EXPECT_TRUE(OnScreen(a));
    EXPECT_FALSE(IsWindowVisible(b));
    // A window that is gone is passed over.
    client.Destroy(b);
    EXPECT_FALSE(tray.BringBackLastHidden());
}

}  // namespace
