#include "app/Application.h"

#include "ProgramContract.h"
#include "ui/WindowClass.h"

TApplication::TApplication(HINSTANCE instance) {
    ui::RegisterWindowClass(instance, kClassName, DefWindowProcW);
    wnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, identity::kAppTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, instance, nullptr);
}

TApplication::~TApplication() {
    if (wnd_) DestroyWindow(wnd_);
}

void TApplication::SetInstanceMark(const char* name, UINT_PTR mark) {
    SetPropA(wnd_, name, reinterpret_cast<HANDLE>(mark));
    // Run as administrator, the program still hears a second start made
    // without: the system drops private messages from a lower level unless
    // the window lets them through.
    ChangeWindowMessageFilterEx(wnd_, WM_SHOWINSTANCE, MSGFLT_ALLOW, nullptr);
}

void TApplication::RemoveInstanceMark(const char* name) {
    RemovePropA(wnd_, name);
}

int TApplication::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
