// Sees every message the thread takes from its queue before it is dispatched,
// in the program's own loop as well as in modal loops (dialogs, menus).
#pragma once
#include <windows.h>

#include <functional>

namespace ui {

class MessageHook {
public:
    using Handler = std::function<void(const MSG&)>;
    explicit MessageHook(Handler handler);
    ~MessageHook();
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    Handler handler_;
    HHOOK hook_ = nullptr;
};

}  // namespace ui
