// The helper itself: each request does what its protocol says, seen from this
// other process.
#include "HelperClient.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "HelperProtocol.h"

namespace {

TEST(HelperProtocol, ValuesSurviveEncoding) {
    std::string raw = "a b=c%\n\x82\xa0\xff,x";
    std::string encoded = helper::EncodeValue(raw);
    EXPECT_EQ(encoded.find_first_of(" =\n"), std::string::npos);
    EXPECT_EQ(helper::DecodeValue(encoded), raw);
    EXPECT_EQ(helper::DecodeValue("%4"), "%4");
}

class HelperTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

TEST_F(HelperTest, WindowsBelongToTheHelperProcess) {
    HWND wnd = client.NewWindow({.title = "hello"});
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    EXPECT_EQ(pid, client.ProcessId());
    EXPECT_NE(pid, GetCurrentProcessId());
    EXPECT_EQ(std::stoul(client.Send("pid").at(0)), client.ProcessId());
}

TEST_F(HelperTest, CreateHonoursTitleClassOwnerParentAndShow) {
    std::string title(300, 'T');
    std::string className(100, 'C');
    HWND top = client.NewWindow({.title = title, .className = className});
    char buffer[400] = "";
    EXPECT_EQ(InternalGetWindowText(top, nullptr, 0), 0);  // no crash on empty buffer
    EXPECT_EQ(GetClassNameA(top, buffer, sizeof buffer), 100);
    EXPECT_EQ(std::string(buffer), className);
    EXPECT_EQ(GetWindowTextLengthA(top), 300);

    HWND owned = client.NewWindow({.title = "owned", .owner = top});
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    HWND child = client.NewWindow({.title = "child", .parent = top});
    EXPECT_EQ(GetParent(child), top);
    EXPECT_TRUE(GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD);

    HWND minimised = client.NewWindow({.title = "min", .show = "min"});
    EXPECT_TRUE(IsIconic(minimised));
    HWND hidden = client.NewWindow({.title = "hidden", .show = "hidden"});
    EXPECT_FALSE(IsWindowVisible(hidden));
    client.Show(hidden, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(hidden));
    client.SetText(hidden, "renamed");
    EXPECT_EQ(GetWindowTextA(hidden, buffer, sizeof buffer), 7);
    client.Destroy(hidden);
    EXPECT_FALSE(IsWindow(hidden));
}

TEST_F(HelperTest, ClassIcons) {
    HWND withIcon = client.NewWindow({.title = "icon"});
    HICON icon = client.ClassSmallIcon(withIcon);
    EXPECT_NE(icon, nullptr);
    HWND noIcon = client.NewWindow({.title = "none", .classIcon = "none"});
    EXPECT_EQ(client.ClassSmallIcon(noIcon), nullptr);
    // Wine answers class icons of another process's windows with 0 in any case.
    EXPECT_EQ(GetClassLongPtrA(noIcon, GCLP_HICONSM), 0u);
}

TEST_F(HelperTest, HungThreadStopsAnsweringUntilReleased) {
    HWND wnd = client.NewWindow({.title = "hung", .ownThread = true});
    client.Hang(wnd);
    DWORD_PTR result = 0;
    EXPECT_FALSE(SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result));
    HWND other = client.NewWindow({.title = "still answers"});  // the helper goes on
    EXPECT_TRUE(IsWindow(other));
    client.Unhang(wnd);
    EXPECT_TRUE(SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result));
}

TEST_F(HelperTest, ErrorsComeBackAsExceptions) {
    EXPECT_THROW(client.Send("nonsense"), std::runtime_error);
    EXPECT_THROW(client.Destroy(reinterpret_cast<HWND>(0x1234)), std::runtime_error);
}

TEST_F(HelperTest, FakeTaskbarChainAndButtonRecords) {
    HWND a = client.NewWindow({.title = "a"});
    HWND b = client.NewWindow({.title = "b"});
    helper::TaskbarChain bar = client.MakeTaskbar({a, b, a});
    HWND rebar = FindWindowExA(bar.tray, nullptr, "ReBarWindow32", nullptr);
    HWND tasks = FindWindowExA(rebar, nullptr, "MSTaskSwWClass", nullptr);
    EXPECT_EQ(FindWindowExA(tasks, nullptr, "ToolbarWindow32", nullptr), bar.toolbar);
    EXPECT_EQ(SendMessageA(bar.toolbar, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(client.ButtonStates(bar.toolbar),
              (std::vector<int>{TBSTATE_ENABLED, TBSTATE_ENABLED, TBSTATE_ENABLED}));

    // Each button's dwData points, inside the helper, at a record naming its window.
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, client.ProcessId());
    ASSERT_NE(process, nullptr);
    void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    std::vector<HWND> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(bar.toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote));
        TBBUTTON button{};
        ReadProcessMemory(process, remote, &button, sizeof button, nullptr);
        HWND wnd = nullptr;
        ReadProcessMemory(process, reinterpret_cast<void*>(button.dwData), &wnd, sizeof wnd, nullptr);
        seen.push_back(wnd);
        EXPECT_EQ(button.idCommand, 1000 + i);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    EXPECT_EQ(seen, (std::vector<HWND>{a, b, a}));
}

TEST(HelperCopy, RunsUnderAnotherName) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + "pelmora_helper_copy.exe";
    ASSERT_TRUE(helper::HelperClient::CopyHelperTo(path));
    {
        helper::HelperClient copy(path);
        EXPECT_EQ(copy.ExePath(), path);
        HWND wnd = copy.NewWindow({.title = "copy"});
        EXPECT_TRUE(IsWindow(wnd));
    }
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

}  // namespace
