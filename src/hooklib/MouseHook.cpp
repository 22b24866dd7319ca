#include "hooklib/MouseHook.h"

#include "hooklib/Module.h"

namespace hooklib {
namespace {

// Only the installing thread is called back; one hook is installed at a time.
MouseHandler g_handler = nullptr;

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_handler && g_handler(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool MouseHook::Install(MouseHandler handler) {
    Remove();
    g_handler = handler;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, ThisModule(), 0);
    if (!hook_) g_handler = nullptr;
    return hook_ != nullptr;
}

void MouseHook::Remove() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    g_handler = nullptr;
}

}  // namespace hooklib
