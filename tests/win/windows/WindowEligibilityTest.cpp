// Which windows count as the user's: the decision from plain facts, and the
// facts read from windows of another process.
#include "windows/WindowEligibility.h"

#include <dwmapi.h>
#include <gtest/gtest.h>

#include "HelperClient.h"

namespace {

TEST(IsShellSurface, OnlyTheDesktopTheTaskbarsAndTheOverflow) {
    struct Case {
        const wchar_t* className;
        bool shell;
    } cases[] = {
        {L"Progman", true},
        {L"WorkerW", true},
        {L"Shell_TrayWnd", true},
        {L"Shell_SecondaryTrayWnd", true},
        {L"NotifyIconOverflowWindow", true},
        {L"TopLevelWindowForOverflowXamlIsland", true},
        {L"PROGMAN", true},  // the system compares class names without letter case
        {L"shell_traywnd", true},
        {L"Shell_TrayWn", false},
        {L"Shell_TrayWndX", false},
        {L"Windows.UI.Core.CoreWindow", false},  // also a store app's own window
        {L"ApplicationFrameWindow", false},
        {L"Notepad", false},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsShellSurface(c.className), c.shell) << c.className;
}

TEST(CountsAsUserWindow, EveryFactCanExcludeAWindow) {
    const WindowFacts user{
        .visible = true, .cloaked = false, .hasTitle = true, .hasOwner = false, .className = L"Notepad"};
    struct Case {
        const char* name;
        void (*change)(WindowFacts&);
        bool counts;
    } cases[] = {
        {"as it is", [](WindowFacts&) {}, true},
        {"invisible", [](WindowFacts& f) { f.visible = false; }, false},
        {"cloaked", [](WindowFacts& f) { f.cloaked = true; }, false},
        {"untitled", [](WindowFacts& f) { f.hasTitle = false; }, false},
        {"owned", [](WindowFacts& f) { f.hasOwner = true; }, false},
        {"desktop", [](WindowFacts& f) { f.className = L"Progman"; }, false},
        {"taskbar", [](WindowFacts& f) { f.className = L"Shell_TrayWnd"; }, false},
        {"overflow", [](WindowFacts& f) { f.className = L"NotifyIconOverflowWindow"; }, false},
        {"store app", [](WindowFacts& f) { f.className = L"ApplicationFrameWindow"; }, true},
    };
    for (const Case& c : cases) {
        WindowFacts facts = user;
        c.change(facts);
        EXPECT_EQ(CountsAsUserWindow(facts), c.counts) << c.name;
    }
}

class WindowFactsTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

TEST_F(WindowFactsTest, ReadFromWindowsOfAnotherProcess) {
    HWND owner = client.NewWindow({.title = "owner", .className = "FactsOwner"});
    struct Case {
        const char* name;
        helper::WindowSpec window;
        bool counts;
    } cases[] = {
        {"plain", {.title = "plain"}, true},
        {"hidden", {.title = "hidden", .show = "hidden"}, false},
        {"minimised", {.title = "minimised", .show = "min"}, true},
        {"untitled", {.title = ""}, false},
        {"owned", {.title = "owned", .owner = owner}, false},
        {"taskbar", {.title = "", .className = "Shell_TrayWnd"}, false},
        {"desktop", {.title = "Program Manager", .className = "Progman"}, false},
    };
    for (const Case& c : cases) {
        HWND wnd = client.NewWindow(c.window);
        WindowFacts facts = ReadWindowFacts(wnd);
        EXPECT_EQ(CountsAsUserWindow(facts), c.counts) << c.name;
        if (!c.window.className.empty()) {
            EXPECT_EQ(facts.className, std::wstring(c.window.className.begin(), c.window.className.end()));
        }
        client.Destroy(wnd);
    }
}

TEST_F(WindowFactsTest, GoneWindowDoesNotCount) {
    HWND wnd = client.NewWindow({.title = "gone"});
    client.Destroy(wnd);
    WindowFacts facts = ReadWindowFacts(wnd);
    EXPECT_FALSE(facts.visible);
    EXPECT_FALSE(facts.cloaked);
    EXPECT_FALSE(CountsAsUserWindow(facts));
}

TEST_F(WindowFactsTest, ShownWindowOfAnotherProcessIsNotCloaked) {
    HWND wnd = client.NewWindow({.title = "shown"});
    EXPECT_FALSE(IsWindowCloaked(wnd));
    EXPECT_FALSE(IsWindowCloaked(nullptr));
}

// Wine accepts a request to cloak a window and does nothing.
bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A program may cloak its own windows (Windows 8 and later); the system then
// reports them cloaked to everyone.
TEST(IsWindowCloaked, WindowCloakedByItsProgram) {
    if (RunsUnderWine()) GTEST_SKIP() << "Wine does not cloak windows";
    HWND wnd = CreateWindowExW(0, L"STATIC", L"cloaked", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(wnd);
    BOOL cloak = TRUE;
    if (FAILED(DwmSetWindowAttribute(wnd, DWMWA_CLOAK, &cloak, sizeof cloak))) {
        DestroyWindow(wnd);
        GTEST_SKIP() << "this system cannot cloak a window (before Windows 8, Wine)";
    }
    EXPECT_TRUE(IsWindowCloaked(wnd));
    cloak = FALSE;
    DwmSetWindowAttribute(wnd, DWMWA_CLOAK, &cloak, sizeof cloak);
    EXPECT_FALSE(IsWindowCloaked(wnd));
    DestroyWindow(wnd);
}

}  // namespace
