// The main window's controls: the cool bar with the menu tool bar on top, the
// two tabs below it, each holding one list.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "ui/ImageLists.h"
#include "ui/ListView.h"
#include "ui/Text.h"

namespace {

constexpr int kIdPageControl = 10;
constexpr int kIdCurrWin = 11;
constexpr int kIdRegWin = 12;

void AddTab(HWND tabs, int index, const char* caption) {
    std::wstring text = ui::Utf8(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void TPelmoraMainWindow::CreateControls() {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ToolBar1 = std::make_unique<ui::MenuToolBar>(Handle_, Menus_.MainMenu.get(), font);
    PageControl =
        CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0,
                        0, 0, 0, Handle_, reinterpret_cast<HMENU>(kIdPageControl), Instance_, nullptr);
    AddTab(PageControl, 0, "ウィンドウ一覧");
    AddTab(PageControl, 1, "自動ウィンドウ制御一覧");
    lvCurrWin =
        ui::CreateOwnerDataListView(Handle_, kIdCurrWin, {{"ウィンドウ名", 200}, {"ファイル名", 200}});
    lvRegWin = ui::CreateOwnerDataListView(
        Handle_, kIdRegWin,
        {{"ファイル名", 205}, {"透明度", 50}, {"タスクトレイ化", 85}, {"最前面表示", 75}});
    // The lists lie above the tab control in the z-order so that they paint over it.
    SetWindowPos(PageControl, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TabCtrl_SetCurSel(PageControl, 0);
    OnTabChange();
    OnSize();
}

void TPelmoraMainWindow::ApplyFont() {
    auto set = [this](HWND control) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font_.get()), TRUE);
    };
    for (HWND control : {ToolBar1->ToolBar(), PageControl, lvCurrWin, lvRegWin}) set(control);
    ToolBar1->KeepButtonSize();
    OnSize();
}

void TPelmoraMainWindow::CreateImageLists() {
    WndImageList = ui::CreateSmallImageList();
    CurrWinImageList = ui::CreateSmallImageList();
    RegWinImageList = ui::CreateSmallImageList();
    ListView_SetImageList(lvCurrWin, CurrWinImageList.get(), LVSIL_SMALL);
    ListView_SetImageList(lvRegWin, RegWinImageList.get(), LVSIL_SMALL);
}

void TPelmoraMainWindow::OnSize() {
    if (!ToolBar1 || !PageControl) return;
    RECT client{};
    GetClientRect(Handle_, &client);
    SendMessageW(ToolBar1->CoolBar(), WM_SIZE, 0, 0);
    int top = ToolBar1->Height();
    MoveWindow(PageControl, 0, top, client.right, client.bottom - top, TRUE);
    RECT page{0, top, client.right, client.bottom};
    TabCtrl_AdjustRect(PageControl, FALSE, &page);
    for (HWND list : {lvCurrWin, lvRegWin})
        MoveWindow(list, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
}

void TPelmoraMainWindow::OnTabChange() {
    int tab = TabCtrl_GetCurSel(PageControl);
    ShowWindow(lvCurrWin, tab == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(lvRegWin, tab == 1 ? SW_SHOW : SW_HIDE);
}
