#include "ui/NotifyIcon.h"

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/WindowClass.h"

namespace ui {

// The taskbar holds the notification area; without one, the system's DPI.
UINT NotificationAreaDpi() {
    return WindowDpi(FindWindowW(L"Shell_TrayWnd", nullptr));
}

NotifyIcon::NotifyIcon(HINSTANCE instance, HICON icon, std::wstring tip, Events events, ShellNotify shell)
    : icon_(icon), tip_(std::move(tip)), events_(std::move(events)), shell_(std::move(shell)) {
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    RegisterWindowClass(instance, kWindowClass, ObjectWndProc<NotifyIcon>);
    // A hidden top-level window rather than a message-only one: it has to become
    // the foreground window while the menu is open.
    wnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           instance, this);
    // An elevated program still hears a normal Explorer: its new taskbar and
    // the clicks on the icon.
    if (wnd_) {
        ChangeWindowMessageFilterEx(wnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
        ChangeWindowMessageFilterEx(wnd_, kCallbackMessage, MSGFLT_ALLOW, nullptr);
    }
}

NotifyIcon::~NotifyIcon() {
    Remove();
    if (wnd_) DestroyWindow(wnd_);
}

NOTIFYICONDATAW NotifyIcon::Record(UINT flags) const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = wnd_;
    nid.uID = kIconId;
    nid.uFlags = flags;
    nid.uCallbackMessage = kCallbackMessage;
    nid.hIcon = icon_;
    size_t n = std::min(tip_.size(), std::size(nid.szTip) - 1);
    std::copy_n(tip_.c_str(), n, nid.szTip);
    return nid;
}

void NotifyIcon::Add() {
    wanted_ = true;
    if (!added_) TryAdd();
}

// An add that timed out may still have reached the shell: a change to the
// icon then succeeds, and the icon counts as added.
void NotifyIcon::TryAdd() {
    NOTIFYICONDATAW nid = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = shell_(NIM_ADD, &nid) != FALSE || shell_(NIM_MODIFY, &nid) != FALSE;
}

void NotifyIcon::Remove() {
    wanted_ = false;
    if (!added_) return;
    NOTIFYICONDATAW nid = Record(0);
    shell_(NIM_DELETE, &nid);
    added_ = false;
}

LRESULT NotifyIcon::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCallbackMessage && wParam == kIconId) {
        OnIconMessage(static_cast<UINT>(lParam));
        return 0;
    }
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        OnTaskbarCreated();
        return 0;
    }
    if (msg == WM_QUERYENDSESSION) return TRUE;
    if (msg == WM_ENDSESSION && wParam) Remove();
    return DefWindowProcW(wnd_, msg, wParam, lParam);
}

void NotifyIcon::OnIconMessage(UINT mouseMessage) {
    auto release = [this](int i, Button b) {
        if (!pressed_[i]) return;
        pressed_[i] = false;
        if (b == Button::Right) ShowPopupMenu();
        if (events_.onClick) events_.onClick(b);
    };
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            pressed_[0] = true;
            break;
        case WM_MBUTTONDOWN:
            pressed_[1] = true;
            break;
        case WM_RBUTTONDOWN:
            pressed_[2] = true;
            break;
        case WM_LBUTTONUP:
            release(0, Button::Left);
            break;
        case WM_MBUTTONUP:
            release(1, Button::Middle);
            break;
        case WM_RBUTTONUP:
            release(2, Button::Right);
            break;
        default:
            break;
    }
}

// The taskbar was created: Explorer started late or was restarted, and its
// notification area does not hold the icon, whatever an earlier add reported.
void NotifyIcon::OnTaskbarCreated() {
    if (!wanted_) return;
    if (added_) {
        NOTIFYICONDATAW nid = Record(0);
        shell_(NIM_DELETE, &nid);
        added_ = false;
    }
    TryAdd();
}

void NotifyIcon::ShowPopupMenu() {
    HMENU menu = events_.popupMenu ? events_.popupMenu() : nullptr;
    if (!menu) return;
    POINT pt{};
    GetCursorPos(&pt);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(wnd_);
    UINT cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, wnd_, nullptr);
    PostMessageW(wnd_, WM_NULL, 0, 0);
    if (cmd && events_.onCommand) events_.onCommand(cmd);
}

}  // namespace ui
