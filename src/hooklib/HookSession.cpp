#include "hooklib/HookSession.h"

#include "hook/HookContract.h"

namespace hooklib {

HookSession* HookSession::current_ = nullptr;

HookSession::~HookSession() {
    mouse_.Remove();
    globalHooks_.Remove();
    winEvents_.Remove();
    if (current_ == this) current_ = nullptr;
}

bool HookSession::Install() {
    if (current_ || !IsWindow(target_)) return false;
    message_ = RegisterWindowMessageA(hook::kHookMessageName);
    if (!message_) return false;
    current_ = this;
    translator_.Seed();
    const bool events = source_ == EventSourceKind::WinEvents ? winEvents_.Install(OnRawEvent)
                                                              : globalHooks_.Install(OnRawEvent);
    return events && mouse_.Install(OnMouse);
}

// The callbacks below are entered from the system's frames: nothing may be thrown there.
void HookSession::OnRawEvent(DWORD event, HWND window, LONG object, LONG child) {
    if (!current_) return;
    try {
        for (const Notification& note : current_->translator_.Translate(event, window, object, child))
            current_->Post(note.code, note.window);
    } catch (...) {
        // Out of memory for the bookkeeping: this one event is not reported.
    }
}

bool HookSession::OnMouse(WPARAM message, const MSLLHOOKSTRUCT& event) {
    if (!current_) return false;
    const MinimizeButtonClick::Verdict verdict = current_->click_.OnMouse(message, event.pt);
    if (verdict.report) current_->Post(hook::HookTrayWindow, verdict.report);
    return verdict.swallow;
}

void HookSession::Post(WPARAM code, HWND window) const {
    PostMessageA(target_, message_, code, reinterpret_cast<LPARAM>(window));
}

}  // namespace hooklib
