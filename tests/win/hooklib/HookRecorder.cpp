#include "HookRecorder.h"

#include <stdexcept>
#include <string>

#include "hook/HookContract.h"

namespace hooktest {
namespace {

constexpr wchar_t kClass[] = L"PelmoraHookRecorder";

}  // namespace

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

HookRecorder::HookRecorder() : message_(RegisterWindowMessageA(hook::kHookMessageName)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    if (!window_) throw std::runtime_error("cannot create the recorder window");
}

HookRecorder::~HookRecorder() {
    DestroyWindow(window_);
}

LRESULT CALLBACK HookRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<HookRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == self->message_) {
        self->notes_.push_back({wParam, reinterpret_cast<HWND>(lParam)});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool HookRecorder::WaitFor(WPARAM code, HWND window, int count, DWORD ms) {
    const DWORD start = GetTickCount();
    while (Count(code, window) < count) {
        if (GetTickCount() - start >= ms) return false;
        PumpFor(10);
    }
    return true;
}

void HookRecorder::Settle(DWORD ms) {
    PumpFor(ms);
}

int HookRecorder::Count(WPARAM code, HWND window) const {
    int n = 0;
    for (const Note& note : notes_)
        if (note.code == code && note.window == window) ++n;
    return n;
}

std::map<WPARAM, int> HookRecorder::CodesFor(HWND window) const {
    std::map<WPARAM, int> codes;
    for (const Note& note : notes_)
        if (note.window == window) ++codes[note.code];
    return codes;
}

}  // namespace hooktest
