// The global hotkeys of the running program, pressed as the system reports a
// press (WM_HOTKEY to the main window), against windows of a helper process;
// a key another program holds; and the restore-all item of the own icon's menu.
#include <windows.h>

#include <gtest/gtest.h>

#include "Harness.h"
#include "HelperClient.h"
#include "MenuDescription.h"
#include "hook/HookContract.h"
#include "hotkeys/HotKeyCode.h"
#include "hotkeys/HotKeys.h"
#include "ui/NotifyIcon.h"

using namespace e2e;

namespace {

bool OnScreen(HWND w) {
    return IsWindowVisible(w) && !IsIconic(w);
}

void Press(HWND main, int id, hotkeys::HotKeyCode code) {
    PostMessageW(main, WM_HOTKEY, id, MAKELPARAM(hotkeys::RegisterModifiers(code), hotkeys::VirtualKey(code)));
}

void PressToTray(HWND main) {
    Press(main, THotKeys::kToTray, hotkeys::kToTrayDefault);
}

void PressBringBack(HWND main) {
    Press(main, THotKeys::kBringBack, hotkeys::kBringBackDefault);
}

// A key this process holds as another program would, given up however the test ends.
class HeldKey {
public:
    HeldKey(int id, hotkeys::HotKeyCode code)
        : id_(id), held_(RegisterHotKey(nullptr, id, hotkeys::RegisterModifiers(code), hotkeys::VirtualKey(code))) {}
    ~HeldKey() {
        if (held_) UnregisterHotKey(nullptr, id_);
    }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;
    bool Held() const { return held_; }

private:
    int id_;
    bool held_;
};

bool Activate(helper::HelperClient& client, HWND wnd) {
    return client.Activate(wnd) && WaitUntil([&] { return GetForegroundWindow() == wnd; });
}

}  // namespace

TEST(HotKeys, TheTrayKeySendsTheActiveWindowAndTheOtherBringsThemBackLastFirst) {
    helper::HelperClient app;
    HWND first = app.NewWindow({.title = "First"});
    HWND second = app.NewWindow({.title = "Second"});
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));

    // The program's own window is not sent: it would get an icon of its own.
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    const int icons = TrayIconCount();
    PressToTray(main);
    ASSERT_TRUE(p.HandledEverythingPosted());
    EXPECT_TRUE(OnScreen(main));
    EXPECT_EQ(TrayIconCount(), icons);

    ASSERT_TRUE(Activate(app, first));
    PressToTray(main);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(first); }));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == icons + 1; })) << "with its icon";
    ASSERT_TRUE(Activate(app, second));
    PressToTray(main);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(second); }));

    PressBringBack(main);
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(second) != FALSE; }));
    PressBringBack(main);
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(first) != FALSE; }));
    EXPECT_EQ(p.Close(), 0);
    EXPECT_EQ(Value(folder.ReadSettings(), "HotKeyToTray"), "<absent>") << "the defaults are not written";
}

TEST(HotKeys, AKeyAnotherProgramHoldsIsSaidOnceAndTheProgramRunsOnWithTheOther) {
    // This process holds the tray key, as another program would.
    HeldKey taken(1, hotkeys::kToTrayDefault);
    ASSERT_TRUE(taken.Held());
    helper::HelperClient app;
    HWND wnd = app.NewWindow({.title = "Sent by its minimise button"});
    ProgramFolder folder;
    Program p(folder);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "the taken key is not said";
    EXPECT_NE(Program::MessageBoxText(box).find("Ctrl+Alt+Shift+"), std::string::npos)
        << Program::MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    // The other key works.
    SendMessageW(main, RegisterWindowMessageA(hook::kHookMessageName), hook::HookTrayWindow,
                 reinterpret_cast<LPARAM>(wnd));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(wnd); }));
    PressBringBack(main);
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(wnd) != FALSE; }));
    EXPECT_EQ(p.Close(), 0);
    EXPECT_EQ(Value(folder.ReadSettings(), "HotKeyToTray"), "<absent>") << "the stored key stays as it was";
}

TEST(HotKeys, StoredKeysAreReadAndWrittenBackAsTheyWere) {
    // Ctrl+Shift+F11 (an extended key flag is not needed for it) and no key for the other.
    const hotkeys::HotKeyCode key = hotkeys::MakeCode(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    ProgramFolder folder;
    folder.WriteSettings(
        "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
        "    <add key=\"HotKeyToTray\" value=\"" + hotkeys::CodeText(key) + "\"/>\r\n"
        "    <add key=\"HotKeyBringBack\" value=\"0\"/>\r\n"
        "  </appSettings>\r\n</configuration>\r\n");
    {
        // The stored key is the one registered: this process cannot take it now.
        Program p(folder);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
        EXPECT_FALSE(HeldKey(2, key).Held());
        EXPECT_TRUE(HeldKey(3, hotkeys::kBringBackDefault).Held()) << "no key for bringing back";
        ASSERT_EQ(p.Close(), 0);
    }
    const std::string xml = folder.ReadSettings();
    EXPECT_EQ(Value(xml, "HotKeyToTray"), hotkeys::CodeText(key));
    EXPECT_EQ(Value(xml, "HotKeyBringBack"), "0");
}

// A file as the versions before the hotkeys and the sixth rule field wrote it
// (no hotkey keys, five-field rules, four columns of the rule list; the keys
// in the order of their last writes) is written back unchanged by a run that
// changes nothing.
TEST(HotKeys, AFileOfTheFormerFormatIsWrittenBackByteForByte) {
    const std::string stored =
        "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n"
        "<configuration>\r\n"
        "  <appSettings>\r\n"
        "    <add key=\"ShowWindow\" value=\"-1\"/>\r\n"
        "    <add key=\"Top\" value=\"200\"/>\r\n"
        "    <add key=\"Left\" value=\"200\"/>\r\n"
        "    <add key=\"Width\" value=\"440\"/>\r\n"
        "    <add key=\"Height\" value=\"278\"/>\r\n"
        "    <add key=\"Maximized\" value=\"0\"/>\r\n"
        "    <add key=\"CurrWinColumnsOrder\" value=\"1=150,0=250\"/>\r\n"
        "    <add key=\"RegWinColumnsOrder\" value=\"0=180,2=60,1=85,3=75\"/>\r\n"
        "    <add key=\"RegistWindows\" value=\"C:\\Tools\\a.exe,80,-1,0,0\r\nC:\\b.exe,100,0,-1,-1\r\n\"/>\r\n"
        "    <add key=\"NormalIconHide\" value=\"0\"/>\r\n"
        "    <add key=\"TaskbarHide\" value=\"0\"/>\r\n"
        "  </appSettings>\r\n"
        "</configuration>\r\n";
    ProgramFolder folder;
    folder.WriteSettings(stored);
    Program p(folder);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
    ASSERT_EQ(p.Close(), 0);
    EXPECT_EQ(folder.ReadSettings(), stored);
}

TEST(OwnIconMenu, RestoreAllShowsEveryHiddenWindow) {
    helper::HelperClient app;
    HWND a = app.NewWindow({.title = "A"});
    HWND b = app.NewWindow({.title = "B"});
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    const UINT hookMessage = RegisterWindowMessageA(hook::kHookMessageName);
    for (HWND wnd : {a, b}) SendMessageW(main, hookMessage, hook::HookTrayWindow, reinterpret_cast<LPARAM>(wnd));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(a) && !IsWindowVisible(b); }));
    HWND icon = p.IconWindow();
    PostMessageW(icon, ui::NotifyIcon::kCallbackMessage, ui::NotifyIcon::kIconId, WM_RBUTTONDOWN);
    PostMessageW(icon, ui::NotifyIcon::kCallbackMessage, ui::NotifyIcon::kIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }));
    // The item's mnemonic, "(&A)".
    PostMessageW(menu, WM_KEYDOWN, 'A', 0);
    PostMessageW(menu, WM_CHAR, 'a', 0);
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(a) && OnScreen(b); }));
    EXPECT_TRUE(IsWindow(main)) << "the program runs on";
    EXPECT_EQ(p.Close(), 0);
}
