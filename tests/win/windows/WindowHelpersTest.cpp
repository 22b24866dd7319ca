// The window helpers against windows of another process (the helper program).
#include "windows/WindowHelpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "HelperClient.h"
#include "ui/Text.h"
#include "windows/WindowFileName.h"

namespace {

class WindowHelpersTest : public ::testing::Test {
protected:
    helper::HelperClient client;
};

// The path the helper was started with may differ from the system's in letter case.
std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

TEST_F(WindowHelpersTest, FileNameIsTheHelpersExecutableBothWays) {
    HWND wnd = client.NewWindow({.title = "file name"});
    std::wstring path = GetWindowFileName(wnd);
    EXPECT_EQ(Lower(path), Lower(client.WideExePath()));
    EXPECT_EQ(QueryProcessImagePath(client.ProcessId()), path);
    EXPECT_EQ(ModuleSnapshotPath(client.ProcessId()), path);  // stored rules keep matching
}

// Also a name the ANSI code page cannot write (Polish, Korean): read exactly,
// both ways.
TEST_F(WindowHelpersTest, FileNameOfACopyUnderAnotherName) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    for (const wchar_t* name : {L"Pelmora Rule Target.exe", L"Pelmora \u017A\u0144d\u017Ab\u0142o \uD55C\uAD6D.exe"}) {
        const std::wstring copyPath = std::wstring(dir) + name;
        ASSERT_TRUE(helper::HelperClient::CopyHelperTo(copyPath));
        {
            helper::HelperClient copy(copyPath);
            const std::wstring path = GetWindowFileName(copy.NewWindow({.title = "copy"}));
            EXPECT_EQ(Lower(path), Lower(copyPath));
            EXPECT_EQ(path.substr(path.size() - 4), L".exe");
            EXPECT_EQ(ModuleSnapshotPath(copy.ProcessId()), path);
        }
        DeleteFileW(copyPath.c_str());
    }
}

TEST_F(WindowHelpersTest, NoFileNameWithoutAWindowOrProcess) {
    HWND wnd = client.NewWindow({.title = "gone"});
    client.Destroy(wnd);
    EXPECT_EQ(GetWindowFileName(wnd), L"");
    EXPECT_EQ(GetWindowFileName(nullptr), L"");
    EXPECT_EQ(QueryProcessImagePath(0), L"");
    EXPECT_EQ(ModuleSnapshotPath(0xFFFFFFF0u), L"");
}

TEST_F(WindowHelpersTest, Bounds) {
    HWND wnd = client.NewWindow({.title = "bounds", .style = WS_POPUP});
    RECT r{};
    ASSERT_TRUE(GetWindowBounds(wnd, r));
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 200);
    client.Destroy(wnd);
    EXPECT_FALSE(GetWindowBounds(wnd, r));
}

TEST_F(WindowHelpersTest, CaptionIsTheWholeText) {
    for (size_t length : {0u, 1u, 255u, 256u, 300u, 2000u}) {
        std::string title(length, 'x');
        for (size_t i = 0; i < length; i += 7) title[i] = static_cast<char>('a' + i % 26);
        HWND wnd = client.NewWindow({.title = title});
        EXPECT_EQ(GetWindowCaption(wnd), ui::FromAnsi(title)) << length;
    }
    EXPECT_EQ(GetWindowCaption(nullptr), L"");
}

// A window whose thread does not answer is read from the caption the system
// keeps, instead of stopping the program.
TEST_F(WindowHelpersTest, HungWindowTextComesFromTheKeptCaption) {
    std::string longTitle(400, 'h');
    longTitle[0] = 'H';
    HWND wnd = client.NewWindow({.title = longTitle, .ownThread = true});
    client.Hang(wnd);
    EXPECT_EQ(GetWindowCaption(wnd), ui::FromAnsi(longTitle));
    EXPECT_EQ(ReadWindowTitle(wnd), longTitle.substr(0, 254));
    client.Unhang(wnd);
    EXPECT_EQ(ReadWindowTitle(wnd), longTitle.substr(0, 254));
}

TEST(CutAnsi, NeverSplitsADoubleByteCharacter) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    std::string a = "\x82\xa0";  // one character, two bytes
    EXPECT_EQ(CutAnsi("x" + a + a, 2), "x");
    EXPECT_EQ(CutAnsi("x" + a + a, 3), "x" + a);
    EXPECT_EQ(CutAnsi(a + a, 4), a + a);
    EXPECT_EQ(CutAnsi("abc", 63), "abc");
}

TEST_F(WindowHelpersTest, JapaneseTextByteForByte) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    std::string title;
    for (int i = 0; i < 200; ++i) title += "\x82\xa0";  // 400 bytes of double-byte characters
    HWND wnd = client.NewWindow({.title = title, .ownThread = true});
    EXPECT_EQ(GetWindowCaption(wnd), ui::FromAnsi(title));
    client.Hang(wnd);
    EXPECT_EQ(GetWindowCaption(wnd), ui::FromAnsi(title));
    EXPECT_EQ(ReadWindowTitle(wnd), title.substr(0, 254));  // 127 whole characters
    client.Unhang(wnd);
}

TEST_F(WindowHelpersTest, RootOwner) {
    HWND top = client.NewWindow({.title = "top"});
    HWND owned = client.NewWindow({.title = "owned", .owner = top});
    HWND ownedByOwned = client.NewWindow({.title = "owned twice", .owner = owned, .style = WS_POPUP});
    HWND child = client.NewWindow({.title = "child", .parent = ownedByOwned});
    HWND grandChild = client.NewWindow({.title = "grandchild", .parent = child});
    HWND lone = client.NewWindow({.title = "lone"});
    HWND control = client.NewWindow({.title = "control", .parent = lone});
    struct Case {
        HWND from, root;
    } cases[] = {{top, top},        {owned, top}, {ownedByOwned, top}, {child, top},
                 {grandChild, top}, {lone, lone}, {control, lone},     {nullptr, nullptr}};
    for (const Case& c : cases) EXPECT_EQ(GetRootOwner(c.from), c.root);
}

TEST_F(WindowHelpersTest, WindowWithoutClassIconGetsTheExecutablesIcon) {
    HWND wnd = client.NewWindow({.title = "no icon", .classIcon = "none"});
    TIcon icon = GetWindowIcon(wnd);
    EXPECT_TRUE(icon);
    EXPECT_TRUE(icon.IsOwned());  // the shell's icon is ours to destroy
    TIcon fileIcon = GetFileIcon(GetWindowFileName(wnd));
    EXPECT_TRUE(fileIcon);
}

// The pixels of a small icon, to tell two icons apart by their picture.
std::vector<DWORD> Pixels(HICON icon) {
    std::vector<DWORD> pixels(16 * 16);
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor ? info.hbmColor : info.hbmMask, 0, 16, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return pixels;
}

// A caller that has read the executable's path already hands it over: a window
// without class icon then gets the icon of that path, not of its process again.
TEST_F(WindowHelpersTest, WindowIconFromAPathTheCallerKnows) {
    HWND wnd = client.NewWindow({.title = "no icon", .classIcon = "none"});
    // A type whose icon differs from a program's, also under Wine.
    const std::wstring package = L"Z:\\no\\such\\folder\\setup.msi";
    std::vector<DWORD> packageIcon = Pixels(GetFileIcon(package).Handle());
    ASSERT_FALSE(packageIcon.empty());
    ASSERT_NE(packageIcon, Pixels(GetWindowIcon(wnd).Handle())) << "the shell gives both types one icon";
    TIcon icon = GetWindowIcon(wnd, package);
    EXPECT_TRUE(icon.IsOwned());
    EXPECT_EQ(Pixels(icon.Handle()), packageIcon);
}

// Class icons belong to their class: borrowed, never destroyed. (Wine answers
// class icons of other processes' windows with 0, so this uses a window of the
// test itself.)
TEST(WindowIcon, ClassIconIsBorrowed) {
    HICON small = LoadIcon(nullptr, IDI_INFORMATION);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIconSm = small;
    wc.lpszClassName = "WindowIconTestClass";
    RegisterClassExA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    {
        TIcon icon = GetWindowIcon(wnd);
        EXPECT_EQ(icon.Handle(), small);
        EXPECT_FALSE(icon.IsOwned());
        TIcon withPath = GetWindowIcon(wnd, L"Z:\\no\\such\\folder\\notes.txt");  // the class icon comes first
        EXPECT_EQ(withPath.Handle(), small);
        EXPECT_FALSE(withPath.IsOwned());
    }
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICONSM)), small);
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(small, &info));  // still alive
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyWindow(wnd);
}

TEST(FileIcon, ComesFromTheNameAlone) {
    TIcon icon = GetFileIcon(L"Z:\\no\\such\\folder\\program.exe");
    EXPECT_TRUE(icon);
    EXPECT_TRUE(icon.IsOwned());
}

// The icon of a name asked for again is the one kept from before, alive as
// long as anyone holds it; another name has its own.
TEST(FileIcon, IsKeptPerNameAndSharedByItsHolders) {
    const std::wstring name = L"Z:\\no\\such\\folder\\kept.exe";
    TIcon first = GetFileIcon(name);
    ASSERT_TRUE(first);
    TIcon again = GetFileIcon(name);
    EXPECT_EQ(again.Handle(), first.Handle());
    EXPECT_TRUE(again.IsOwned());
    TIcon other = GetFileIcon(L"Z:\\no\\such\\folder\\kept.txt");
    ASSERT_TRUE(other);
    EXPECT_NE(other.Handle(), first.Handle());

    const HICON handle = first.Handle();
    first = TIcon();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));  // the other holders keep it alive
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

TEST_F(WindowHelpersTest, ForegroundRestoresAMinimisedWindowAndKeepsTheLockTimeOut) {
    DWORD before = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &before, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(UINT_PTR{123456}), 0);

    HWND wnd = client.NewWindow({.title = "minimised", .show = "min"});
    ASSERT_TRUE(IsIconic(wnd));
    bool result = ForceForegroundWindow(wnd);
    EXPECT_FALSE(IsIconic(wnd));
    EXPECT_EQ(result, GetForegroundWindow() == wnd);

    DWORD after = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &after, 0);
    EXPECT_EQ(after, 123456u);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(UINT_PTR{before}), 0);
}

TEST_F(WindowHelpersTest, ForegroundWindowIsTrueAtOnce) {
    HWND wnd = client.NewWindow({.title = "front"});
    ForceForegroundWindow(wnd);
    if (GetForegroundWindow() != wnd) GTEST_SKIP() << "this display gives no foreground";
    EXPECT_TRUE(ForceForegroundWindow(wnd));
}

}  // namespace
