#include "ui/MessageHook.h"

#include "ui/WindowClass.h"

namespace ui {

namespace {
// One hook per thread; the program has one user-interface thread.
thread_local MessageHook::Handler* g_handler = nullptr;
}  // namespace

MessageHook::MessageHook(Handler handler) : handler_(std::move(handler)) {
    g_handler = &handler_;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, HookProc, nullptr, GetCurrentThreadId());
}

MessageHook::~MessageHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    g_handler = nullptr;
}

LRESULT CALLBACK MessageHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    // Only messages actually removed from the queue count; a peek that leaves
    // the message there would otherwise be seen twice.
    if (code == HC_ACTION && wParam == PM_REMOVE && g_handler) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        Guarded(msg.hwnd, 0, [&]() -> LRESULT {
            (*g_handler)(msg);
            return 0;
        });
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace ui
