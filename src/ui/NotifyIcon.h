// The program's own notification-area icon: its own hidden window and callback
// message, so it never shares identifiers with the per-window icons. Whether
// the program wants the icon is kept apart from whether the shell holds it: an
// add that the shell refused (not up yet at log-on, or busy) is made again
// when the taskbar announces itself or when the icon is asked for again.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "Identity.h"
#include "ProgramContract.h"
#include "ui/WindowClass.h"

namespace ui {

// The DPI of the notification area (the taskbar's monitor), which its icons
// and the menus opened from them are shown at.
UINT NotificationAreaDpi();

class NotifyIcon {
public:
    static constexpr const wchar_t* kWindowClass = identity::kOwnIconClass;
    static constexpr UINT kCallbackMessage = WM_OWNICONNOTIFY;
    static constexpr UINT kIconId = 1;

    enum class Button { Left, Middle, Right };
    struct Events {
        std::function<void(Button)> onClick;
        std::function<HMENU()> popupMenu;     // menu opened by a right click
        std::function<void(UINT)> onCommand;  // item chosen in that menu
    };

    // The shell's notification function; tests pass one that can fail.
    using ShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

    NotifyIcon(HINSTANCE instance, HICON icon, std::wstring tip, Events events,
               ShellNotify shell = Shell_NotifyIconW);
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // Wants the icon and adds it unless the shell holds it already.
    void Add();
    // Wants no icon and takes it out of the shell.
    void Remove();
    bool IsWanted() const { return wanted_; }
    bool IsAdded() const { return added_; }
    HWND Window() const { return wnd_; }

private:
    friend NotifyIcon* WindowObject<NotifyIcon>(HWND, UINT, LPARAM);
    friend LRESULT CALLBACK ObjectWndProc<NotifyIcon>(HWND, UINT, WPARAM, LPARAM) noexcept;
    void BindWindow(HWND wnd) { wnd_ = wnd; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnIconMessage(UINT mouseMessage);
    void OnTaskbarCreated();
    void TryAdd();
    void ShowPopupMenu();
    NOTIFYICONDATAW Record(UINT flags) const;

    HWND wnd_ = nullptr;
    HICON icon_;
    std::wstring tip_;
    Events events_;
    ShellNotify shell_;
    UINT taskbarCreated_;
    bool wanted_ = false;
    bool added_ = false;
    // A click is a press followed by a release; the press of a double click
    // arrives as a double-click message and so makes no second click.
    bool pressed_[3] = {false, false, false};
};

}  // namespace ui
