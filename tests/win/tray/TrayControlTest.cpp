// The tray registry against windows of another process.
#include <algorithm>

#include "TrayFixture.h"
#include "windows/WindowWorker.h"
#include "tray/HiddenWindowMarks.h"

namespace {

using TrayControlTest = TrayFixture;

TEST_F(TrayControlTest, RecordIsTheFirstVersionWithTheCallbackMessage) {
    int index = AddHelperWindow({.title = "record"});
    ASSERT_EQ(index, 0);
    const NOTIFYICONDATAW& data = tray->Item(0).IconData;
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(data.hWnd, tray->TrayHandle());
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, 1125u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_TRUE(tray->Item(0).IconShown);
    EXPECT_TRUE(IconExists(data));
}

TEST_F(TrayControlTest, IdentifiersStartAtOneAndAreReused) {
    for (int i = 0; i < 3; ++i) AddHelperWindow({.title = "w" + std::to_string(i)});
    EXPECT_EQ(tray->Item(0).IconData.uID, 1u);
    EXPECT_EQ(tray->Item(1).IconData.uID, 2u);
    EXPECT_EQ(tray->Item(2).IconData.uID, 3u);
    tray->DeleteItem(0, false);
    Settle();
    int index = AddHelperWindow({.title = "reuses 1"});
    EXPECT_EQ(tray->Item(index).IconData.uID, 1u);
    index = AddHelperWindow({.title = "takes 4"});
    EXPECT_EQ(tray->Item(index).IconData.uID, 4u);

    int found = -1;
    EXPECT_TRUE(tray->FindID(4, found));
    EXPECT_EQ(found, index);
    EXPECT_FALSE(tray->FindID(9, found));
    EXPECT_EQ(found, -1);
}

// Each entry puts its own item at the top of the menu and finds its entry by it.
TEST_F(TrayControlTest, MenuItemsAreTheEntriesOwnNewestFirst) {
    int first = AddHelperWindow({.title = "older"});
    int second = AddHelperWindow({.title = "newer"});
    UINT older = tray->Item(first).MenuItem, newer = tray->Item(second).MenuItem;
    ASSERT_NE(older, 0u);
    ASSERT_NE(newer, older);
    EXPECT_EQ(GetMenuItemID(menu.get(), 0), newer);
    EXPECT_EQ(GetMenuItemID(menu.get(), 1), older);
    int found = -1;
    EXPECT_TRUE(tray->FindMenuItem(older, found));
    EXPECT_EQ(found, first);
    tray->DeleteItem(first, false);
    Settle();
    EXPECT_FALSE(MenuHasItem(older));
    EXPECT_FALSE(tray->FindMenuItem(older, found));
    EXPECT_EQ(found, -1);
}

TEST_F(TrayControlTest, ChildAndOwnedWindowsRegisterTheirRootOwner) {
    HWND top = client.NewWindow({.title = "top"});
    HWND owned = client.NewWindow({.title = "owned", .owner = top});
    HWND child = client.NewWindow({.title = "child", .parent = owned});
    EXPECT_EQ(tray->AddWnd(child, false, false), 0);
    Settle();
    EXPECT_EQ(tray->Item(0).Wnd, top);
    int index = -1;
    EXPECT_TRUE(tray->FindWnd(top, index));
    EXPECT_FALSE(tray->FindWnd(child, index));  // handles are compared exactly
    EXPECT_EQ(index, -1);

    // Again: the same entry, its icon shown again when it was removed.
    tray->DeleteItem(0, true);
    Settle();
    EXPECT_FALSE(IconExists(tray->Item(0).IconData));
    EXPECT_EQ(tray->AddWnd(owned, false, false), 0);
    Settle();
    EXPECT_EQ(tray->Count(), 1);
    EXPECT_TRUE(tray->Item(0).IconShown);
    EXPECT_TRUE(IconExists(tray->Item(0).IconData));

    // Again without icon: -1 and no change.
    tray->DeleteItem(0, true);
    Settle();
    EXPECT_EQ(tray->AddWnd(top, true, false), -1);
    Settle();
    EXPECT_EQ(tray->Count(), 1);
    EXPECT_FALSE(tray->Item(0).IconShown);
}

TEST_F(TrayControlTest, NoEntryForWhatIsNotAWindow) {
    HWND gone = client.NewWindow({.title = "gone"});
    client.Destroy(gone);
    EXPECT_EQ(tray->AddWnd(gone, false, false), -1);
    Settle();
    EXPECT_EQ(tray->AddWnd(nullptr, false, false), -1);
    Settle();
    EXPECT_EQ(tray->Count(), 0);
    EXPECT_FALSE(tray->HideWnd(gone, true, false));
    Settle();
    EXPECT_FALSE(tray->RestoreWnd(gone, true, true, SW_RESTORE, true));
    Settle();
    tray->DeleteWnd(gone, false);  // nothing to delete
    EXPECT_FALSE(tray->HideItem(0, true, false));
    Settle();
    EXPECT_FALSE(tray->HideItem(-1, true, false));
    Settle();
}

TEST_F(TrayControlTest, NoIconRegistersWithoutIcon) {
    int index = AddHelperWindow({.title = "quiet"}, true);
    ASSERT_EQ(index, 0);
    EXPECT_FALSE(tray->Item(0).IconShown);
    EXPECT_FALSE(IconExists(tray->Item(0).IconData));
}

TEST_F(TrayControlTest, MinimisedWindowGoesIntoTheTrayAtOnceWithOneIcon) {
    int index = AddHelperWindow({.title = "minimised", .show = "min"});
    ASSERT_EQ(index, 0);
    TWndItem& item = tray->Item(0);
    EXPECT_TRUE(item.Hidden);
    EXPECT_FALSE(IsWindowVisible(item.Wnd));
    EXPECT_TRUE(ExStyle(item.Wnd) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(item.IconShown);
    EXPECT_TRUE(IconExists(item.IconData));
}

// The tooltip holds 63 characters, the menu item 64, a cut one ending in an
// ellipsis, so one long title cannot make the menu unusable.
TEST_F(TrayControlTest, TooltipCutTo63CharactersMenuCaptionTo64) {
    struct Case {
        std::string title;
        std::wstring tip;
        std::wstring caption;
    } cases[] = {{"", L"", L""},
                 {"short", L"short", L"short"},
                 {std::string(63, 'a'), std::wstring(63, L'a'), std::wstring(63, L'a')},
                 {std::string(64, 'b'), std::wstring(62, L'b') + L"\u2026", std::wstring(64, L'b')},
                 {std::string(300, 'c'), std::wstring(62, L'c') + L"\u2026", std::wstring(63, L'c') + L"\u2026"}};
    for (const Case& c : cases) {
        int index = AddHelperWindow({.title = c.title});
        const TWndItem& item = tray->Item(index);
        EXPECT_EQ(std::wstring(item.IconData.szTip), c.tip);
        wchar_t caption[2048] = L"";
        GetMenuStringW(menu.get(), item.MenuItem, caption, 2048, MF_BYCOMMAND);
        EXPECT_EQ(std::wstring(caption), c.caption);
    }
}

// Titles in any script reach the tooltip and the menu item exactly, whatever
// the ANSI code page can write; a cut never splits a character.
TEST_F(TrayControlTest, TitlesInEveryScriptReachTheTooltipAndTheMenu) {
    const std::wstring title = L"\uD55C\uAD6D\uC5B4 \U0001F600 Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144";
    HWND wnd = client.NewWindow({.title = "placeholder", .unicode = true});
    ASSERT_TRUE(SetWindowTextW(wnd, title.c_str()));
    int index = tray->AddWnd(wnd, false, false);
    Settle();
    const TWndItem& item = tray->Item(index);
    EXPECT_EQ(std::wstring(item.IconData.szTip), title);
    wchar_t caption[2048] = L"";
    GetMenuStringW(menu.get(), item.MenuItem, caption, 2048, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(caption), title);
    EXPECT_TRUE(IconExists(item.IconData));

    // 62 units of text, then an emoji across the cut: it goes whole.
    const std::wstring longTitle = std::wstring(61, L'x') + L"\U0001F600 and more";
    ASSERT_TRUE(SetWindowTextW(wnd, longTitle.c_str()));
    tray->HideItem(index, false, false);
    Settle();
    EXPECT_EQ(std::wstring(item.IconData.szTip), std::wstring(61, L'x') + L"\u2026");
}

TEST_F(TrayControlTest, HideAndRestoreGiveBackTheExtendedStyleExactly) {
    for (DWORD exStyle : {0ul, static_cast<unsigned long>(WS_EX_TOOLWINDOW),
                          static_cast<unsigned long>(WS_EX_TOPMOST | WS_EX_ACCEPTFILES),
                          static_cast<unsigned long>(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE)}) {
        int index = AddHelperWindow({.title = "style", .exStyle = exStyle});
        HWND wnd = tray->Item(index).Wnd;
        LONG_PTR before = ExStyle(wnd);
        ASSERT_TRUE(tray->HideItem(index, true, false));
        Settle();
        EXPECT_FALSE(IsWindowVisible(wnd));
        EXPECT_TRUE(IsIconic(wnd));
        EXPECT_TRUE(ExStyle(wnd) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(tray->Item(index).ExStyle, before);
        EXPECT_FALSE(tray->HideItem(index, true, false));  // hidden already: no change

        EXPECT_TRUE(tray->RestoreItem(index, false, false, SW_SHOWNA, false));
        Settle();
        EXPECT_TRUE(IsWindowVisible(wnd));
        EXPECT_EQ(ExStyle(wnd), before) << exStyle;
        EXPECT_FALSE(tray->Item(index).Hidden);
        EXPECT_FALSE(tray->RestoreItem(index, false, false, SW_SHOWNA, false));
        Settle();
    }
}

TEST_F(TrayControlTest, HidingMarksTheWindowAndRestoringClearsTheMark) {
    int index = AddHelperWindow({.title = "marked", .exStyle = WS_EX_ACCEPTFILES});
    HWND wnd = tray->Item(index).Wnd;
    LONG_PTR before = ExStyle(wnd);
    EXPECT_FALSE(ReadHiddenMark(wnd));
    tray->HideItem(index, false, false);
    Settle();
    std::optional<HiddenMark> mark = ReadHiddenMark(wnd);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->processId, GetCurrentProcessId());
    EXPECT_EQ(mark->how, static_cast<UINT>(kHiddenWithToolStyle));
    EXPECT_EQ(mark->exStyle, before);
    EXPECT_TRUE(IsMarkHolderRunning(*mark));
    tray->RestoreItem(index, false, false, SW_SHOWNA, false);
    Settle();
    EXPECT_FALSE(ReadHiddenMark(wnd));
}

TEST_F(TrayControlTest, HideWithoutAddIconNeverAddsOne) {
    int index = AddHelperWindow({.title = "no icon yet"}, true);
    EXPECT_TRUE(tray->HideItem(index, false, false));
    Settle();
    EXPECT_FALSE(tray->Item(index).IconShown);
    EXPECT_FALSE(IconExists(tray->Item(index).IconData));
    tray->RestoreItem(index, false, false, SW_SHOWNA, false);
    Settle();
    EXPECT_TRUE(tray->HideItem(index, true, false));
    Settle();
    EXPECT_TRUE(IconExists(tray->Item(index).IconData));
}

TEST_F(TrayControlTest, HidingRefreshesTitleAndIconButNotTheImage) {
    int index = AddHelperWindow({.title = "before"});
    client.SetText(tray->Item(index).Wnd, "after");
    EXPECT_EQ(MenuCaption(tray->Item(index).MenuItem), "before");
    tray->HideItem(index, false, false);
    Settle();
    EXPECT_EQ(std::wstring(tray->Item(index).IconData.szTip), L"after");
    EXPECT_EQ(MenuCaption(tray->Item(index).MenuItem), "after");
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 1);
}

TEST_F(TrayControlTest, RestoringAShownEntryStillRemovesTheIcon) {
    int index = AddHelperWindow({.title = "shown"});
    EXPECT_FALSE(tray->RestoreItem(index, false, true, SW_RESTORE, false));
    Settle();
    EXPECT_FALSE(tray->Item(index).IconShown);
    EXPECT_FALSE(IconExists(tray->Item(index).IconData));
    EXPECT_EQ(tray->Count(), 1);                                                            // the entry stays
    EXPECT_TRUE(tray->RestoreWnd(tray->Item(index).Wnd, false, false, SW_RESTORE, false));  // it has an entry
}

TEST_F(TrayControlTest, DeletingKeepsImagesAndMenuImagesInStep) {
    for (int i = 0; i < 3; ++i) AddHelperWindow({.title = "w" + std::to_string(i)});
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 3);
    HWND second = tray->Item(1).Wnd, third = tray->Item(2).Wnd;
    UINT firstItem = tray->Item(0).MenuItem;
    NOTIFYICONDATAW firstIcon = tray->Item(0).IconData;
    tray->DeleteItem(0, false);
    Settle();
    ASSERT_EQ(tray->Count(), 2);
    EXPECT_EQ(tray->Item(0).Wnd, second);
    EXPECT_EQ(tray->Item(1).Wnd, third);
    EXPECT_EQ(tray->Item(0).ImageIndex, 0);
    EXPECT_EQ(tray->Item(1).ImageIndex, 1);
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 2);
    EXPECT_FALSE(MenuHasItem(firstItem));
    EXPECT_FALSE(IconExists(firstIcon));
    EXPECT_TRUE(MenuHasItem(tray->Item(0).MenuItem));
}

TEST_F(TrayControlTest, MenuItemsCarryTheirImage) {
    int index = AddHelperWindow({.title = "picture"});
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(menu.get(), tray->Item(index).MenuItem, FALSE, &mii));
    EXPECT_EQ(mii.hbmpItem, tray->Item(index).MenuBitmap.get());
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(mii.hbmpItem, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    auto* pixels = static_cast<const DWORD*>(bm.bmBits);
    ASSERT_NE(pixels, nullptr);
    EXPECT_TRUE(
        std::any_of(pixels, pixels + 256, [](DWORD p) { return (p >> 24) != 0; }));  // something to see
}

TEST_F(TrayControlTest, DeletingTheIconOnlyKeepsEntryAndMenuItem) {
    int index = AddHelperWindow({.title = "keep"});
    UINT item = tray->Item(index).MenuItem;
    tray->DeleteWnd(tray->Item(index).Wnd, true);
    Settle();
    EXPECT_EQ(tray->Count(), 1);
    EXPECT_FALSE(tray->Item(index).IconShown);
    EXPECT_FALSE(IconExists(tray->Item(index).IconData));
    EXPECT_TRUE(MenuHasItem(item));
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 1);
}

// Deleting the entry of a hidden window would lose the window: it is given back.
TEST_F(TrayControlTest, DeletingAHiddenEntryGivesTheWindowBack) {
    int index = AddHelperWindow({.title = "not lost"});
    HWND wnd = tray->Item(index).Wnd;
    LONG_PTR before = ExStyle(wnd);
    tray->HideItem(index, true, false);
    Settle();
    tray->DeleteItem(index, false);
    Settle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(ExStyle(wnd), before);
    EXPECT_FALSE(ReadHiddenMark(wnd));
}

TEST_F(TrayControlTest, NotificationsArePassedOnToTheOwner) {
    PostMessageW(tray->TrayHandle(), WM_TRAYNOTIFY, 7, WM_LBUTTONDOWN);
    PostMessageW(tray->TrayHandle(), WM_TRAYNOTIFY, 2, WM_RBUTTONUP);
    std::vector<std::pair<WPARAM, LPARAM>> seen;
    MSG msg;
    for (int i = 0; i < 100 && seen.size() < 2; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == owner.get() && msg.message == WM_TRAYNOTIFY)
                seen.emplace_back(msg.wParam, msg.lParam);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<WPARAM, LPARAM>>{{7, WM_LBUTTONDOWN}, {2, WM_RBUTTONUP}}));
}

TEST_F(TrayControlTest, ANewTaskbarGetsTheShownIconsAgain) {
    int shown = AddHelperWindow({.title = "shown"});
    int removed = AddHelperWindow({.title = "removed"});
    tray->DeleteItem(removed, true);
    Settle();
    NOTIFYICONDATAW data = tray->Item(shown).IconData;
    Shell_NotifyIconW(NIM_DELETE, &data);  // as when Explorer restarts
    ASSERT_FALSE(IconExists(data));
    SendMessageW(tray->TrayHandle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconExists(tray->Item(shown).IconData));
    EXPECT_FALSE(IconExists(tray->Item(removed).IconData));
}

TEST_F(TrayControlTest, ShutdownGivesBackEveryWindowAndIcon) {
    AddHelperWindow({.title = "a", .exStyle = WS_EX_ACCEPTFILES});
    AddHelperWindow({.title = "b"});
    std::vector<HWND> wnds{tray->Item(0).Wnd, tray->Item(1).Wnd};
    std::vector<LONG_PTR> styles{ExStyle(wnds[0]), ExStyle(wnds[1])};
    std::vector<NOTIFYICONDATAW> icons{tray->Item(0).IconData, tray->Item(1).IconData};
    tray->HideItem(0, true, false);
    Settle();
    tray->HideItem(1, true, false);
    Settle();
    tray.reset();
    Settle();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(IsWindowVisible(wnds[i]));
        EXPECT_EQ(ExStyle(wnds[i]), styles[i]);
        EXPECT_FALSE(IconExists(icons[i]));
        EXPECT_FALSE(ReadHiddenMark(wnds[i]));
    }
    EXPECT_FALSE(MenuHasItem(1000));
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 0);
}

// Neither hiding nor restoring waits for a window whose thread is hung: the
// request returns at once, and takes effect when the window answers again.
TEST_F(TrayControlTest, AHungWindowChangesWhenItAnswersAgain) {
    int index = AddHelperWindow({.title = "hung", .ownThread = true});
    HWND wnd = tray->Item(index).Wnd;
    LONG_PTR before = ExStyle(wnd);
    client.Hang(wnd);
    EXPECT_TRUE(tray->HideItem(index, true, false));
    EXPECT_TRUE(tray->Item(index).Hidden);
    EXPECT_FALSE(window_worker::WaitIdle(0)) << "the hide waits for the window, not the caller";
    client.Unhang(wnd);
    Settle();
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_TRUE(ExStyle(wnd) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ReadHiddenMark(wnd));

    client.Hang(wnd);
    EXPECT_TRUE(tray->RestoreItem(index, false, false, SW_SHOWNA, false));
    EXPECT_FALSE(tray->Item(index).Hidden);
    EXPECT_TRUE(ReadHiddenMark(wnd)) << "the mark stays until the window is really back";
    client.Unhang(wnd);
    Settle();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(ExStyle(wnd), before);
    EXPECT_FALSE(ReadHiddenMark(wnd));
}

}  // namespace
