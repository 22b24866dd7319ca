#include "TrayFixture.h"

#include "ui/Text.h"
#include "windows/WindowWorker.h"

TrayFixture::TrayFixture()
    : owner(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr)),
      images(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4)),
      menu(CreatePopupMenu()),
      tray(std::make_unique<TTrayControl>(owner.get(), images.get(), menu.get())) {}

TrayFixture::~TrayFixture() {
    tray.reset();
}

int TrayFixture::AddHelperWindow(const helper::WindowSpec& request, bool noIcon, bool minimizeOnly) {
    int index = tray->AddWnd(client.NewWindow(request), noIcon, minimizeOnly);
    Settle();
    return index;
}

void TrayFixture::Settle() {
    ASSERT_TRUE(window_worker::WaitIdle(10000)) << "the helper's windows did not answer";
}

std::string TrayFixture::MenuCaption(UINT id) const {
    wchar_t text[2048] = L"";
    GetMenuStringW(menu.get(), id, text, 2048, MF_BYCOMMAND);
    return ui::Narrow(text, CP_ACP);
}

bool TrayFixture::MenuHasItem(UINT id) const {
    return GetMenuState(menu.get(), id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

bool IconExists(const NOTIFYICONDATAW& data) {
    NOTIFYICONDATAW probe = data;
    probe.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

LONG_PTR ExStyle(HWND wnd) {
    return GetWindowLongPtrA(wnd, GWL_EXSTYLE);
}
