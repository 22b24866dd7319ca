// The main window's controls: the cool bar with the menu tool bar on top, the
// two tabs below it, each holding one list.
#include <windows.h>
#include <commctrl.h>

#include "MenuDescription.h"
#include "ProgramContract.h"
#include "app/MainWindow.h"
#include "ui/Text.h"

namespace {

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
    MainMenu = ui::BuildMenuBar(menus::kMainMenu);
    ToolBar1 = std::make_unique<ui::MenuToolBar>(Handle_, MainMenu.get(), font);
    PageControl =
        CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0,
                        0, 0, 0, Handle_, reinterpret_cast<HMENU>(kIdPageControl), Instance_, nullptr);
    AddTab(PageControl, 0, "ウィンドウ一覧");
    AddTab(PageControl, 1, "自動ウィンドウ制御一覧");
    // The subsystems; the two lists are theirs.
    auto changed = [this] { SaveSoon(); };
    Tray_ = std::make_unique<TTray>(static_cast<TTrayHost&>(*this), Handle_, Instance_, OwnTrayIcon_.get(),
                                    Options_, changed);
    Rules_ = std::make_unique<TRules>(
        Handle_, *Tray_, [this](const std::wstring& file) { return CurrWin_->WindowsOfFile(file); }, changed);
    CurrWin_ = std::make_unique<TCurrWinList>(Handle_, *Tray_, *Rules_);
    Hook_ = std::make_unique<THookEvents>(*Tray_, *CurrWin_);
    HotKeys_ = std::make_unique<THotKeys>(Handle_, *Tray_, changed);
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
    for (HWND control : {ToolBar1->ToolBar(), PageControl, CurrWin_->ListView(), Rules_->ListView()}) set(control);
    ToolBar1->KeepButtonSize();
    OnSize();
}

void TPelmoraMainWindow::OnSize() {
    if (!ToolBar1 || !PageControl || !CurrWin_ || !Rules_) return;
    RECT client{};
    GetClientRect(Handle_, &client);
    SendMessageW(ToolBar1->CoolBar(), WM_SIZE, 0, 0);
    int top = ToolBar1->Height();
    MoveWindow(PageControl, 0, top, client.right, client.bottom - top, TRUE);
    RECT page{0, top, client.right, client.bottom};
    TabCtrl_AdjustRect(PageControl, FALSE, &page);
    for (HWND list : {CurrWin_->ListView(), Rules_->ListView()})
        MoveWindow(list, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
}

void TPelmoraMainWindow::OnTabChange() {
    int tab = TabCtrl_GetCurSel(PageControl);
    ShowWindow(CurrWin_->ListView(), tab == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(Rules_->ListView(), tab == 1 ? SW_SHOW : SW_HIDE);
}
