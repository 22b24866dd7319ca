#include "ui/ModalDialog.h"

#include "ui/Dpi.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/Text.h"

namespace ui {
namespace {

RECT WorkAreaNear(const RECT& area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

}  // namespace

std::vector<WORD> EmptyDialogTemplate(const char* utf8Caption) {
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header.cx = 100;  // the real size is set in pixels by PlaceDialog
    header.cy = 50;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (wchar_t ch : Utf8(utf8Caption)) words.push_back(static_cast<WORD>(ch));
    words.push_back(0);
    return words;
}

HWND AddDialogControl(HWND parent, const wchar_t* className, const char* utf8Text, DWORD style, int id,
                      const RECT& bounds, DWORD exStyle) {
    return CreateChildWindow(parent, className, Utf8(utf8Text).c_str(), WS_VISIBLE | style, id,
                             Scale(bounds, WindowDpi(parent)), exStyle);
}

void PlaceDialog(HWND dialog, HWND owner, int clientWidth, int clientHeight) {
    const UINT dpi = WindowDpi(dialog);
    RECT frame{0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    RECT over{};
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &over))
        SetRect(&over, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const RECT work = WorkAreaNear(over);
    const int x = Clamp((over.left + over.right - width) / 2, work.left, work.right - width);
    const int y = Clamp((over.top + over.bottom - height) / 2, work.top, work.bottom - height);
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
