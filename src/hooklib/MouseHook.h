// A low-level mouse hook: the system calls it on the installing thread for every mouse
// event on the desktop, before any window sees the event, and in no other process.
#pragma once
#include <windows.h>

namespace hooklib {

// Returns true to swallow the event. Must be quick: the desktop's mouse waits for it.
using MouseHandler = bool (*)(WPARAM message, const MSLLHOOKSTRUCT& event);

class MouseHook {
public:
    MouseHook() = default;
    MouseHook(const MouseHook&) = delete;
    MouseHook& operator=(const MouseHook&) = delete;
    ~MouseHook() { Remove(); }

    bool Install(MouseHandler handler);
    void Remove();

private:
    HHOOK hook_ = nullptr;
};

}  // namespace hooklib
