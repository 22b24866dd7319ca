// For the documentation's screenshots: asks the running Pelmora to open one of
// its dialogs by a menu command, waits for it, and prints its rectangle on the
// screen ("left top width height") so that a script can crop the picture; or
// closes that dialog again.
//     open_dialog.exe <command id> <dialog caption>
//     open_dialog.exe close <dialog caption>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Identity.h"

namespace {

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption) {
    for (int i = 0; i < 200; ++i) {
        if (HWND wnd = FindWindowW(className, caption); wnd && IsWindowVisible(wnd)) return wnd;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: open_dialog <command id> <caption>\n");
        return 2;
    }
    if (lstrcmpW(argv[1], L"close") == 0) {
        HWND dialog = FindWindowW(L"#32770", argv[2]);
        if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
        return dialog ? 0 : 1;
    }
    HWND main = WaitForWindow(identity::kMainWindowClass, nullptr);
    if (!main) {
        std::fprintf(stderr, "Pelmora's main window is not there\n");
        return 1;
    }
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[1])), 0);
    HWND dialog = WaitForWindow(L"#32770", argv[2]);
    if (!dialog) {
        std::fprintf(stderr, "the dialog did not open\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(dialog, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
